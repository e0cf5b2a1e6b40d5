// The analysis wizard's rules: the flagged pages, the way through them for
// each mode, when Finish is allowed, and what applying changes.
#include <gtest/gtest.h>

#include <vector>

#include "app/ConfigurationAnalysis.h"

namespace vl::app {
namespace {

// Settings with nothing the analysis would question.
Settings Clean()
{
    Settings s;
    s.String = "ATZ";
    s.InitString = s.InitStringReceive = "AT&F";
    return s;
}

// The pages a button visits until it is disabled.
std::vector<int> Way(ConfigurationAnalysis& analysis, bool forward)
{
    std::vector<int> pages;
    while (forward ? analysis.NextEnabled() : analysis.BackEnabled()) {
        forward ? analysis.Next() : analysis.Back();
        pages.push_back(analysis.Page());
    }
    return pages;
}

TEST(ConfigurationAnalysis, EachSettingFlagsItsPagesAndOnlyTheModesPagesAreVisited)
{
    const struct {
        const char* what;
        void (*change)(Settings&);
        std::vector<int> sending;
        std::vector<int> receiving;
    } cases[] = {
        {"nothing", [](Settings&) {}, {14}, {14}},
        {"pulse", [](Settings& s) { s.ToneOrPulse = 1; }, {1, 14}, {14}},
        {"class 2", [](Settings& s) { s.FaxClass = 2; }, {2, 14}, {14}},
        {"14400", [](Settings& s) { s.MaximumBPS = 14400; }, {3, 14}, {14}},
        {"9600 is safe", [](Settings& s) { s.MaximumBPS = s.MaximumBPSReceive = 9600; }, {14}, {14}},
        {"no reset", [](Settings& s) { s.String.clear(); }, {4, 14}, {11, 14}},
        {"no init", [](Settings& s) { s.InitString.clear(); }, {5, 14}, {14}},
        {"ecm", [](Settings& s) { s.ECM = true; }, {6, 14}, {14}},
        {"blind", [](Settings& s) { s.BlindDial = true; }, {7, 14}, {14}},
        {"busy", [](Settings& s) { s.IgnoreBusy = true; }, {8, 14}, {14}},
        {"rec class", [](Settings& s) { s.FaxClassReceive = 3; }, {14}, {9, 14}},
        {"rec rate", [](Settings& s) { s.MaximumBPSReceive = 12000; }, {14}, {10, 14}},
        {"rec init", [](Settings& s) { s.InitStringReceive.clear(); }, {14}, {12, 14}},
        {"rec ecm", [](Settings& s) { s.ECMReceive = true; }, {14}, {13, 14}},
    };
    for (const auto& c : cases) {
        Settings settings = Clean();
        c.change(settings);
        for (const AnalysisMode mode : {AnalysisMode::Sending, AnalysisMode::Receiving}) {
            ConfigurationAnalysis analysis(settings);
            analysis.SetMode(mode);
            const std::vector<int>& expected = mode == AnalysisMode::Sending ? c.sending : c.receiving;
            EXPECT_EQ(Way(analysis, true), expected) << c.what;
            EXPECT_EQ(analysis.HasIssues(), expected.size() > 1) << c.what;
        }
    }
}

TEST(ConfigurationAnalysis, BackRetracesTheModesFlaggedPagesToPageZero)
{
    Settings settings;  // no reset string, no init strings
    settings.ToneOrPulse = 1;
    settings.IgnoreBusy = true;
    ConfigurationAnalysis analysis(settings);
    EXPECT_EQ(Way(analysis, true), (std::vector<int>{1, 4, 5, 8, 14}));
    EXPECT_EQ(Way(analysis, false), (std::vector<int>{8, 5, 4, 1, 0}));
    analysis.SetMode(AnalysisMode::Receiving);
    EXPECT_EQ(Way(analysis, true), (std::vector<int>{11, 12, 14}));
    EXPECT_EQ(Way(analysis, false), (std::vector<int>{12, 11, 0}));
}

TEST(ConfigurationAnalysis, FinishNeedsATickOnTheModesPagesAndIssues)
{
    Settings settings = Clean();
    settings.IgnoreBusy = true;
    ConfigurationAnalysis analysis(settings);
    analysis.Next();
    EXPECT_EQ(analysis.Page(), kIgnoreBusyPage);
    analysis.Choose(kReceiveEcmPage, 1);  // the other mode's page
    EXPECT_FALSE(analysis.FinishEnabled());
    analysis.Choose(kIgnoreBusyPage, 1);
    EXPECT_TRUE(analysis.FinishEnabled());
    analysis.SetMode(AnalysisMode::Receiving);
    EXPECT_FALSE(analysis.FinishEnabled()) << "receiving has no issues";
    analysis.SetMode(AnalysisMode::Sending);
    analysis.Apply(settings);
    EXPECT_FALSE(settings.IgnoreBusy);
}

TEST(ConfigurationAnalysis, ApplyingChangesTheModesSettingsOnly)
{
    Settings troubled;
    troubled.ToneOrPulse = 1;
    troubled.FaxClass = troubled.FaxClassReceive = 2;
    troubled.MaximumBPS = troubled.MaximumBPSReceive = 14400;
    troubled.ECM = troubled.BlindDial = troubled.IgnoreBusy = troubled.ECMReceive = true;
    for (const AnalysisMode mode : {AnalysisMode::Sending, AnalysisMode::Receiving}) {
        const bool sending = mode == AnalysisMode::Sending;
        ConfigurationAnalysis analysis(troubled);
        analysis.SetMode(mode);
        for (int page = kFirstSendingPage; page <= kLastReceivingPage; ++page)
            analysis.Choose(page, 1);
        analysis.Choose(sending ? kSendResetPage : kReceiveResetPage, 2);
        analysis.Choose(kSendInitPage, 6);
        analysis.Choose(kReceiveInitPage, 3);
        Settings s = troubled;
        analysis.Apply(s);

        EXPECT_EQ(s.String, "AT&F");
        EXPECT_EQ(s.ToneOrPulse, sending ? 0 : 1);
        EXPECT_EQ(s.FaxClass, sending ? 1 : 2);
        EXPECT_EQ(s.MaximumBPS, sending ? 9600 : 14400);
        EXPECT_EQ(s.InitString, sending ? "AT&H3&I2&R2S7=90S36=8S33=34" : "");
        EXPECT_EQ(s.ECM || s.BlindDial || s.IgnoreBusy, !sending);
        EXPECT_EQ(s.FaxClassReceive, sending ? 2 : 1);
        EXPECT_EQ(s.MaximumBPSReceive, sending ? 14400 : 9600);
        EXPECT_EQ(s.InitStringReceive, sending ? "" : "AT&F&C1&D2\\Q3S7=90");
        EXPECT_EQ(s.ECMReceive, sending);
    }
}

}  // namespace
}  // namespace vl::app
