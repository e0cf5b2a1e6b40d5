// The help pages: every topic the program opens, by number. A topic's page is
// the HTML file named by its number ("1016.html") in the shipped help folder,
// so the numbers below and the page files must stay in step.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vl::app {

enum class HelpTopic : int {
    Faq = 911,
    HomePage = 1000,
    Contents = 1009,
    SendFax = 1016,
    Preferences = 1022,
    Support = 1025,
    CoverEditor = 2001,
    CoverDesigner = 2002,
    FaxViewer = 2003,
    PhoneBook = 2004,
    PhoneBookEditor = 2005,
    PreferencesModem = 3501,
    PreferencesSending = 3502,
    PreferencesReceiving = 3503,
    ProblemSolver = 10000,
    LogCleanup = 21071,
};

struct HelpTopicEntry {
    HelpTopic topic;
    std::string_view title;  // the page's own title
};

// Every topic, in number order.
std::span<const HelpTopicEntry> HelpTopics();

// The title of `topic`; empty for a number outside the table.
std::string_view HelpTopicTitle(HelpTopic topic);

// The page's file name, "NNNN.html".
std::string HelpPageName(HelpTopic topic);

// SharedFolder() + "help/", where the pages are installed.
std::string HelpFolder();

// HelpFolder() + HelpPageName(topic).
std::string HelpFile(HelpTopic topic);

}  // namespace vl::app
