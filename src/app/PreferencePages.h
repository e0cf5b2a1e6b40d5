// The pages of the preferences wizard: their titles, which of Back, Next
// and Finish each page offers, and the help page of each.
#pragma once

#include <string_view>

#include "app/HelpTopics.h"

namespace vl::app {

inline constexpr int kPreferencePageCount = 9;

// The title shown above a page and in the page list; empty outside 0..8.
std::string_view PreferencePageTitle(int page);

struct WizardButtons {
    bool back = false;
    bool next = false;
    bool finish = false;

    friend bool operator==(const WizardButtons&, const WizardButtons&) = default;
};

// On a first run the user is led through every page, so Finish waits for
// the last one; otherwise any page may end the wizard.
WizardButtons PreferenceButtons(int page, bool firstRun);

// The help page of a wizard page: the modem page, the three sending and the
// three receiving pages have their own; the introduction, the advanced page
// and any other number get the wizard's general page.
HelpTopic PreferencePageHelp(int page);

}  // namespace vl::app
