// The help pages against the topic table and the sources: every topic the
// program opens has its page, every page belongs to a topic, and every link
// of a page leads somewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "app/HelpTopics.h"
#include "app/PreferencePages.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

namespace fs = std::filesystem;
using app::HelpTopic;

const fs::path kSources = VL_HELP_SOURCES;

int Number(HelpTopic topic)
{
    return static_cast<int>(topic);
}

std::set<std::string> PageFiles()
{
    std::set<std::string> pages;
    for (const auto& entry : fs::directory_iterator(kSources))
        if (entry.path().extension() == ".html")
            pages.insert(entry.path().filename().string());
    return pages;
}

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern)
{
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].str());
    return found;
}

// The enumerators of HelpTopic as the header spells them, with their numbers.
std::map<std::string, int> DeclaredTopics()
{
    const std::string header = ReadFile(fs::path(VL_SOURCE_DIR) / "src/app/HelpTopics.h");
    const std::size_t start = header.find("enum class HelpTopic");
    const std::string body = header.substr(start, header.find("};", start) - start);
    std::map<std::string, int> declared;
    const std::regex entry(R"((\w+) = (\d+),)");
    for (auto it = std::sregex_iterator(body.begin(), body.end(), entry); it != std::sregex_iterator(); ++it)
        declared[(*it)[1].str()] = std::stoi((*it)[2].str());
    return declared;
}

TEST(HelpTopics, TheTableHoldsEachNumberOnceInOrderWithItsTitle)
{
    const auto topics = app::HelpTopics();
    ASSERT_FALSE(topics.empty());
    for (std::size_t i = 0; i < topics.size(); ++i) {
        EXPECT_FALSE(topics[i].title.empty()) << Number(topics[i].topic);
        EXPECT_EQ(app::HelpTopicTitle(topics[i].topic), topics[i].title);
        if (i > 0) {
            EXPECT_LT(Number(topics[i - 1].topic), Number(topics[i].topic));
        }
    }
    EXPECT_EQ(app::HelpTopicTitle(static_cast<HelpTopic>(1)), "");
    EXPECT_EQ(topics.size(), DeclaredTopics().size()) << "a declared topic is missing from the table";
}

TEST(HelpTopics, PagesAreFoundInTheBuildTreesSharedFolder)
{
    EXPECT_EQ(app::HelpFolder(), VL_HELP_PAGES);
    EXPECT_EQ(app::HelpPageName(HelpTopic::SendFax), "1016.html");
    EXPECT_EQ(app::HelpFile(HelpTopic::ProblemSolver), std::string(VL_HELP_PAGES) + "10000.html");
    for (const app::HelpTopicEntry& entry : app::HelpTopics())
        EXPECT_TRUE(fs::exists(app::HelpFile(entry.topic))) << app::HelpFile(entry.topic);
}

TEST(HelpTopics, EveryTopicTheSourcesNameIsDeclaredAndEveryDeclaredOneIsOpenedSomewhere)
{
    const std::map<std::string, int> declared = DeclaredTopics();
    ASSERT_FALSE(declared.empty());
    const std::regex use(R"(HelpTopic::(\w+))");
    std::set<std::string> used;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(VL_SOURCE_DIR) / "src")) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".cpp" && extension != ".h")
            continue;
        const std::string file = entry.path().filename().string();
        const bool table = file == "HelpTopics.h" || file == "HelpTopics.cpp";
        for (const std::string& name : Matches(ReadFile(entry.path()), use)) {
            EXPECT_TRUE(declared.count(name)) << name << " in " << entry.path();
            if (!table)
                used.insert(name);
        }
    }
    for (const auto& [name, number] : declared)
        EXPECT_TRUE(used.count(name)) << name << " (" << number << ") is opened nowhere";
}

TEST(HelpPages, EachTopicHasItsPageAndEachPageItsTopic)
{
    std::set<std::string> expected;
    for (const app::HelpTopicEntry& entry : app::HelpTopics())
        expected.insert(app::HelpPageName(entry.topic));
    EXPECT_EQ(PageFiles(), expected);
}

TEST(HelpPages, TitlesAreTheTablesAndNoPageRunsScripts)
{
    const std::regex title(R"(<title>([^<]*)</title>)");
    for (const app::HelpTopicEntry& entry : app::HelpTopics()) {
        SCOPED_TRACE(Number(entry.topic));
        const std::string page = ReadFile(kSources / app::HelpPageName(entry.topic));
        EXPECT_EQ(Matches(page, title), std::vector<std::string>{std::string(entry.title)});
        EXPECT_EQ(page.find("<script"), std::string::npos);
        EXPECT_NE(page.find("</html>"), std::string::npos);
    }
}

TEST(HelpPages, EveryLinkLeadsToAPageOrFileThereAndItsAnchor)
{
    const std::regex link(R"(href="([^"]*)\")");
    for (const std::string& file : PageFiles()) {
        SCOPED_TRACE(file);
        const std::string page = ReadFile(kSources / file);
        const std::vector<std::string> links = Matches(page, link);
        EXPECT_FALSE(links.empty()) << "a page with no way on";
        for (const std::string& target : links) {
            const std::size_t hash = target.find('#');
            const std::string name = target.substr(0, hash);
            ASSERT_FALSE(name.empty()) << target;
            EXPECT_EQ(name.find('/'), std::string::npos) << target << " leaves the help folder";
            ASSERT_TRUE(fs::exists(kSources / name)) << target;
            if (hash != std::string::npos) {
                EXPECT_NE(ReadFile(kSources / name).find("name=\"" + target.substr(hash + 1) + "\""),
                          std::string::npos)
                    << target;
            }
        }
    }
}

TEST(HelpPages, TheContentsLinkEveryOtherPage)
{
    const std::regex link(R"(href="(\d+)\.html)");
    std::set<std::string> linked;
    for (const std::string& number : Matches(ReadFile(kSources / "1009.html"), link))
        linked.insert(number + ".html");
    std::set<std::string> others = PageFiles();
    others.erase("1009.html");
    EXPECT_EQ(linked, others);
}

TEST(HelpTopics, EachPreferencesPageOpensItsPart)
{
    const std::map<int, HelpTopic> expected = {
        {-1, HelpTopic::Preferences},         {0, HelpTopic::Preferences},
        {1, HelpTopic::PreferencesModem},     {2, HelpTopic::PreferencesSending},
        {3, HelpTopic::PreferencesSending},   {4, HelpTopic::PreferencesSending},
        {5, HelpTopic::PreferencesReceiving}, {6, HelpTopic::PreferencesReceiving},
        {7, HelpTopic::PreferencesReceiving}, {8, HelpTopic::Preferences},
        {9, HelpTopic::Preferences}};
    for (const auto& [page, topic] : expected)
        EXPECT_EQ(app::PreferencePageHelp(page), topic) << page;
}

}  // namespace
}  // namespace vl::test
