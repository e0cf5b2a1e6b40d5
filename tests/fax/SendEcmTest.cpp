// The send machine's error correction against a scripted Class 1 modem with
// a receiver behind it that keeps asking for a frame again: the frame goes
// again after each PPR, a garbled PPR only brings the PPS again, and after
// the fourth PPR the speed drops with CTC before the frame goes once more.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "ApfTestFiles.h"
#include "EngineHarness.h"
#include "ScriptedClass1Modem.h"
#include "base/ErrorCodes.h"
#include "fax/Class1Frames.h"
#include "fax/Class1Negotiation.h"
#include "support/TestSupport.h"

namespace vl::fax::test {
namespace {

using namespace std::chrono_literals;

const std::string kConnect = "\r\nCONNECT\r\n";

long Count(const std::vector<std::string>& texts, const std::string& text)
{
    return std::count(texts.begin(), texts.end(), text);
}

TEST(SendEcm, PprsBringFramesAgainThenCtcDropsTheSpeed)
{
    vl::test::TempDir dir;
    ScriptedClass1Modem modem;
    modem.Script("AT+FCLASS=?", {"\r\n0,1\r\n\r\nOK\r\n"});
    modem.Script("AT+FTM=?", {"\r\n24,48,72,96\r\n\r\nOK\r\n"});
    const auto dis = DisInfo(4, CodingCaps{false, false, true});
    std::vector<std::uint8_t> frame0(32, 0);
    frame0[0] = 0x01;
    const std::string ppr = FrameReply(fcf::kPpr, frame0);
    const std::string garbled = FrameReply(fcf::kPpr, std::vector<std::uint8_t>(31, 0xFF));
    modem.Script("ATDT555", {FrameReply(fcf::kCsi, StationIdInfo("REMOTE"), false)});
    modem.Script("AT+FRH=3", {FrameReply(fcf::kDis, {dis.begin(), dis.end()}), FrameReply(fcf::kCfr), garbled, ppr,
                              ppr, ppr, ppr, FrameReply(fcf::kCtr), FrameReply(fcf::kMcf)});
    modem.Script("AT+FTH=3", {kConnect});
    modem.Script("FRAME 43", {kConnect});
    modem.Script("AT+FTM=96", {kConnect + std::string(kPause) + "\r\nOK\r\n"});
    for (const char* fast : {"AT+FTH=96", "AT+FTH=72", "FRAME 06", "FRAME 86"})
        modem.Script(fast, {kConnect});

    vl::test::EngineHarness harness(modem.SlavePath(), dir.folder());
    ASSERT_TRUE(harness.PortOpen());
    FaxEngine& engine = harness.MakeSender("LOCAL");
    engine.Modem().desiredEcm = '1';
    engine.Modem().desiredCoding = faxdoc::PageCoding::Mh;
    const std::string apf = (dir.path() / "one.apf").string();
    WriteApf(apf, {TestPage{0, std::vector<std::uint8_t>(2000, 0)}});
    harness.Queue({"555", apf, ""});
    engine.Start();
    EXPECT_EQ(harness.RunToFinish(60s), 0) << ::testing::PrintToString(modem.Texts());

    const auto texts = modem.Texts();
    const long frames = Count(texts, "FRAME 06");
    const long firstBlock = frames - 4;
    ASSERT_GE(firstBlock, 1) << ::testing::PrintToString(texts);
    // PPS after the block, the garbled PPR, and each frame sent again.
    EXPECT_EQ(Count(texts, "FRAME BF"), 6);
    EXPECT_EQ(Count(texts, "FRAME 86"), 3 * 5);
    EXPECT_EQ(Count(texts, "DLE ETX"), 5);
    EXPECT_EQ(Count(texts, "AT+FTH=96"), 4);
    EXPECT_EQ(Count(texts, "AT+FTH=72"), 1);
    std::vector<ModemInput> ctc;
    std::vector<ModemInput> fcd;
    for (const ModemInput& input : modem.Inputs()) {
        if (input.text == "FRAME 13")
            ctc.push_back(input);
        if (input.text == "FRAME 06")
            fcd.push_back(input);
    }
    ASSERT_EQ(ctc.size(), 1u);
    ASSERT_GE(ctc[0].frame.size(), 5u);
    EXPECT_EQ(ctc[0].frame[4] & 0x3C, 0x0C);  // 7200
    // Only frame 0 went again, each time whole.
    for (std::size_t i = static_cast<std::size_t>(firstBlock); i < fcd.size(); ++i) {
        EXPECT_EQ(fcd[i].frame[3], 0);
        EXPECT_EQ(fcd[i].frame, fcd[0].frame);
    }
}

// A receiver not ready (RNR) is asked again with RR; at the lowest speed the
// fourth PPR gives the block up with EOR, which carries the page's EOP: the
// page is lost, so the fax fails.
TEST(SendEcm, RnrIsAskedAgainAndTheLowestSpeedEndsWithEor)
{
    vl::test::TempDir dir;
    ScriptedClass1Modem modem;
    modem.Script("AT+FCLASS=?", {"\r\n0,1\r\n\r\nOK\r\n"});
    modem.Script("AT+FTM=?", {"\r\n24,48\r\n\r\nOK\r\n"});
    const auto dis = DisInfo(2, CodingCaps{false, false, true});
    std::vector<std::uint8_t> frame0(32, 0);
    frame0[0] = 0x01;
    const std::string ppr = FrameReply(fcf::kPpr, frame0);
    modem.Script("ATDT555", {FrameReply(fcf::kCsi, StationIdInfo("REMOTE"), false)});
    modem.Script("AT+FRH=3", {FrameReply(fcf::kDis, {dis.begin(), dis.end()}), FrameReply(fcf::kCfr),
                              FrameReply(fcf::kRnr), ppr, ppr, ppr, ppr, FrameReply(fcf::kErr)});
    modem.Script("AT+FTH=3", {kConnect});
    modem.Script("FRAME 43", {kConnect});
    modem.Script("AT+FTM=24", {kConnect + std::string(kPause) + "\r\nOK\r\n"});
    for (const char* fast : {"AT+FTH=24", "FRAME 06", "FRAME 86"})
        modem.Script(fast, {kConnect});

    vl::test::EngineHarness harness(modem.SlavePath(), dir.folder());
    ASSERT_TRUE(harness.PortOpen());
    FaxEngine& engine = harness.MakeSender("LOCAL");
    engine.Modem().desiredEcm = '1';
    engine.Modem().desiredCoding = faxdoc::PageCoding::Mh;
    engine.Modem().desiredBps = 2400;
    const std::string apf = (dir.path() / "one.apf").string();
    WriteApf(apf, {TestPage{0, std::vector<std::uint8_t>(2000, 0)}});
    harness.Queue({"555", apf, ""});
    engine.Start();
    EXPECT_EQ(harness.RunToFinish(60s), base::ecFaxSessionError) << ::testing::PrintToString(modem.Texts());

    const auto texts = modem.Texts();
    EXPECT_EQ(Count(texts, "FRAME 6F"), 1);  // RR
    EXPECT_EQ(Count(texts, "FRAME BF"), 4);  // PPS: the block's, then after three sendings again
    EXPECT_EQ(Count(texts, "FRAME 13"), 0);  // no CTC below 2400
    EXPECT_EQ(Count(texts, "AT+FTH=24"), 4);
    std::vector<ModemInput> eor;
    for (const ModemInput& input : modem.Inputs()) {
        if (input.text == "FRAME CF")
            eor.push_back(input);
    }
    ASSERT_EQ(eor.size(), 1u) << ::testing::PrintToString(texts);
    ASSERT_GE(eor[0].frame.size(), 4u);
    EXPECT_EQ(eor[0].frame[3], fcf::kEop);
}

}  // namespace
}  // namespace vl::fax::test
