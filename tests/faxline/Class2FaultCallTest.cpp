// Calls through Class 2 and Class 2.0 modems that go wrong: pages the far
// modem finds bad, a far end that cannot take fine pages, a busy line.
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "ApfPages.h"
#include "EngineSendCall.h"
#include "base/ErrorCodes.h"
#include "base/Ticks.h"
#include "fax/FaxCodes.h"
#include "faxdoc/ApfReader.h"

namespace vl::test {
namespace {

constexpr int kPageRows = 200;

// Our own receive machine on end B: it takes every call and keeps what it
// reports.
class ReceivingEngine {
public:
    ReceivingEngine(const std::string& device, const std::string& folder, int faxClass)
        : harness_(device, folder)
    {
        if (!harness_.PortOpen())
            return;
        harness_.window = std::make_unique<base::MessageWindow>(
            harness_.loop, [this](const base::WindowMessage& m) { return OnMessage(m); });
        harness_.engine = fax::CreateReceiver("+1 555 0102", *harness_.port, harness_.window.get());
        fax::FaxEngine& engine = *harness_.engine;
        engine.Session().faxClass = faxClass;
        engine.Session().destinationDir = folder + "in/";
        engine.Session().flags = fax::kFlagExitOnError;
        engine.Receiver().oneFax = true;
        std::filesystem::create_directory(folder + "in");
    }

    bool Ready() const { return harness_.engine != nullptr; }
    int Start() { return harness_.engine->Start(); }
    base::MessageLoop& Loop() { return harness_.loop; }

    std::vector<int> logs;
    std::optional<int> finished;

private:
    std::intptr_t OnMessage(const base::WindowMessage& m)
    {
        if (m.msg == fax::kMsgLog)
            logs.push_back(static_cast<int>(m.wParam));
        if (m.msg == fax::kMsgFinish)
            finished = static_cast<int>(static_cast<std::intptr_t>(m.wParam));
        return m.msg == fax::kMsgAccept ? 1 : 0;
    }

    EngineHarness harness_;
};

class Class2FaultCall : public EngineSendCallFixture {
protected:
    // Sends `pages` normal pages from end A to our receiver on end B through
    // modems of `endpoint` kind, the receiving modem finding the first
    // `badPages` bad; the sender's finish code.
    int SendToOurReceiver(const std::string& endpoint, int faxClass, int pages, int badPages)
    {
        apf_ = File("pages.apf");
        std::vector<Bitmap> bitmaps;
        for (int page = 1; page <= pages; ++page)
            bitmaps.push_back(TestPage(kPageRows / page));
        EXPECT_NO_FATAL_FAILURE(WriteApfPages(apf_, bitmaps, false));
        EXPECT_NO_FATAL_FAILURE(
            StartSender({"--a", endpoint, "--b", endpoint, "--fault", "bad-pages:" + std::to_string(badPages)}));
        if (!harness_)
            return 1;
        receiver_ = std::make_unique<ReceivingEngine>(File("ttyB"), dir_.folder(), faxClass);
        EXPECT_TRUE(receiver_->Ready());
        if (!receiver_->Ready())
            return 1;
        harness_->engine->Session().faxClass = faxClass;
        harness_->Queue({"0102", apf_, ""});
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(receiver_->Start(), 0);
        EXPECT_EQ(harness_->engine->Start(), 0);
        // Both machines run on this thread's loops, a slice at a time.
        const auto until = start + kCallLimit;
        while ((!harness_->finished || !receiver_->finished) && std::chrono::steady_clock::now() < until) {
            harness_->loop.Run(std::chrono::milliseconds(10));
            receiver_->Loop().Run(std::chrono::milliseconds(10));
        }
        callSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_TRUE(harness_->finished && receiver_->finished) << "a machine did not finish";
        result_ = CallResult();
        std::cout << endpoint << ", bad-pages:" << badPages << ": " << callSeconds_ << " s, " << result_
                  << "\n";
        return harness_->finished.value_or(1);
    }

    // How often the sender's progress turned to a page error (status messages
    // repeat a progress that stays).
    int PageErrors() const
    {
        int errors = 0;
        int before = 0;
        for (const int progress : harness_->progress) {
            errors += progress == base::fpPageError && before != base::fpPageError;
            before = progress;
        }
        return errors;
    }

    // The page arrived as sent, under the blank rows the sender puts on top
    // (no header line is set).
    void ExpectPageStored(const std::string& received, unsigned page)
    {
        const Bitmap stored = ApfPageBitmap(received, page);
        const Bitmap sent = WidenedTo(ApfPageBitmap(apf_, page), stored.width);
        ASSERT_EQ(stored.height, kTopBlankRows + sent.height);
        EXPECT_EQ(InkedRows(RowsOf(stored, 0, kTopBlankRows)).height, 0) << "top rows are not blank";
        EXPECT_EQ(RowsOf(stored, kTopBlankRows, sent.height), sent);
    }

    std::string apf_;
    std::unique_ptr<ReceivingEngine> receiver_;
    std::string result_;  // linesim's report of the call
};

// The first page comes back bad once: it goes again from its start, and the
// received file holds each page once, as sent, the next page numbered 2.
TEST_F(Class2FaultCall, BadPageIsSentAgainAndTheBadCopyIsDropped)
{
    EXPECT_EQ(SendToOurReceiver("class2", fax::kClass2, 2, 1), 0) << Logs();
    EXPECT_EQ(receiver_->finished.value_or(1), 0) << Logs();
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 2}));
    EXPECT_EQ(receiver_->logs, (std::vector<int>{fax::kLogReceiveStarted, fax::kLogReceiveOk}));
    EXPECT_EQ(PageErrors(), 1);
    faxdoc::ApfReader reader;
    const std::string received = File("in/FAX0001.APF");
    ASSERT_EQ(reader.Open(received), 0);
    EXPECT_EQ(reader.Header().pageCount, 2);
    for (unsigned page = 1; page <= 2; ++page)
        ASSERT_NO_FATAL_FAILURE(ExpectPageStored(received, page)) << "page " << page;
    EXPECT_EQ(JsonField(result_, "pages_a_to_b"), "2") << result_;
}

// The first of two pages is bad three times running: the fax ends there, and
// the receiver stores no bad page. Class 2.0 modems report the page status
// before OK.
TEST_F(Class2FaultCall, ThirdBadPageEndsTheFax)
{
    EXPECT_EQ(SendToOurReceiver("class2.0", fax::kClass2_0, 2, 3), base::ecFaxSessionError) << Logs();
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 3}));
    EXPECT_EQ(PageErrors(), 3);
    EXPECT_EQ(JsonField(result_, "pages_a_to_b"), "0") << result_;
    // A file may stay for the fax that began, but without the bad page.
    faxdoc::ApfReader reader;
    const bool stored = reader.Open(File("in/FAX0001.APF")) == 0;
    EXPECT_EQ(stored ? reader.Header().pageCount : 0, 0);
}

using Class2RefusalCall = EngineSendCallFixture;

// efax's modem offers normal resolution only: the fine page cannot go, and the
// call ends before any page data.
TEST_F(Class2RefusalCall, FinePageToAFarEndWithoutFineFailsBeforePageData)
{
    const std::string apf = File("fine.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(kPageRows)}, true));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class2.0", "--b", "class2.0"}));
    auto receiver = Efax('b', {"-o0", "-c", "0,5,0,2,0,0,0,0", "-l", "+1 555 0102", "-r", File("rx")});
    harness_->engine->Session().faxClass = fax::kClass2_0;
    harness_->Queue({"0102", apf, ""});
    EXPECT_EQ(RunCall(), base::ecFaxBadMachine) << Logs();
    EfaxStatus(*receiver);
    const std::string result = CallResult();
    std::cout << "fine page to a normal-only far end: " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 3}));
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "0") << result;
    EXPECT_FALSE(std::filesystem::exists(File("rx.001")));
}

TEST_F(Class2RefusalCall, BusyLineIsRedialledThenGivenUp)
{
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(20)}, false));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class2", "--b", "class2", "--fault", "busy"}));
    harness_->engine->Session().faxClass = fax::kClass2;
    harness_->engine->Session().maxDialAttempts = 2;
    harness_->engine->Session().dialRetryWaitTicks = base::SecsToTicks(1);
    harness_->Queue({"0102", apf, ""});
    EXPECT_EQ(RunCall(), base::ecFaxBusy) << Logs();
    std::cout << "busy line, two attempts: " << callSeconds_ << " s\n";
    EXPECT_GE(callSeconds_, 7.0) << "two busy dials of 3 s and the wait between";
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 3}));
    EXPECT_NE(std::find(harness_->progress.begin(), harness_->progress.end(), base::fpBusyWait),
              harness_->progress.end());
}

}  // namespace
}  // namespace vl::test
