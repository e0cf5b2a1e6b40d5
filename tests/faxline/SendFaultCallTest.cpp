// The engine's send machine on a line that fails it: nobody answers, or the
// line drops while a page is on its way. Each call must end on its own with
// the fax marked failed.
#include "ApfPages.h"
#include "EngineSendCall.h"
#include "base/ErrorCodes.h"

namespace vl::test {
namespace {

// A page long enough that the line can drop 2.5 s into its data.
constexpr int kLongPageRows = 1000;
constexpr int kSlowBps = 4800;

class EngineSendFaultCall : public EngineSendCallFixture {
protected:
    // The engine has let the port go and the modem is back on hook: linesim
    // ends only once both ends have hung up.
    void ExpectCallOver(const std::string& result) {
        EXPECT_FALSE(harness_->engine->Running()) << "the engine still holds the port";
        EXPECT_FALSE(result.empty()) << "the line never went on hook";
    }

    // Sends `apf` slowly over a line that drops mid-page; linesim's result.
    // The modem reports NO CARRIER once the page data is out: the fax fails
    // there, without waiting for a response that cannot come.
    std::string SendIntoDrop(const std::string& apf, const std::string& name) {
        harness_->engine->Modem().desiredBps = kSlowBps;
        harness_->Queue({"0199", apf, ""});
        EXPECT_EQ(RunCall(), base::ecFaxSessionError) << Logs();
        const std::string result = CallResult();
        std::cout << name << ": " << callSeconds_ << " s, " << result << "\n";
        EXPECT_EQ(JsonField(result, "result"), "dropped") << result;
        EXPECT_EQ(harness_->logs, (std::vector<int>{1, 3}));
        ExpectCallOver(result);
        return result;
    }
};

// A line that rings out is answered "NO ANSWER" by the modem: the redial
// rule uses up the one attempt and the fax ends as not answered.
TEST_F(EngineSendFaultCall, RingingOutUsesUpTheDialAttempt) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(20)}, false));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--fault", "no-answer"}));
    harness_->engine->Session().maxDialAttempts = 1;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), base::ecFaxNoAnswer) << Logs();
    const std::string result = CallResult();
    std::cout << "no answer: " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(JsonField(result, "result"), "no-answer") << result;
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 3}));
    EXPECT_GT(callSeconds_, 30) << "the six rings were not waited out";
    ExpectCallOver(result);
}

// The dial wait runs out before the rings do: that is the remote not answering.
TEST_F(EngineSendFaultCall, DialWaitShorterThanTheRingsEndsAsNoAnswer) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(20)}, false));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--fault", "no-answer"}));
    harness_->engine->Modem().dialWaitTicks = base::SecsToTicks(15);
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), base::ecFaxNoAnswer) << Logs();
    const std::string result = CallResult();
    std::cout << "dial wait over: " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 3}));
    EXPECT_GT(callSeconds_, 14);
    EXPECT_LT(callSeconds_, 30) << "the dial wait was not kept";
    ExpectCallOver(result);
}

TEST_F(EngineSendFaultCall, LineDroppedDuringTheOnlyPage) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(kLongPageRows)}, true));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--fault", "drop-after-page:0"}));
    const std::string result = SendIntoDrop(apf, "dropped in page 1");
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "0") << result;
    EXPECT_LT(callSeconds_, 60);
}

TEST_F(EngineSendFaultCall, LineDroppedDuringTheSecondPageKeepsTheFirst) {
    const std::string apf = File("three.apf");
    ASSERT_NO_FATAL_FAILURE(
        WriteApfPages(apf, {TestPage(kLongPageRows / 5), TestPage(kLongPageRows), TestPage(kLongPageRows / 5)}, true));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif"),
                                         "--fault", "drop-after-page:1"}));
    harness_->engine->SetHeaderLine("$P/$N");
    const std::string result = SendIntoDrop(apf, "dropped in page 2");
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "1") << result;
    EXPECT_LT(callSeconds_, 70);
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 0), apf, 1, true);
    EXPECT_EQ(ReadFaxTiff(File("rx.tif"), 1).height, 0) << "the cut page was kept";
}

}  // namespace
}  // namespace vl::test
