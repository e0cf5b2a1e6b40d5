// The comm port's settings while closed: defaults, the rules that tie the
// flow-control limits to the queue size and to each other, the trace and log
// states a closed port keeps, and the checks made before a device is opened.
#include <gtest/gtest.h>

#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "base/MessageWindow.h"
#include "serial/VlComPort.h"

namespace vl::test {
namespace {

using namespace serial;

int OpenCode(VlComPort& port)
{
    try {
        port.SetOpen(true);
    } catch (const base::EVlException& e) {
        return e.ErrorCode();
    }
    return 0;
}

class ComPortSettingsTest : public ::testing::Test {
protected:
    base::MessageLoop loop;
    VlComPort port{loop};
};

TEST_F(ComPortSettingsTest, DefaultsAreThoseOfANewComponent)
{
    EXPECT_EQ(port.GetDeviceLayer(), dlWin32);
    EXPECT_EQ(port.ComNumber(), 0);
    EXPECT_EQ(port.Baud(), 19200);
    EXPECT_TRUE(port.PromptForPort());
    EXPECT_EQ(port.Parity(), pNone);
    EXPECT_EQ(port.DataBits(), 8);
    EXPECT_EQ(port.StopBits(), 1);
    EXPECT_EQ(port.InSize(), 4096);
    EXPECT_EQ(port.OutSize(), 4096);
    EXPECT_TRUE(port.AutoOpen());
    EXPECT_FALSE(port.Open());
    EXPECT_TRUE(port.DTR());
    EXPECT_TRUE(port.RTS());
    EXPECT_EQ(port.HWFlowOptions(), 0u);
    EXPECT_EQ(port.GetSWFlowOptions(), swfNone);
    EXPECT_EQ(port.XOnChar(), 17);
    EXPECT_EQ(port.XOffChar(), 19);
    EXPECT_EQ(port.BufferFull(), 0);
    EXPECT_EQ(port.BufferResume(), 0);
    EXPECT_EQ(port.Tracing(), tlOff);
    EXPECT_EQ(port.TraceSize(), 10000);
    EXPECT_EQ(port.TraceName(), "ZERV.TRC");
    EXPECT_TRUE(port.TraceHex());
    EXPECT_FALSE(port.TraceAllHex());
    EXPECT_EQ(port.Logging(), tlOff);
    EXPECT_EQ(port.LogSize(), 10000);
    EXPECT_EQ(port.LogName(), "ZERV.LOG");
    EXPECT_TRUE(port.LogHex());
    EXPECT_FALSE(port.LogAllHex());
    EXPECT_TRUE(port.UseMSRShadow());
    EXPECT_TRUE(port.UseEventWord());
    EXPECT_EQ(port.CommNotificationLevel(), 10);
    EXPECT_EQ(port.GetTapiMode(), tmAuto);
    EXPECT_FALSE(port.RS485Mode());
    EXPECT_EQ(port.Tag(), 0);
    EXPECT_EQ(port.AvailThreshold(), 1);
}

TEST_F(ComPortSettingsTest, OnlyTheOneDeviceLayerIsTaken)
{
    port.SetDeviceLayer(dlFossil);
    port.SetDeviceLayer(dlWinsock);
    EXPECT_EQ(port.GetDeviceLayer(), dlWin32);
}

TEST_F(ComPortSettingsTest, FlowFillsInLimitsAsShareOfTheQueue)
{
    port.SetHWFlowOptions(hwfUseRTS);  // hardware: 90 % and 10 %
    EXPECT_EQ(port.BufferFull(), 3686);  // 3686.4
    EXPECT_EQ(port.BufferResume(), 410);  // 409.6 rounds up
    VlComPort software{loop};
    software.SetSWFlowOptions(swfBoth);  // software: 75 % and 25 %
    EXPECT_EQ(software.BufferFull(), 3072);
    EXPECT_EQ(software.BufferResume(), 1024);
}

TEST_F(ComPortSettingsTest, FlowKeepsLimitsThatFitAndReplacesThoseThatDoNot)
{
    port.SetBufferFull(2000);
    port.SetBufferResume(500);
    port.SetHWFlowOptions(hwfRequireCTS);
    EXPECT_EQ(port.BufferFull(), 2000);
    EXPECT_EQ(port.BufferResume(), 500);

    // A resume level above the full level is out of range.
    port.SetBufferResume(100);
    port.SetBufferFull(50);
    port.SetSWFlowOptions(swfReceive);
    EXPECT_EQ(port.BufferFull(), 50);
    EXPECT_EQ(port.BufferResume(), 1024);

    // No options: nothing is filled in.
    port.SetBufferFull(0);
    port.SetBufferResume(0);
    port.SetHWFlowOptions(0);
    port.SetSWFlowOptions(swfNone);
    EXPECT_EQ(port.BufferFull(), 0);
    EXPECT_EQ(port.BufferResume(), 0);
}

TEST_F(ComPortSettingsTest, LimitsAboveTheirBoundsAreCutDown)
{
    port.SetBufferFull(4096);  // the bound itself is kept
    EXPECT_EQ(port.BufferFull(), 4096);
    port.SetBufferFull(4200);
    EXPECT_EQ(port.BufferFull(), 3780);
    // 90 % of a level far above the queue would still not fit it.
    port.SetBufferFull(100000);
    EXPECT_EQ(port.BufferFull(), 3686);

    port.SetBufferResume(3686);
    EXPECT_EQ(port.BufferResume(), 3686);
    port.SetBufferResume(3687);
    EXPECT_EQ(port.BufferResume(), 369);
}

TEST_F(ComPortSettingsTest, Rs485AndRtsFlowExcludeEachOther)
{
    port.SetHWFlowOptions(hwfUseRTS | hwfRequireCTS | hwfRequireDSR);
    port.SetRS485Mode(true);
    EXPECT_TRUE(port.RS485Mode());
    EXPECT_EQ(port.HWFlowOptions(), hwfRequireDSR);
    EXPECT_FALSE(port.RTS());

    port.SetHWFlowOptions(hwfUseDTR);
    EXPECT_TRUE(port.RS485Mode());
    port.SetHWFlowOptions(hwfRequireCTS);
    EXPECT_FALSE(port.RS485Mode());
}

TEST_F(ComPortSettingsTest, SizesAreCapped)
{
    port.SetTraceSize(4000001);
    EXPECT_EQ(port.TraceSize(), kMaxTraceSize);
    port.SetLogSize(20000000);
    EXPECT_EQ(port.LogSize(), kMaxLogSize);
    port.SetLogSize(16000000);
    EXPECT_EQ(port.LogSize(), 16000000);
}

TEST_F(ComPortSettingsTest, AClosedPortKeepsOnlyOnAndOff)
{
    for (TraceLogState state : {tlDump, tlAppend, tlClear, tlPause}) {
        port.SetTracing(tlOn);
        port.SetTracing(state);
        EXPECT_EQ(port.Tracing(), tlOff) << state;
        port.SetLogging(tlOn);
        port.SetLogging(state);
        EXPECT_EQ(port.Logging(), tlOff) << state;
    }
    port.SetTracing(tlOn);
    EXPECT_EQ(port.Tracing(), tlOn);
}

TEST_F(ComPortSettingsTest, NoPortNumberWithoutPromptFailsTheOpen)
{
    EXPECT_EQ(OpenCode(port), base::ecNoPortSelected);  // no chooser: as if cancelled
    port.SetPromptForPort(false);
    EXPECT_EQ(OpenCode(port), base::ecNoPortSelected);
    EXPECT_FALSE(port.Open());
}

TEST_F(ComPortSettingsTest, TheChooserPicksThePortOrCancelsTheOpen)
{
    int asked = 0;
    port.SetPortChooser([&asked](int&) {
        ++asked;
        return false;
    });
    EXPECT_EQ(OpenCode(port), base::ecNoPortSelected);
    EXPECT_EQ(asked, 1);

    // COM50 has no device here, so the open stops at the device.
    port.SetIniFile("/nonexistent/VL.INI");
    port.SetPortChooser([](int& number) {
        number = 50;
        return true;
    });
    EXPECT_EQ(OpenCode(port), base::ecNoSuchPort);
    EXPECT_EQ(port.ComNumber(), 50);
}

TEST_F(ComPortSettingsTest, MissingDevicesAreNoSuchPort)
{
    port.SetDevicePath("/dev/vellora-no-such-tty");
    EXPECT_EQ(OpenCode(port), base::ecNoSuchPort);
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsPortOpen());
}

TEST_F(ComPortSettingsTest, OperationsOnAClosedPortThatMayNotOpenAreRefused)
{
    port.SetAutoOpen(false);
    port.SetComNumber(3);
    EXPECT_THROW(port.SendText("AT\r"), base::ENotOpen);
    EXPECT_THROW(port.InputWaiting(), base::ENotOpen);
    EXPECT_THROW(port.TakeByte(), base::ENotOpen);
    EXPECT_THROW(port.AwaitReply("OK", 1, false, false), base::ENotOpen);
    EXPECT_THROW(port.Dispatcher(), base::ENotOpen);
}

}  // namespace
}  // namespace vl::test
