// The engine's send machine makes real calls through a Class 1 modem on the
// simulated line: the fax machine at the far end stores what arrived.
#include <filesystem>

#include "EngineSendCall.h"
#include "base/ErrorCodes.h"
#include "faxdoc/FaxFont.h"

namespace vl::test {
namespace {

constexpr int kPageRows = 300;

using EngineSendCall = EngineSendCallFixture;

TEST_F(EngineSendCall, OneFinePageArrivesWithItsHeaderLine) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(kPageRows)}, true));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif"),
                                         "--faxterm-id", "+1 555 0199"}));
    harness_->engine->SetHeaderLine("VELLORA TEST  Page $P of $N");
    harness_->engine->Modem().desiredBps = 14400;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), 0) << Logs();
    const std::string result = CallResult();
    std::cout << "one fine page: " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "1") << result;
    EXPECT_EQ(JsonField(result, "coding"), "MR") << result;
    EXPECT_EQ(harness_->engine->RemoteId(), "+1 555 0199");
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 2}));
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 0), apf, 1, true);
}

// With MH only offered, the pages go as stored.
TEST_F(EngineSendCall, AFinePageInMhWhenWeOfferNothingElse) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(kPageRows)}, true));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif")}));
    harness_->engine->SetHeaderLine("$P/$N");
    harness_->engine->Modem().desiredBps = 14400;
    harness_->engine->Modem().desiredCoding = faxdoc::PageCoding::Mh;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), 0) << Logs();
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "coding"), "MH") << result;
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 0), apf, 1, true);
}

struct PagesAtSpeed {
    bool fine;
    int bps;
};

class EngineSendsThreePages : public EngineSendCall, public ::testing::WithParamInterface<PagesAtSpeed> {};

// Each speed has its own modulation (V.17, V.29, V.27ter), so each is a call.
TEST_P(EngineSendsThreePages, InOrderAtTheAskedSpeed) {
    const std::string apf = File("three.apf");
    const std::vector<Bitmap> pages = {TestPage(kPageRows / 2), TestPage(kPageRows / 3), TestPage(kPageRows / 4)};
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, pages, GetParam().fine));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif")}));
    harness_->engine->SetHeaderLine("$P/$N");
    harness_->engine->Modem().desiredBps = GetParam().bps;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), 0) << Logs();
    const std::string result = CallResult();
    std::cout << "three pages at " << GetParam().bps << ": " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "3") << result;
    EXPECT_EQ(JsonField(result, "bit_rate"), std::to_string(GetParam().bps)) << result;
    for (unsigned page = 1; page <= 3; ++page)
        ExpectPageArrived(ReadFaxTiff(File("rx.tif"), static_cast<int>(page - 1)), apf, page, GetParam().fine);
}

INSTANTIATE_TEST_SUITE_P(Speeds, EngineSendsThreePages,
                         ::testing::Values(PagesAtSpeed{false, 9600}, PagesAtSpeed{true, 14400},
                                           PagesAtSpeed{false, 4800}),
                         [](const auto& info) {
                             return std::string(info.param.fine ? "Fine" : "Normal") + std::to_string(info.param.bps);
                         });

TEST_F(EngineSendCall, TextCoverPageGoesFirst) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(kPageRows / 3)}, false));
    WriteFile(dir_.path() / "cover.txt", "To: $R\n\tFrom: $F\n\nPages: $N\n");
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif")}));
    harness_->engine->SetHeaderLine("$P/$N");
    harness_->engine->Session().headerRecipient = "Someone";
    harness_->engine->Session().headerSender = "Vellora";
    harness_->Queue({"0199", apf, File("cover.txt")});
    EXPECT_EQ(RunCall(), 0) << Logs();
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "2") << result;
    const Bitmap cover = ReadFaxTiff(File("rx.tif"), 0);
    const int headerRows = faxdoc::FaxFont(faxdoc::FaxFontSize::Small, false).GlyphHeight();
    const int textRows = faxdoc::FaxFont(faxdoc::FaxFontSize::Standard, false).GlyphHeight();
    // Blank rows, header, then four text lines (one empty), each padded by nothing.
    EXPECT_EQ(cover.height, kTopBlankRows + headerRows + 4 * textRows);
    EXPECT_GT(InkedRows(RowsOf(cover, kTopBlankRows + headerRows, textRows)).height, 0) << "no text on the cover";
    EXPECT_EQ(InkedRows(RowsOf(cover, kTopBlankRows + headerRows + 2 * textRows, textRows)).height, 0);
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 1), apf, 1, false);
}

// The cover is fine and the body normal: the resolution changes inside the
// call, so the engine ends the cover with EOM and negotiates again.
TEST_F(EngineSendCall, FineCoverThenNormalBodyInOneCall) {
    const std::string cover = File("cover.apf");
    const std::string body = File("body.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(cover, {TestPage(kPageRows / 2)}, true));
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(body, {TestPage(kPageRows / 3), TestPage(kPageRows / 4)}, false));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif")}));
    harness_->engine->SetHeaderLine("$P/$N");
    harness_->Queue({"0199", body, cover});
    EXPECT_EQ(RunCall(), 0) << Logs();
    const std::string result = CallResult();
    std::cout << "fine cover, normal body: " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "3") << result;
    EXPECT_TRUE(FaxTiffPageIsFine(File("rx.tif"), 0));
    EXPECT_FALSE(FaxTiffPageIsFine(File("rx.tif"), 1));
    EXPECT_FALSE(FaxTiffPageIsFine(File("rx.tif"), 2));
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 0), cover, 1, true);
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 1), body, 1, false);
    ExpectPageArrived(ReadFaxTiff(File("rx.tif"), 2), body, 2, false);
}

TEST_F(EngineSendCall, BusyLineIsRedialledThenGivenUp) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(20)}, false));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--fault", "busy"}));
    harness_->engine->Session().maxDialAttempts = 2;
    harness_->engine->Session().dialRetryWaitTicks = base::SecsToTicks(1);
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), base::ecFaxBusy) << Logs();
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 3}));
    EXPECT_NE(std::find(harness_->progress.begin(), harness_->progress.end(), base::fpBusyWait),
              harness_->progress.end());
}

// A Class 1 modem hears no fax tones from a person and gives up as it does on
// a silent line: "NO CARRIER". Only modems that report "VOICE" give -8065.
TEST_F(EngineSendCall, VoiceAnswerEndsTheFaxAsNoCarrier) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(20)}, false));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--fault", "voice"}));
    harness_->engine->Session().flags = fax::kFlagExitOnError;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), base::ecFaxNoCarrier) << Logs();
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 3}));
}

TEST_F(EngineSendCall, NoDialToneEndsTheFax) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(20)}, false));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--fault", "no-dialtone"}));
    harness_->engine->Session().flags = fax::kFlagExitOnError;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), base::ecFaxNoDialTone) << Logs();
}

}  // namespace
}  // namespace vl::test
