#include "CallSummary.h"

#include <gtest/gtest.h>

namespace vl::linesim {
namespace {

CallFacts ConnectedFacts() {
    CallFacts f;
    f.connected = true;
    f.a.stationId = "+1 555 0101";
    f.b = SideReport{"LINESIM", 0, 2, 9600, "fine", true, "MR", false};
    f.bJudges = true;
    f.t30Result = "OK";
    return f;
}

TEST(CallSummary, CompletedCallTakesPagesAndRateFromTheSideThatSawThem) {
    CallSummary s = Summarize(ConnectedFacts());
    EXPECT_EQ(s.result, "completed");
    EXPECT_EQ(s.pagesAtoB, 2);
    EXPECT_EQ(s.pagesBtoA, 0);
    EXPECT_EQ(s.bitRate, 9600);
    EXPECT_EQ(s.resolution, "fine");
    EXPECT_EQ(ExitStatus(s), 0);
}

TEST(CallSummary, JudgingSideThatFailedMakesTheCallFail) {
    CallFacts f = ConnectedFacts();
    f.b.completed = false;
    EXPECT_EQ(Summarize(f).result, "failed");
    EXPECT_EQ(ExitStatus(Summarize(f)), 1);
    f.bJudges = false;  // two Class 1 modems: nobody can tell
    EXPECT_EQ(Summarize(f).result, "completed");
}

TEST(CallSummary, FailuresOutrankWhatTheSidesSay) {
    CallFacts f = ConnectedFacts();
    f.outcome = CallOutcome::Dropped;
    EXPECT_EQ(Summarize(f).result, "dropped");
    f.interrupted = true;
    EXPECT_EQ(Summarize(f).result, "interrupted");
    f.timedOut = true;
    EXPECT_EQ(Summarize(f).result, "timeout");
    EXPECT_EQ(ExitStatus(Summarize(f)), 3);
}

TEST(CallSummary, CallThatNeverConnectedFails) {
    CallFacts f;
    EXPECT_EQ(Summarize(f).result, "failed");
    f.outcome = CallOutcome::NoDialtone;
    EXPECT_EQ(Summarize(f).result, "no-dialtone");
}

TEST(CallSummary, JsonIsOneLineWithEveryField) {
    const std::string json = ToJson(Summarize(ConnectedFacts()));
    EXPECT_EQ(json,
              "{\"result\":\"completed\",\"pages_a_to_b\":2,\"pages_b_to_a\":0,\"bit_rate\":9600,"
              "\"resolution\":\"fine\",\"coding\":\"MR\",\"ecm\":false,\"id_a\":\"+1 555 0101\",\"id_b\":\"LINESIM\",\"t30_result\":\"OK\"}");
}

TEST(CallSummary, StationIdsLoseThePaddingTheyTravelWith) {
    CallFacts f;
    f.a.stationId = "         +1 555 0101";
    f.b.stationId = "    ";
    CallSummary s = Summarize(f);
    EXPECT_EQ(s.idA, "+1 555 0101");
    EXPECT_EQ(s.idB, "");
}

TEST(CallSummary, StationIdsFromTheLineAreEscaped) {
    CallSummary s;
    s.idA = "a\"b\\c\nd\x01\xff";
    EXPECT_NE(ToJson(s).find("\"id_a\":\"a\\\"b\\\\c\\u000ad\\u0001\\u00ff\""), std::string::npos) << ToJson(s);
}

}  // namespace
}  // namespace vl::linesim
