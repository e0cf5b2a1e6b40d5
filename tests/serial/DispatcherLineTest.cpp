// Line settings, DTR and RTS, modem status, line errors and flow control.
#include <future>

#include "DispatcherFixture.h"
#include "base/ErrorCodes.h"

namespace vl::test {
namespace {

using namespace serial;
using namespace std::chrono_literals;

class DispatcherLineTest : public DispatcherTest {
protected:
    void SetUp() override { ASSERT_EQ(Open(), 0); }
};

TEST_F(DispatcherLineTest, NothingChangedMeansNothingDoneAndNoWait)
{
    device->HoldWrites(true);
    ASSERT_EQ(dispatcher->WriteText("queued"), 0);
    const int writes = device->SetSettingsCalls();
    // With output held a drain would last ten seconds.
    EXPECT_EQ(dispatcher->SetLineParams(kBaudUnchanged, kParityUnchanged, kDataBitsUnchanged, kStopBitsUnchanged), 0);
    EXPECT_EQ(dispatcher->SetLineParams(19200, 0, 8, 1), 0);
    EXPECT_EQ(device->SetSettingsCalls(), writes);
    EXPECT_EQ(dispatcher->OutputUsed(), 6);
    device->HoldWrites(false);
}

TEST_F(DispatcherLineTest, QueuedOutputGoesOutBeforeTheLineChanges)
{
    device->HoldWrites(true);
    ASSERT_EQ(dispatcher->WriteText("before"), 0);
    ASSERT_TRUE(device->WaitWriteBlocked(5s));
    auto change = std::async(std::launch::async, [&] { return dispatcher->SetLineParams(9600, kParityUnchanged, kDataBitsUnchanged, kStopBitsUnchanged); });
    device->HoldWrites(false);
    EXPECT_EQ(change.get(), 0);
    EXPECT_EQ(device->OutputAtLastSettings(), 6u);
    EXPECT_EQ(device->Settings().baud, 9600);
}

TEST_F(DispatcherLineTest, FramingArgumentsMapToTheDevice)
{
    ASSERT_EQ(dispatcher->SetLineParams(kBaudUnchanged, 2, 7, 2), 0);
    LineSettings settings = device->Settings();
    EXPECT_EQ(settings.parity, Parity::Even);
    EXPECT_EQ(settings.dataBits, 7);
    EXPECT_EQ(settings.stopBits, 2);

    ASSERT_EQ(dispatcher->SetLineParams(kBaudUnchanged, kParityUnchanged, 5, kStopBitsUnchanged), 0);
    EXPECT_EQ(device->Settings().stopBits, kOneAndHalfStopBits);
    const LineParams params = dispatcher->GetLineParams();
    EXPECT_EQ(params.baud, 19200);
    EXPECT_EQ(params.parity, 2);
    EXPECT_EQ(params.dataBits, 5);
    EXPECT_EQ(params.stopBits, 2);

    ASSERT_EQ(dispatcher->SetLineParams(kBaudUnchanged, kParityUnchanged, 8, 0), 0);
    EXPECT_EQ(device->Settings().stopBits, 1);
    ASSERT_EQ(dispatcher->SetLineParams(kBaudUnchanged, kParityUnchanged, kDataBitsUnchanged, 7), 0);
    EXPECT_EQ(device->Settings().stopBits, 2);
    EXPECT_EQ(dispatcher->SetLineParams(kBaudUnchanged, 6, kDataBitsUnchanged, kStopBitsUnchanged), base::ecBadArgument);
}

TEST_F(DispatcherLineTest, DtrKeepsItsSetStateAcrossLineChangesAndHandshakeLeavesItAlone)
{
    EXPECT_TRUE(device->Dtr());
    EXPECT_EQ(dispatcher->SetDtrState(false), 0);
    EXPECT_FALSE(device->Dtr());
    ASSERT_EQ(dispatcher->SetLineParams(38400, kParityUnchanged, kDataBitsUnchanged, kStopBitsUnchanged), 0);
    EXPECT_FALSE(device->Dtr());

    device->FailEscapes(true);
    EXPECT_EQ(dispatcher->SetDtrState(true), base::ecBadArgument);
    EXPECT_EQ(dispatcher->SetRtsState(true), base::ecBadArgument);
    device->FailEscapes(false);

    ASSERT_EQ(dispatcher->SetHardwareFlow(3000, 100, hfUseDtr), 0);
    EXPECT_EQ(device->Settings().dtrControl, DtrControl::Handshake);
    EXPECT_EQ(dispatcher->SetDtrState(false), 1);
    ASSERT_EQ(dispatcher->SetHardwareFlow(3000, 100, 0), 0);
    EXPECT_EQ(device->Settings().dtrControl, DtrControl::Disable);
    EXPECT_EQ(dispatcher->SetDtrState(true), 0);
}

TEST_F(DispatcherLineTest, FlowLimitsAreCheckedAndReadBack)
{
    EXPECT_EQ(dispatcher->SetHardwareFlow(4097, 10, hfUseRts), base::ecBadArgument);
    EXPECT_EQ(dispatcher->SetHardwareFlow(10, 20, hfUseRts), base::ecBadArgument);
    EXPECT_EQ(dispatcher->SetSoftwareFlow(4097, 10, sfReceive), base::ecBadArgument);
    ASSERT_EQ(dispatcher->SetHardwareFlow(3686, 410, hfUseRts | hfRequireCts), 0);
    FlowSettings flow = dispatcher->GetFlowSettings();
    EXPECT_EQ(flow.hardwareOptions, hfUseRts | hfRequireCts);
    EXPECT_EQ(flow.bufferFull, 3686);
    EXPECT_EQ(flow.bufferResume, 410);
    EXPECT_EQ(dispatcher->SetRtsState(false), 1);

    ASSERT_EQ(dispatcher->SetSoftwareFlow(3072, 1024, sfReceive | sfTransmit), 0);
    flow = dispatcher->GetFlowSettings();
    EXPECT_EQ(flow.softwareOptions, sfReceive | sfTransmit);
    EXPECT_EQ(flow.bufferFull, 3072);
    EXPECT_EQ(flow.xonChar, 17);
    EXPECT_EQ(flow.xoffChar, 19);
    ASSERT_EQ(dispatcher->SetXonXoffChars(1, 2), 0);
    EXPECT_EQ(dispatcher->GetFlowSettings().xoffChar, 2);
    ASSERT_EQ(dispatcher->ClearSoftwareFlow(), 0);
    EXPECT_EQ(dispatcher->GetFlowSettings().softwareOptions, 0u);
}

TEST_F(DispatcherLineTest, Rs485HandsRtsToTheDevice)
{
    ASSERT_EQ(dispatcher->SetRs485Mode(true), 0);
    EXPECT_TRUE(dispatcher->Rs485Mode());
    EXPECT_EQ(device->Settings().rtsControl, RtsControl::Toggle);
    EXPECT_EQ(dispatcher->SetRtsState(true), 1);
    ASSERT_EQ(dispatcher->SetHardwareFlow(100, 10, 0), 0);
    EXPECT_EQ(device->Settings().rtsControl, RtsControl::Toggle);
    ASSERT_EQ(dispatcher->SetRs485Mode(false), 0);
    EXPECT_EQ(device->Settings().rtsControl, RtsControl::Enable);
    EXPECT_EQ(dispatcher->SetRtsState(false), 0);
}

TEST_F(DispatcherLineTest, ModemStatusDeltasAreKeptUntilCleared)
{
    EXPECT_TRUE(dispatcher->CheckSignal(msCts));
    device->SetModemStatus(msDsr | msDcd);  // CTS drops
    device->SetModemStatus(msDsr | msDcd | msRing);
    ASSERT_TRUE(WaitFor([&] { return (dispatcher->ReadModemStatus(0) & mdTrailingRing) != 0; }));
    std::uint8_t status = dispatcher->ReadModemStatus(mdDeltaCts);
    EXPECT_EQ(status & 0xF0, msDsr | msDcd | msRing);
    EXPECT_TRUE(status & mdDeltaCts);
    status = dispatcher->ReadModemStatus(0);
    EXPECT_FALSE(status & mdDeltaCts);
    EXPECT_TRUE(dispatcher->CheckDelta(mdTrailingRing));
    EXPECT_FALSE(dispatcher->CheckDelta(mdTrailingRing));
    EXPECT_FALSE(dispatcher->CheckSignal(msCts));
}

TEST_F(DispatcherLineTest, LineErrorsComeOutByPriorityAndBreakSeparately)
{
    device->AddErrors(leFraming | leParity | leBreak);
    EXPECT_EQ(dispatcher->TakeLineError(), lcParity);
    EXPECT_EQ(dispatcher->TakeLineError(), lcBreak);
    EXPECT_TRUE(dispatcher->TakeBreak());
    EXPECT_FALSE(dispatcher->TakeBreak());
    EXPECT_EQ(dispatcher->TakeLineError(), lcNone);
    device->AddErrors(leReceiveOverrun | leOverrun);
    EXPECT_EQ(dispatcher->TakeLineError(), lcReceiveOverrun);
}

}  // namespace
}  // namespace vl::test
