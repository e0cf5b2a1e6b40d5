#include "app/PreferencePages.h"

#include <array>

namespace vl::app {

namespace {

constexpr std::array<std::string_view, kPreferencePageCount> kTitles = {
    "Wizard Information",
    "Modem and Communications Port",
    "Sending Faxes - Part 1",
    "Sending Faxes - Part 2",
    "Sending Faxes - Part 3",
    "Receiving Faxes - Part 1",
    "Receiving Faxes - Part 2",
    "Receiving Faxes - Part 3",
    "Advanced",
};

}  // namespace

std::string_view PreferencePageTitle(int page)
{
    if (page < 0 || page >= kPreferencePageCount)
        return {};
    return kTitles[static_cast<std::size_t>(page)];
}

WizardButtons PreferenceButtons(int page, bool firstRun)
{
    const int last = kPreferencePageCount - 1;
    return {page > 0, page < last, !firstRun || page == last};
}

HelpTopic PreferencePageHelp(int page)
{
    if (page == 1)
        return HelpTopic::PreferencesModem;
    if (page >= 2 && page <= 4)
        return HelpTopic::PreferencesSending;
    if (page >= 5 && page <= 7)
        return HelpTopic::PreferencesReceiving;
    return HelpTopic::Preferences;
}

}  // namespace vl::app
