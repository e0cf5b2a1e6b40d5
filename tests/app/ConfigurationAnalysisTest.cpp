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
    s.InitString = "AT&F";
    s.InitStringReceive = "AT&F";
    return s;
}

// The pages Next visits from page 0 up to the end page.
std::vector<int> WayForward(ConfigurationAnalysis& analysis)
{
    std::vector<int> pages;
    while (analysis.NextEnabled()) {
        analysis.Next();
        pages.push_back(analysis.Page());
    }
    return pages;
}

std::vector<int> WayBack(ConfigurationAnalysis& analysis)
{
    std::vector<int> pages;
    while (analysis.BackEnabled()) {
        analysis.Back();
        pages.push_back(analysis.Page());
    }
    return pages;
}

TEST(ConfigurationAnalysis, EachSettingFlagsItsPagesAndTheWayThroughThem)
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
        {"auto class", [](Settings& s) { s.FaxClass = 0; }, {2, 14}, {14}},
        {"14400", [](Settings& s) { s.MaximumBPS = 14400; }, {3, 14}, {14}},
        {"9600 is safe", [](Settings& s) { s.MaximumBPS = 9600; }, {14}, {14}},
        {"no reset", [](Settings& s) { s.String.clear(); }, {4, 14}, {11, 14}},
        {"no init", [](Settings& s) { s.InitString.clear(); }, {5, 14}, {14}},
        {"ecm", [](Settings& s) { s.ECM = true; }, {6, 14}, {14}},
        {"blind", [](Settings& s) { s.BlindDial = true; }, {7, 14}, {14}},
        {"busy", [](Settings& s) { s.IgnoreBusy = true; }, {8, 14}, {14}},
        {"rec class", [](Settings& s) { s.FaxClassReceive = 3; }, {14}, {9, 14}},
        {"rec rate", [](Settings& s) { s.MaximumBPSReceive = 12000; }, {14}, {10, 14}},
        {"rec init", [](Settings& s) { s.InitStringReceive.clear(); }, {14}, {12, 14}},
        {"rec ecm", [](Settings& s) { s.ECMReceive = true; }, {14}, {13, 14}},
        {"defaults", [](Settings& s) { s = Settings(); }, {4, 5, 14}, {11, 12, 14}},
        {"several",
         [](Settings& s) {
             s.ToneOrPulse = 1;
             s.BlindDial = true;
             s.ECMReceive = true;
             s.FaxClassReceive = 2;
         },
         {1, 7, 14},
         {9, 13, 14}},
    };
    for (const auto& c : cases) {
        Settings settings = Clean();
        c.change(settings);
        ConfigurationAnalysis sending(settings);
        EXPECT_EQ(WayForward(sending), c.sending) << c.what;
        EXPECT_EQ(sending.HasIssues(), c.sending.size() > 1) << c.what;
        ConfigurationAnalysis receiving(settings);
        receiving.SetMode(AnalysisMode::Receiving);
        EXPECT_EQ(WayForward(receiving), c.receiving) << c.what;
        EXPECT_EQ(receiving.HasIssues(), c.receiving.size() > 1) << c.what;
        EXPECT_EQ(sending.SendingIssues(), receiving.SendingIssues()) << c.what;
    }
}

TEST(ConfigurationAnalysis, BackRetracesTheFlaggedPagesToPageZero)
{
    Settings settings = Clean();
    settings.ToneOrPulse = 1;
    settings.ECM = true;
    settings.IgnoreBusy = true;
    settings.ECMReceive = true;
    ConfigurationAnalysis analysis(settings);
    EXPECT_FALSE(analysis.BackEnabled());
    EXPECT_EQ(WayForward(analysis), (std::vector<int>{1, 6, 8, 14}));
    EXPECT_FALSE(analysis.NextEnabled());
    EXPECT_EQ(WayBack(analysis), (std::vector<int>{8, 6, 1, 0}));
}

TEST(ConfigurationAnalysis, ReceivingNeverVisitsTheSendingPagesEvenWhenFlagged)
{
    Settings settings = Settings();  // reset and both init strings empty
    settings.ToneOrPulse = 1;
    settings.ECM = true;
    ConfigurationAnalysis analysis(settings);
    EXPECT_TRUE(analysis.SendingIssues());
    analysis.SetMode(AnalysisMode::Receiving);
    EXPECT_EQ(WayForward(analysis), (std::vector<int>{11, 12, 14}));
    EXPECT_EQ(WayBack(analysis), (std::vector<int>{12, 11, 0}));
}

TEST(ConfigurationAnalysis, OnlyIgnoreBusyLeadsToItsPageAndFinishesWithTheBoxTicked)
{
    Settings settings = Clean();
    settings.IgnoreBusy = true;
    ConfigurationAnalysis analysis(settings);
    analysis.Next();
    EXPECT_EQ(analysis.Page(), kIgnoreBusyPage);
    EXPECT_FALSE(analysis.FinishEnabled());
    analysis.Choose(kIgnoreBusyPage, 1);
    EXPECT_TRUE(analysis.FinishEnabled());
    analysis.Apply(settings);
    EXPECT_FALSE(settings.IgnoreBusy);
}

TEST(ConfigurationAnalysis, FinishNeedsATickOnTheCurrentModesPagesAndIssues)
{
    Settings settings = Clean();
    settings.ECM = true;
    ConfigurationAnalysis analysis(settings);
    analysis.Choose(kReceiveEcmPage, 1);  // the other mode's page
    EXPECT_FALSE(analysis.FinishEnabled());
    analysis.SetMode(AnalysisMode::Receiving);
    EXPECT_FALSE(analysis.FinishEnabled()) << "receiving has no issues";
    analysis.SetMode(AnalysisMode::Sending);
    analysis.Choose(kSendEcmPage, 1);
    EXPECT_TRUE(analysis.FinishEnabled());
    analysis.Choose(kSendEcmPage, kNoChoice);
    EXPECT_FALSE(analysis.FinishEnabled());
}

TEST(ConfigurationAnalysis, SendingAppliesEveryTickedChoiceAndLeavesReceivingAlone)
{
    Settings settings = Settings();
    settings.ToneOrPulse = 1;
    settings.FaxClass = 2;
    settings.MaximumBPS = 14400;
    settings.ECM = settings.BlindDial = settings.IgnoreBusy = true;
    settings.FaxClassReceive = 2;
    settings.MaximumBPSReceive = 14400;
    settings.ECMReceive = true;
    const Settings before = settings;
    ConfigurationAnalysis analysis(settings);
    for (int page = kFirstSendingPage; page <= kLastReceivingPage; ++page)
        analysis.Choose(page, 1);
    analysis.Choose(kSendResetPage, 2);
    analysis.Choose(kSendInitPage, 6);
    analysis.Apply(settings);

    EXPECT_EQ(settings.ToneOrPulse, 0);
    EXPECT_EQ(settings.FaxClass, 1);
    EXPECT_EQ(settings.MaximumBPS, 9600);
    EXPECT_EQ(settings.String, "AT&F");
    EXPECT_EQ(settings.InitString, "AT&H3&I2&R2S7=90S36=8S33=34");
    EXPECT_FALSE(settings.ECM || settings.BlindDial || settings.IgnoreBusy);
    EXPECT_EQ(settings.FaxClassReceive, before.FaxClassReceive);
    EXPECT_EQ(settings.MaximumBPSReceive, before.MaximumBPSReceive);
    EXPECT_EQ(settings.InitStringReceive, before.InitStringReceive);
    EXPECT_EQ(settings.ECMReceive, before.ECMReceive);
}

TEST(ConfigurationAnalysis, ReceivingAppliesEveryTickedChoiceAndLeavesSendingAlone)
{
    Settings settings = Settings();
    settings.ToneOrPulse = 1;
    settings.FaxClass = 2;
    settings.ECM = true;
    settings.FaxClassReceive = 3;
    settings.MaximumBPSReceive = 14400;
    settings.ECMReceive = true;
    const Settings before = settings;
    ConfigurationAnalysis analysis(settings);
    analysis.SetMode(AnalysisMode::Receiving);
    for (int page = kFirstSendingPage; page <= kLastReceivingPage; ++page)
        analysis.Choose(page, 1);
    analysis.Choose(kReceiveInitPage, 3);
    analysis.Apply(settings);

    EXPECT_EQ(settings.FaxClassReceive, 1);
    EXPECT_EQ(settings.MaximumBPSReceive, 9600);
    EXPECT_EQ(settings.String, "ATZ");
    EXPECT_EQ(settings.InitStringReceive, "AT&F&C1&D2\\Q3S7=90");
    EXPECT_FALSE(settings.ECMReceive);
    EXPECT_EQ(settings.ToneOrPulse, before.ToneOrPulse);
    EXPECT_EQ(settings.FaxClass, before.FaxClass);
    EXPECT_EQ(settings.InitString, before.InitString);
    EXPECT_EQ(settings.ECM, before.ECM);
}

TEST(ConfigurationAnalysis, ChoicesNotOfferedChangeNothing)
{
    Settings settings = Settings();
    ConfigurationAnalysis analysis(settings);
    analysis.Choose(kSendResetPage, 3);
    analysis.Choose(kSendInitPage, 7);
    analysis.Choose(kAnalysisPageCount, 1);  // no such page
    analysis.Apply(settings);
    EXPECT_EQ(settings.String, "");
    EXPECT_EQ(settings.InitString, "");
    EXPECT_EQ(analysis.Choice(kAnalysisPageCount), kNoChoice);
}

}  // namespace
}  // namespace vl::app
