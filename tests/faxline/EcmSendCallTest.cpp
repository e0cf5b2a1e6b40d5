// The engine sends with error correction through a Class 1 modem: the fax
// machine at the far end takes the pages as numbered frames in blocks and
// stores them as sent.
#include <fstream>

#include "EngineSendCall.h"
#include "base/ErrorCodes.h"

namespace vl::test {
namespace {

constexpr int kPageRows = 300;

class EngineSendsWithEcm : public EngineSendCallFixture {
protected:
    void StartEcmSender(std::vector<std::string> extraLineArgs = {}) {
        std::vector<std::string> args = {"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif")};
        args.insert(args.end(), extraLineArgs.begin(), extraLineArgs.end());
        ASSERT_NO_FATAL_FAILURE(StartSender(args));
        harness_->engine->SetHeaderLine("$P/$N");
        harness_->engine->Modem().desiredEcm = '1';
        harness_->engine->Modem().desiredCoding = faxdoc::PageCoding::Mh;
        harness_->engine->Modem().desiredBps = 9600;
        harness_->port->StartDispatchLog(1 << 20);
    }

    // How many times the engine noted frames sent again in the dispatch log
    // (read without blanks: the log wraps long entries anywhere).
    int FramesSentAgainNotes() {
        const std::string file = File("dispatch.log");
        harness_->port->WriteDispatchLog(file, false, false, false);
        std::ifstream in(file);
        std::string log;
        for (char c; in.get(c);) {
            if (c != ' ' && c != '\n')
                log += c;
        }
        int notes = 0;
        for (std::size_t at = log.find("framessentagain"); at != std::string::npos;
             at = log.find("framessentagain", at + 1))
            ++notes;
        return notes;
    }
};

struct EcmCoding {
    faxdoc::PageCoding offered;
    const char* onLine;
};

class EngineSendsWithEcmIn : public EngineSendsWithEcm, public ::testing::WithParamInterface<EcmCoding> {};

// The best coding we offer is the one the call takes: the fax machine has
// them all.
TEST_P(EngineSendsWithEcmIn, PagesArriveWholeAsFramesInBlocks) {
    const std::string apf = File("two.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(kPageRows), TestPage(kPageRows / 3)}, true));
    ASSERT_NO_FATAL_FAILURE(StartEcmSender());
    harness_->engine->Modem().desiredCoding = GetParam().offered;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), 0) << Logs();
    const std::string result = CallResult();
    std::cout << "two pages with ECM in " << GetParam().onLine << ": " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "2") << result;
    EXPECT_EQ(JsonField(result, "coding"), GetParam().onLine) << result;
    EXPECT_EQ(JsonField(result, "ecm"), "true") << result;
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 2}));
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 0), apf, 1, true);
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 1), apf, 2, true);
    EXPECT_EQ(FramesSentAgainNotes(), 0) << "frames sent again on a clean line";
}

INSTANTIATE_TEST_SUITE_P(Codings, EngineSendsWithEcmIn,
                         ::testing::Values(EcmCoding{faxdoc::PageCoding::Mh, "MH"},
                                           EcmCoding{faxdoc::PageCoding::Mr, "MR"},
                                           EcmCoding{faxdoc::PageCoding::Mmr, "MMR"}),
                         [](const auto& info) { return std::string(info.param.onLine); });

// Loss and noise that spoil rows of a page sent without error correction
// (EngineSendLineFault): the frames they hit are named in PPRs and sent
// again, and the page arrives exactly as sent.
TEST_F(EngineSendsWithEcm, NoisyLineCostsFramesSentAgainNotRows) {
    const std::string apf = File("two.apf");
    // Two pages, so that the noise surely hits some of their frames.
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(kPageRows), TestPage(kPageRows)}, true));
    callLimit_ = std::chrono::seconds(150);
    ASSERT_NO_FATAL_FAILURE(StartEcmSender({"--fault", "loss:20", "--fault", "noise:-50"}));
    harness_->engine->Modem().desiredBps = 14400;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), 0) << Logs();
    const std::string result = CallResult();
    const int pprs = FramesSentAgainNotes();
    std::cout << "noisy line with ECM: " << callSeconds_ << " s, " << pprs << " PPRs answered, " << result << "\n";
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "2") << result;
    EXPECT_GT(pprs, 0) << "no frame was sent again: the noise spoilt nothing";
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 0), apf, 1, true);
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 1), apf, 2, true);
}

}  // namespace
}  // namespace vl::test
