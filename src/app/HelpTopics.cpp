#include "app/HelpTopics.h"

#include <algorithm>
#include <array>

#include "app/ProgramFolders.h"

namespace vl::app {

namespace {

constexpr std::array<HelpTopicEntry, 16> kTopics = {{
    {HelpTopic::Faq, "Frequently Asked Questions"},
    {HelpTopic::HomePage, "Vellora"},
    {HelpTopic::Contents, "Help Contents"},
    {HelpTopic::SendFax, "The Send Fax Window"},
    {HelpTopic::Preferences, "Preferences"},
    {HelpTopic::Support, "Technical Support"},
    {HelpTopic::CoverEditor, "The Fax Cover Sheet Editor"},
    {HelpTopic::CoverDesigner, "The Cover Sheet Template Designer"},
    {HelpTopic::FaxViewer, "The Fax Viewer"},
    {HelpTopic::PhoneBook, "The Phone Book"},
    {HelpTopic::PhoneBookEditor, "Editing a Phone Book Entry"},
    {HelpTopic::PreferencesModem, "Preferences: Modem and Communications Port"},
    {HelpTopic::PreferencesSending, "Preferences: Sending Faxes"},
    {HelpTopic::PreferencesReceiving, "Preferences: Receiving Faxes"},
    {HelpTopic::ProblemSolver, "Technical Help: Solving Fax Problems"},
    {HelpTopic::LogCleanup, "The Fax Log Cleanup Utility"},
}};

}  // namespace

std::span<const HelpTopicEntry> HelpTopics()
{
    return kTopics;
}

std::string_view HelpTopicTitle(HelpTopic topic)
{
    const auto it = std::find_if(kTopics.begin(), kTopics.end(),
                                 [topic](const HelpTopicEntry& entry) { return entry.topic == topic; });
    return it == kTopics.end() ? std::string_view() : it->title;
}

std::string HelpPageName(HelpTopic topic)
{
    return std::to_string(static_cast<int>(topic)) + ".html";
}

std::string HelpFolder()
{
    return SharedFolder() + "help/";
}

std::string HelpFile(HelpTopic topic)
{
    return HelpFolder() + HelpPageName(topic);
}

}  // namespace vl::app
