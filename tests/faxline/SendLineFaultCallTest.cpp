// The engine's send machine against what a real line and a real modem bring:
// a person who answers, heard by a modem that says so, and a long weak line
// on which the fastest speeds fail their training check.
#include <algorithm>
#include <string>
#include <vector>

#include "ApfPages.h"
#include "EngineSendCall.h"
#include "base/ErrorCodes.h"
#include "faxdoc/FaxFont.h"

namespace vl::test {
namespace {

constexpr int kPageRows = 300;
// Rows that noise may still spoil at the speed the training check let through.
constexpr double kSpoiltRowsAllowed = 0.05;

// How many of `sent` appear in `received` in the same order: rows a hit
// spoilt, dropped (a damaged EOL joins two rows) or added (noise that reads as
// an EOL splits one) are the ones not found.
int RowsFoundInOrder(const std::vector<std::string>& sent, const std::vector<std::string>& received) {
    std::vector<int> before(received.size() + 1, 0), now(received.size() + 1, 0);
    for (const std::string& row : sent) {
        for (std::size_t j = 1; j <= received.size(); ++j)
            now[j] = row == received[j - 1] ? before[j - 1] + 1 : std::max(before[j], now[j - 1]);
        std::swap(before, now);
    }
    return before.back();
}

class EngineSendLineFault : public EngineSendCallFixture {
protected:
    // The page arrived with its header line and nearly every row as sent: the
    // fax machine repeats the row above for a row it cannot decode, and a hit
    // on a line's EOL costs or adds a row.
    static void ExpectPageArrivedThroughNoise(const Bitmap& received, const std::string& apf, bool fine) {
        const Bitmap sent = WidenedTo(ApfPageBitmap(apf, 1), received.width);
        const int headerRows = faxdoc::FaxFont(faxdoc::FaxFontSize::Small, fine).GlyphHeight();
        const int top = kTopBlankRows + headerRows;
        ASSERT_GT(received.height, top);
        EXPECT_NEAR(received.height, top + sent.height, kSpoiltRowsAllowed * sent.height);
        EXPECT_GT(InkedRows(RowsOf(received, kTopBlankRows, headerRows)).height, 0) << "no header line";
        const Bitmap body = RowsOf(received, top, received.height - top);
        const int found = RowsFoundInOrder(sent.rows, body.rows);
        std::cout << sent.height - found << " of " << sent.height << " rows spoilt, lost or added by the noise ("
                  << received.height - top << " rows arrived)\n";
        EXPECT_GE(found, (1 - kSpoiltRowsAllowed) * sent.height);
    }
};

// The modem hears speech and no fax tone after the answer and reports
// "VOICE" while the engine waits for its dial to connect.
TEST_F(EngineSendLineFault, PersonAnsweringEndsAsAVoiceCall) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(20)}, false));
    ASSERT_NO_FATAL_FAILURE(
        StartSender({"--a", "class1", "--b", "faxterm", "--fault", "voice", "--class1-voice-detect"}));
    harness_->engine->Session().flags = fax::kFlagExitOnError;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), base::ecFaxVoiceCall) << Logs();
    const std::string result = CallResult();
    std::cout << "voice answer: " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(JsonField(result, "result"), "voice") << result;
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 3}));
    EXPECT_FALSE(harness_->engine->Running()) << "the engine still holds the port";
    // The person answers 7 s after the dial; the modem listens a few seconds.
    EXPECT_LT(callSeconds_, 20) << "the modem waited for fax tones instead";
}

// Loss and noise leave too little margin for 14400, 12000 and 9600 bit/s:
// the fax machine answers their training checks with FTT, and the page goes
// at 7200. The rows the noise may spoil are counted for MH: in MR a spoilt
// line takes the lines coded against it along.
TEST_F(EngineSendLineFault, WeakNoisyLineFallsBackToASlowerSpeed) {
    const std::string apf = File("one.apf");
    ASSERT_NO_FATAL_FAILURE(WriteApfPages(apf, {TestPage(kPageRows)}, true));
    ASSERT_NO_FATAL_FAILURE(StartSender({"--a", "class1", "--b", "faxterm", "--faxterm-receive", File("rx.tif"),
                                         "--fault", "loss:20", "--fault", "noise:-50"}));
    harness_->engine->SetHeaderLine("$P/$N");
    harness_->engine->Modem().desiredBps = 14400;
    harness_->engine->Modem().desiredCoding = faxdoc::PageCoding::Mh;
    harness_->Queue({"0199", apf, ""});
    EXPECT_EQ(RunCall(), 0) << Logs();
    const std::string result = CallResult();
    std::cout << "weak noisy line: " << callSeconds_ << " s, " << result << "\n";
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "1") << result;
    const int bitRate = std::stoi("0" + JsonField(result, "bit_rate"));
    EXPECT_GT(bitRate, 0) << result;
    EXPECT_LT(bitRate, 14400) << "no fallback: " << result;
    EXPECT_EQ(harness_->engine->Modem().params.bps, bitRate) << "the engine lost track of its speed";
    EXPECT_EQ(harness_->logs, (std::vector<int>{1, 2}));
    ExpectPageArrivedThroughNoise(ReadFaxTiff(File("rx.tif"), 0), apf, true);
}

}  // namespace
}  // namespace vl::test
