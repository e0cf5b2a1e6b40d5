#include "serial/TermiosSettings.h"

#include <array>

#include "base/ErrorCodes.h"
#include "serial/LineSpeeds.h"

namespace vl::serial {

int SettingsToTermios(const LineSettings& settings, termios& tio) {
    const speed_t speed = SpeedForBaud(settings.baud);
    if (speed == B0) return base::ecBaudRateNotSupported;
    if (settings.dataBits < 5 || settings.dataBits > 8) return base::ecDataBitsNotSupported;
    static constexpr std::array<tcflag_t, 4> kSizes = {CS5, CS6, CS7, CS8};

    termios changed = tio;
    if (cfsetispeed(&changed, speed) != 0 || cfsetospeed(&changed, speed) != 0) {
        return base::ecBaudRateNotSupported;
    }
    changed.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    changed.c_cflag |= kSizes[static_cast<std::size_t>(settings.dataBits - 5)];
    switch (settings.parity) {
        case Parity::None: break;
        case Parity::Odd: changed.c_cflag |= PARENB | PARODD; break;
        case Parity::Even: changed.c_cflag |= PARENB; break;
        case Parity::Mark: changed.c_cflag |= PARENB | CMSPAR | PARODD; break;
        case Parity::Space: changed.c_cflag |= PARENB | CMSPAR; break;
    }
    // With five data bits the driver makes the second stop bit one and a half.
    if (settings.stopBits == 2 || settings.stopBits == kOneAndHalfStopBits) changed.c_cflag |= CSTOPB;
    if (settings.outxCtsFlow || settings.rtsControl == RtsControl::Handshake) changed.c_cflag |= CRTSCTS;
    changed.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (settings.outX) changed.c_iflag |= IXON;
    if (settings.inX) changed.c_iflag |= IXOFF;
    changed.c_cc[VSTART] = settings.xonChar;
    changed.c_cc[VSTOP] = settings.xoffChar;
    tio = changed;
    return 0;
}

LineSettings SettingsFromTermios(const termios& tio, const LineSettings& remembered) {
    LineSettings settings = remembered;
    settings.baud = BaudForSpeed(cfgetospeed(&tio));
    switch (tio.c_cflag & CSIZE) {
        case CS5: settings.dataBits = 5; break;
        case CS6: settings.dataBits = 6; break;
        case CS7: settings.dataBits = 7; break;
        default: settings.dataBits = 8; break;
    }
    if ((tio.c_cflag & PARENB) == 0) {
        settings.parity = Parity::None;
    } else if ((tio.c_cflag & CMSPAR) != 0) {
        settings.parity = (tio.c_cflag & PARODD) != 0 ? Parity::Mark : Parity::Space;
    } else {
        settings.parity = (tio.c_cflag & PARODD) != 0 ? Parity::Odd : Parity::Even;
    }
    if ((tio.c_cflag & CSTOPB) == 0) {
        settings.stopBits = 1;
    } else if (settings.dataBits == 5 && remembered.stopBits == kOneAndHalfStopBits) {
        settings.stopBits = kOneAndHalfStopBits;
    } else {
        settings.stopBits = 2;
    }
    if ((tio.c_cflag & CRTSCTS) == 0) {
        settings.outxCtsFlow = false;
        if (settings.rtsControl == RtsControl::Handshake) settings.rtsControl = RtsControl::Enable;
    } else if (!settings.outxCtsFlow && settings.rtsControl != RtsControl::Handshake) {
        // Set by someone else: it does both.
        settings.outxCtsFlow = true;
        settings.rtsControl = RtsControl::Handshake;
    }
    settings.outX = (tio.c_iflag & IXON) != 0;
    settings.inX = (tio.c_iflag & IXOFF) != 0;
    settings.xonChar = tio.c_cc[VSTART];
    settings.xoffChar = tio.c_cc[VSTOP];
    return settings;
}

}  // namespace vl::serial
