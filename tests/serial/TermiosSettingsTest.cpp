#include "serial/TermiosSettings.h"

#include <gtest/gtest.h>

#include "base/ErrorCodes.h"
#include "serial/LineSpeeds.h"

namespace vl::serial {
namespace {

constexpr tcflag_t kFraming = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS;

termios RawTermios() {
    termios tio{};
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD | HUPCL;
    return tio;
}

TEST(TermiosSettingsTest, FramingMapsBothWays) {
    struct Case {
        Parity parity;
        int dataBits;
        int stopBits;
        tcflag_t flags;
    };
    const Case cases[] = {
        {Parity::None, 8, 1, CS8},
        {Parity::Odd, 7, 2, CS7 | PARENB | PARODD | CSTOPB},
        {Parity::Even, 7, 1, CS7 | PARENB},
        {Parity::Mark, 8, 1, CS8 | PARENB | PARODD | CMSPAR},
        {Parity::Space, 6, 2, CS6 | PARENB | CMSPAR | CSTOPB},
        {Parity::None, 5, kOneAndHalfStopBits, CS5 | CSTOPB},
        {Parity::None, 5, 2, CS5 | CSTOPB},
    };
    for (const Case& c : cases) {
        LineSettings settings;
        settings.parity = c.parity;
        settings.dataBits = c.dataBits;
        settings.stopBits = c.stopBits;
        termios tio = RawTermios();
        ASSERT_EQ(SettingsToTermios(settings, tio), 0);
        EXPECT_EQ(tio.c_cflag & kFraming, c.flags) << c.dataBits << c.stopBits;
        // Flags that are not the line's framing survive.
        EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD | HUPCL), static_cast<tcflag_t>(CLOCAL | CREAD | HUPCL));
        EXPECT_EQ(SettingsFromTermios(tio, settings), settings) << c.dataBits << c.stopBits;
    }
}

TEST(TermiosSettingsTest, SpeedsIncludeTheFastModemRates) {
    for (const int baud : {300, 2400, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600}) {
        LineSettings settings;
        settings.baud = baud;
        termios tio = RawTermios();
        ASSERT_EQ(SettingsToTermios(settings, tio), 0) << baud;
        EXPECT_EQ(cfgetispeed(&tio), cfgetospeed(&tio));
        EXPECT_EQ(SettingsFromTermios(tio, settings).baud, baud);
    }
    EXPECT_EQ(SpeedForBaud(115200), static_cast<speed_t>(B115200));
    EXPECT_EQ(BaudForSpeed(B0), 0);
}

TEST(TermiosSettingsTest, RefusedValuesLeaveTheRecordAlone) {
    termios tio = RawTermios();
    const termios before = tio;
    for (const int baud : {0, -9600, 12345, 14400}) {
        LineSettings settings;
        settings.baud = baud;
        EXPECT_EQ(SettingsToTermios(settings, tio), base::ecBaudRateNotSupported) << baud;
    }
    for (const int bits : {0, 4, 9}) {
        LineSettings settings;
        settings.dataBits = bits;
        settings.parity = Parity::Odd;
        EXPECT_EQ(SettingsToTermios(settings, tio), base::ecDataBitsNotSupported) << bits;
    }
    EXPECT_EQ(tio.c_cflag, before.c_cflag);
    EXPECT_EQ(cfgetospeed(&tio), cfgetospeed(&before));
}

TEST(TermiosSettingsTest, FlowControlUsesTheSwitchesTermiosHas) {
    LineSettings settings;
    settings.outX = true;
    settings.xonChar = 0x11;
    settings.xoffChar = 0x93;
    termios tio = RawTermios();
    tio.c_iflag |= IXANY;
    ASSERT_EQ(SettingsToTermios(settings, tio), 0);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY), static_cast<tcflag_t>(IXON));
    EXPECT_EQ(tio.c_cc[VSTART], 0x11);
    EXPECT_EQ(tio.c_cc[VSTOP], 0x93);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);

    // Either half of the CTS/RTS handshake turns the one switch on.
    LineSettings cts;
    cts.outxCtsFlow = true;
    ASSERT_EQ(SettingsToTermios(cts, tio), 0);
    EXPECT_NE(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(SettingsFromTermios(tio, cts), cts);
    LineSettings rts;
    rts.rtsControl = RtsControl::Handshake;
    ASSERT_EQ(SettingsToTermios(rts, tio), 0);
    EXPECT_NE(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(SettingsFromTermios(tio, rts), rts);

    // A record whose switch was turned off elsewhere reads as no handshake;
    // one turned on elsewhere reads as both halves.
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    const LineSettings off = SettingsFromTermios(tio, rts);
    EXPECT_EQ(off.rtsControl, RtsControl::Enable);
    EXPECT_FALSE(off.outxCtsFlow);
    tio.c_cflag |= CRTSCTS;
    const LineSettings on = SettingsFromTermios(tio, LineSettings{});
    EXPECT_TRUE(on.outxCtsFlow);
    EXPECT_EQ(on.rtsControl, RtsControl::Handshake);
}

}  // namespace
}  // namespace vl::serial
