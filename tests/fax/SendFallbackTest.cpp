// The send machine against a scripted Class 1 modem with a receiving station
// behind it: one that refuses the first training, so that the sender steps
// down a speed and trains again, and one that is slow to offer its new DIS
// after an EOM.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "EngineHarness.h"
#include "ScriptedClass1Modem.h"
#include "Waiting.h"
#include "base/ErrorCodes.h"
#include "fax/Class1Negotiation.h"
#include "fax/Class1Frames.h"
#include "ApfTestFiles.h"
#include "support/TestSupport.h"

namespace vl::fax::test {
namespace {

using namespace std::chrono_literals;

const std::string kConnect = "\r\nCONNECT\r\n";
// The modem sends the training or page, then says OK.
const std::string kSentThenOk = kConnect + std::string(kPause) + "\r\nOK\r\n";

int DcsRateBits(const ModemInput& dcs) { return dcs.frame.size() > 4 ? dcs.frame[4] & 0x3C : -1; }

TEST(SendFallback, FailedTrainingStepsDownOneSpeedAndTrainsAgain) {
    vl::test::TempDir dir;
    ScriptedClass1Modem modem;
    modem.Script("AT+FCLASS=?", {"\r\n0,1\r\n\r\nOK\r\n"});
    modem.Script("AT+FTM=?", {"\r\n24,48,72,96,121,145\r\n\r\nOK\r\n"});
    const auto dis = DisInfo(4);
    modem.Script("ATDT555", {FrameReply(fcf::kCsi, StationIdInfo("REMOTE"), false)});
    modem.Script("AT+FRH=3", {FrameReply(fcf::kDis, {dis.begin(), dis.end()}), FrameReply(fcf::kFtt),
                              FrameReply(fcf::kCfr)});
    modem.Script("AT+FTH=3", {kConnect});
    modem.Script("FRAME 43", {kConnect});
    modem.Script("FRAME 83", {"\r\nOK\r\n"});
    modem.Script("AT+FTM=96", {kSentThenOk});
    modem.Script("AT+FTM=72", {kSentThenOk});

    vl::test::EngineHarness harness(modem.SlavePath(), dir.folder());
    ASSERT_TRUE(harness.PortOpen());
    FaxEngine& engine = harness.MakeSender("LOCAL");
    const std::string apf = (dir.path() / "one.apf").string();
    WriteApf(apf, {TestPage{0, std::vector<std::uint8_t>(2000, 0)}});
    harness.Queue({"555", apf, ""});
    engine.Start();
    // Training, then the first page at 7200.
    ASSERT_TRUE(vl::test::PumpUntil(harness.loop, [&] { return modem.WaitFor("AT+FTM=72", 2, 0ms); }, 20s))
        << ::testing::PrintToString(modem.Texts());
    engine.Abort();
    EXPECT_EQ(harness.RunToFinish(20s), base::ecCancelRequested);

    std::vector<ModemInput> dcs;
    for (const ModemInput& input : modem.Inputs())
        if (input.text == "FRAME 83")
            dcs.push_back(input);
    ASSERT_EQ(dcs.size(), 2u);
    EXPECT_EQ(DcsRateBits(dcs[0]), 0x04);  // 9600
    EXPECT_EQ(DcsRateBits(dcs[1]), 0x0C);  // 7200
    EXPECT_EQ(engine.RemoteId(), "REMOTE");
    const auto texts = modem.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "FRAME 43"), 1);  // the TSI goes once
}

// After EOM and MCF the receiver may take a while before its new DIS; a
// modem that gives up listening meanwhile says NO CARRIER, and the sender
// listens again instead of giving up a fax whose first page is delivered.
TEST(SendFallback, NoCarrierWhileWaitingForTheNewDisListensAgain) {
    vl::test::TempDir dir;
    ScriptedClass1Modem modem;
    modem.Script("AT+FCLASS=?", {"\r\n0,1\r\n\r\nOK\r\n"});
    modem.Script("AT+FTM=?", {"\r\n24,48,72,96\r\n\r\nOK\r\n"});
    const auto dis = DisInfo(4);
    const std::string disReply = FrameReply(fcf::kDis, {dis.begin(), dis.end()});
    modem.Script("ATDT555", {FrameReply(fcf::kCsi, StationIdInfo("REMOTE"), false)});
    modem.Script("AT+FRH=3", {disReply, FrameReply(fcf::kCfr), FrameReply(fcf::kMcf), "\r\nNO CARRIER\r\n",
                              disReply, FrameReply(fcf::kCfr), FrameReply(fcf::kMcf)});
    modem.Script("AT+FTH=3", {kConnect});
    modem.Script("FRAME 43", {kConnect});
    modem.Script("AT+FTM=96", {kSentThenOk});

    vl::test::EngineHarness harness(modem.SlavePath(), dir.folder());
    ASSERT_TRUE(harness.PortOpen());
    FaxEngine& engine = harness.MakeSender("LOCAL");
    engine.Sender().endOfDocument = EndOfDocument::RenegotiateEom;
    const std::string apf = (dir.path() / "two.apf").string();
    const TestPage page{0, {0x00, 0x80, 0xB2, 0x59, 0x01, 0x00}};
    WriteApf(apf, {page, page});
    harness.Queue({"555", apf, ""});
    engine.Start();
    EXPECT_EQ(harness.RunToFinish(30s), 0) << ::testing::PrintToString(modem.Texts());

    const auto texts = modem.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "AT+FRH=3"), 7);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "FRAME 8F"), 1);  // EOM after the first page
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "FRAME 2F"), 1);  // EOP after the second
    EXPECT_EQ(harness.logs, (std::vector<int>{kLogTransmitStarted, kLogTransmitOk}));
    EXPECT_TRUE(harness.errors.empty());
}

}  // namespace
}  // namespace vl::fax::test
