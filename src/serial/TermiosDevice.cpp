#include "serial/TermiosDevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

#include "base/ErrorCodes.h"
#include "base/IoErrors.h"
#include "serial/DeviceErrors.h"
#include "serial/TermiosSettings.h"

namespace vl::serial {

namespace {

// How often modem lines and error counts are read while waiting on them
// where the driver cannot report their changes.
constexpr int kLinePollMs = 10;
// Where it can: a look now and then all the same, for a change that came
// while the driver's wait was being entered again.
constexpr int kLineCheckMs = 1000;
// Bytes written at a time while DSR gates sending, so a drop takes hold soon.
constexpr std::size_t kDsrGatedChunk = 64;
constexpr std::uint32_t kLineEvents = evCts | evDsr | evRlsd | evRing | evRingTrailing;
constexpr std::uint32_t kErrorEvents = evErr | evBreak;
// What the lines of a device without modem lines read as.
constexpr int kEmulatedLines = TIOCM_CTS | TIOCM_DSR | TIOCM_CAR;

void Signal(int eventFd) {
    const std::uint64_t one = 1;
    // A full counter is still signalled; nothing else can fail here.
    [[maybe_unused]] const ssize_t n = write(eventFd, &one, sizeof one);
}

// True when the eventfd was signalled; clears it.
bool Consume(int eventFd) {
    std::uint64_t count = 0;
    return read(eventFd, &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}

// A poll that carries on after signals; the number of ready entries or -1.
int PollRetry(pollfd* fds, nfds_t count, int timeoutMs) {
    for (;;) {
        const int ready = poll(fds, count, timeoutMs);
        if (ready >= 0 || errno != EINTR) return ready;
    }
}

bool IsModemLineError(int error) { return error == EINVAL || error == ENOTTY; }

}  // namespace

TermiosDevice::TermiosDevice(std::vector<std::string> lockFolders) : lockFolders_(std::move(lockFolders)) {}

TermiosDevice::~TermiosDevice() { Close(); }

int TermiosDevice::FailOpen(int code) {
    Close();
    return code;
}

int TermiosDevice::Open(const std::string& path) {
    if (IsOpen()) return base::ecPortAlreadyOpen;
    // Lock under the device's own name, whatever link led to it.
    char* real = realpath(path.c_str(), nullptr);
    const std::string device = real != nullptr ? real : path;
    std::free(real);

    if (const int locked = lock_.Acquire(device, lockFolders_); locked != 0) return locked;
    fd_ = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return FailOpen(OpenErrorCode(errno));
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) return FailOpen(OpenErrorCode(errno));
    if (ioctl(fd_, TIOCEXCL) != 0) return FailOpen(OpenErrorCode(errno));
    cancelFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (cancelFd_ < 0 || wakeFd_ < 0) return FailOpen(base::LastIoError(base::IoOperation::Open));

    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) return FailOpen(OpenErrorCode(errno));

    int bits = 0;
    modemLinesEmulated_ = ioctl(fd_, TIOCMGET, &bits) != 0 && IsModemLineError(errno);
    serial_icounter_struct counts{};
    icountSupported_ = ioctl(fd_, TIOCGICOUNT, &counts) == 0;
    rs485Enabled_ = false;
    {
        std::lock_guard guard(mutex_);
        settings_ = LineSettings{};
        errorBase_ = ReadCounters();
    }
    LineSettings current;
    GetSettings(current);
    {
        std::lock_guard guard(mutex_);
        settings_ = current;
    }
    eventBase_ = ReadLines();
    if (!modemLinesEmulated_) lineWaiter_.Start(fd_);
    std::lock_guard guard(rxMutex_);
    rxSeen_ = 0;
    return 0;
}

void TermiosDevice::Close() {
    // The exclusive mode belongs to the terminal, not to this handle: it
    // would outlive the close while anyone else still holds the device.
    lineWaiter_.Stop();
    if (fd_ >= 0) ioctl(fd_, TIOCNXCL);
    for (int* fd : {&fd_, &cancelFd_, &wakeFd_}) {
        if (*fd >= 0) close(*fd);
        *fd = -1;
    }
    lock_.Release();
}

bool TermiosDevice::IsOpen() const { return fd_ >= 0; }

int TermiosDevice::SetQueueSizes(int inSize, int outSize) {
    if (!IsOpen()) return base::ecPortNotOpen;
    return inSize > 0 && outSize > 0 ? 0 : base::ecBadArgument;
}

int TermiosDevice::GetSettings(LineSettings& settings) {
    if (!IsOpen()) return base::ecPortNotOpen;
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) return base::LastIoError(base::IoOperation::Read);
    std::lock_guard guard(mutex_);
    settings = SettingsFromTermios(tio, settings_);
    return 0;
}

int TermiosDevice::SetSettings(const LineSettings& settings) {
    if (!IsOpen()) return base::ecPortNotOpen;
    const int result = ApplySettings(settings);
    if (result == 0) {
        std::lock_guard guard(mutex_);
        settings_ = settings;
    }
    return result;
}

int TermiosDevice::ApplySettings(const LineSettings& settings) {
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) return base::LastIoError(base::IoOperation::Read);
    if (const int result = SettingsToTermios(settings, tio); result != 0) return result;
    if (tcsetattr(fd_, TCSANOW, &tio) != 0) return base::ecPortSettingsFailed;

    const bool toggle = settings.rtsControl == RtsControl::Toggle;
    if (toggle != rs485Enabled_ && !modemLinesEmulated_) {
        serial_rs485 rs485{};
        if (toggle) rs485.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
        if (ioctl(fd_, TIOCSRS485, &rs485) != 0) return base::ecPortSettingsFailed;
        rs485Enabled_ = toggle;
    }
    if (const int dtr = SetDtr(settings.dtrControl != DtrControl::Disable); dtr != 0) return dtr;
    if (settings.rtsControl == RtsControl::Enable || settings.rtsControl == RtsControl::Disable) {
        return SetRts(settings.rtsControl == RtsControl::Enable);
    }
    return 0;
}

int TermiosDevice::SetModemLine(int bit, bool on) {
    if (!IsOpen()) return base::ecPortNotOpen;
    if (modemLinesEmulated_) return 0;
    if (ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit) == 0) return 0;
    return base::ecBadArgument;
}

int TermiosDevice::SetDtr(bool on) { return SetModemLine(TIOCM_DTR, on); }

int TermiosDevice::SetRts(bool on) { return SetModemLine(TIOCM_RTS, on); }

int TermiosDevice::Read(std::span<std::uint8_t> buffer) {
    if (!IsOpen()) return base::ecPortNotOpen;
    if (buffer.empty()) return 0;
    const std::size_t wanted = std::min<std::size_t>(buffer.size(), INT_MAX);
    std::lock_guard guard(rxMutex_);
    ssize_t got = 0;
    do {
        got = read(fd_, buffer.data(), wanted);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        if (errno == EAGAIN) return 0;
        return base::LastIoError(base::IoOperation::Read);
    }
    rxSeen_ = std::max(ReceiveCount(), 0);
    return static_cast<int>(got);
}

bool TermiosDevice::WaitForDsr() {
    for (;;) {
        if ((ModemStatus() & msDsr) != 0) return true;
        pollfd cancel{cancelFd_, POLLIN, 0};
        if (PollRetry(&cancel, 1, kLinePollMs) != 0) return false;
    }
}

int TermiosDevice::Write(std::span<const std::uint8_t> data) {
    if (!IsOpen()) return base::ecPortNotOpen;
    if (Consume(cancelFd_)) return 0;
    bool dsrGated = false;
    {
        std::lock_guard guard(mutex_);
        dsrGated = settings_.outxDsrFlow;
    }
    std::size_t done = 0;
    bool cancelled = false;
    while (done < data.size() && !cancelled) {
        if (dsrGated && !WaitForDsr()) {
            cancelled = true;
            break;
        }
        std::size_t chunk = std::min<std::size_t>(data.size() - done, INT_MAX);
        if (dsrGated) chunk = std::min(chunk, kDsrGatedChunk);
        const ssize_t put = write(fd_, data.data() + done, chunk);
        if (put > 0) {
            done += static_cast<std::size_t>(put);
            continue;
        }
        if (put < 0 && errno == EINTR) continue;
        if (put < 0 && errno != EAGAIN) {
            if (done > 0) break;  // the error shows again on the next call
            return base::LastIoError(base::IoOperation::Write);
        }
        std::array<pollfd, 2> fds = {pollfd{fd_, POLLOUT, 0}, pollfd{cancelFd_, POLLIN, 0}};
        if (PollRetry(fds.data(), fds.size(), -1) < 0) return base::LastIoError(base::IoOperation::Write);
        cancelled = (fds[1].revents & POLLIN) != 0;
    }
    if (cancelled) Consume(cancelFd_);
    return static_cast<int>(done);
}

void TermiosDevice::CancelWrite() {
    if (cancelFd_ >= 0) Signal(cancelFd_);
}

TermiosDevice::Counters TermiosDevice::ReadCounters() {
    serial_icounter_struct c{};
    if (!icountSupported_ || ioctl(fd_, TIOCGICOUNT, &c) != 0) return {};
    const auto u = [](int value) { return static_cast<std::uint32_t>(value); };
    return Counters{u(c.cts),     u(c.dsr),   u(c.rng), u(c.dcd),        u(c.overrun),
                    u(c.parity), u(c.frame), u(c.brk), u(c.buf_overrun)};
}

int TermiosDevice::ReadModemBits() {
    if (modemLinesEmulated_) return kEmulatedLines;
    int bits = 0;
    if (ioctl(fd_, TIOCMGET, &bits) != 0) return 0;
    return bits;
}

TermiosDevice::Lines TermiosDevice::ReadLines() { return Lines{ReadModemBits(), ReadCounters()}; }

std::uint32_t TermiosDevice::ChangedEvents(const Lines& now, std::uint32_t mask) {
    const Lines& was = eventBase_;
    const auto changed = [&](int bit, std::uint32_t Counters::*count) {
        return ((now.bits ^ was.bits) & bit) != 0 || now.counts.*count != was.counts.*count;
    };
    std::uint32_t events = 0;
    if (changed(TIOCM_CTS, &Counters::cts)) events |= evCts;
    if (changed(TIOCM_DSR, &Counters::dsr)) events |= evDsr;
    if (changed(TIOCM_CAR, &Counters::dcd)) events |= evRlsd;
    const bool ringOn = (now.bits & TIOCM_RNG) != 0;
    const bool ringWasOn = (was.bits & TIOCM_RNG) != 0;
    // A ring too short to be seen between two readings still counts.
    if ((ringOn && !ringWasOn) || now.counts.rng != was.counts.rng) events |= evRing;
    if (!ringOn && (ringWasOn || now.counts.rng != was.counts.rng)) events |= evRingTrailing;
    const Counters& a = now.counts;
    const Counters& b = was.counts;
    if (a.overrun != b.overrun || a.parity != b.parity || a.frame != b.frame || a.bufOverrun != b.bufOverrun) {
        events |= evErr;
    }
    if (a.brk != b.brk) events |= evBreak;
    return events & mask;
}

int TermiosDevice::WaitEvent(std::uint32_t mask, std::uint32_t& events) {
    events = 0;
    if (!IsOpen()) return base::ecPortNotOpen;
    const bool watchLines = (mask & kLineEvents) != 0 && !modemLinesEmulated_;
    const bool watchErrors = (mask & kErrorEvents) != 0 && icountSupported_;
    bool hungUp = false;
    for (;;) {
        bool rxPending = false;
        if ((mask & evRxChar) != 0) {
            std::lock_guard guard(rxMutex_);
            const int count = ReceiveCount();
            if (count > rxSeen_) {
                rxSeen_ = count;
                events |= evRxChar;
            }
            // Bytes already announced: wait for more by the clock, not by poll.
            rxPending = count > 0;
        }
        if (watchLines || watchErrors) {
            const Lines now = ReadLines();
            const std::uint32_t changes = ChangedEvents(now, mask);
            if (changes != 0) eventBase_ = now;
            events |= changes;
        }
        if (events != 0) return 0;
        if (hungUp) return base::ecDeviceRead;

        // Errors arrive with bytes, which wake the wait: with the driver
        // waiting on the lines nothing needs watching by the clock.
        const bool driverWaits = lineWaiter_.Waiting();
        std::array<pollfd, 3> fds = {pollfd{wakeFd_, POLLIN, 0}, pollfd{fd_, 0, 0},
                                     pollfd{driverWaits ? lineWaiter_.EventFd() : -1, POLLIN, 0}};
        if ((mask & evRxChar) != 0 && !rxPending) fds[1].events = POLLIN;
        int timeout = -1;
        if (rxPending || ((watchLines || watchErrors) && !driverWaits)) timeout = kLinePollMs;
        else if (watchLines || watchErrors) timeout = kLineCheckMs;
        if (PollRetry(fds.data(), fds.size(), timeout) < 0) return base::LastIoError(base::IoOperation::Read);
        if ((fds[0].revents & POLLIN) != 0) {
            Consume(wakeFd_);
            return 0;
        }
        if ((fds[2].revents & POLLIN) != 0) Consume(fds[2].fd);
        // One more round reports what arrived before the hang-up.
        hungUp = (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    }
}

void TermiosDevice::WakeWait() {
    if (wakeFd_ >= 0) Signal(wakeFd_);
}

std::uint8_t TermiosDevice::ModemStatus() {
    if (!IsOpen()) return 0;
    const int bits = ReadModemBits();
    std::uint8_t status = 0;
    if ((bits & TIOCM_CTS) != 0) status |= msCts;
    if ((bits & TIOCM_DSR) != 0) status |= msDsr;
    if ((bits & TIOCM_RNG) != 0) status |= msRing;
    if ((bits & TIOCM_CAR) != 0) status |= msDcd;
    return status;
}

std::uint8_t TermiosDevice::TakeErrors() {
    if (!IsOpen() || !icountSupported_) return 0;
    const Counters now = ReadCounters();
    std::lock_guard guard(mutex_);
    std::uint8_t errors = 0;
    if (now.bufOverrun != errorBase_.bufOverrun) errors |= leReceiveOverrun;
    if (now.overrun != errorBase_.overrun) errors |= leOverrun;
    if (now.parity != errorBase_.parity) errors |= leParity;
    if (now.frame != errorBase_.frame) errors |= leFraming;
    if (now.brk != errorBase_.brk) errors |= leBreak;
    errorBase_ = now;
    return errors;
}

int TermiosDevice::ReceiveCount() {
    if (!IsOpen()) return base::ecPortNotOpen;
    int count = 0;
    if (ioctl(fd_, FIONREAD, &count) != 0) return base::LastIoError(base::IoOperation::Read);
    return count;
}

int TermiosDevice::Purge(bool receive, bool transmit) {
    if (!IsOpen()) return base::ecPortNotOpen;
    if (!receive && !transmit) return 0;
    const int queue = receive && transmit ? TCIOFLUSH : receive ? TCIFLUSH : TCOFLUSH;
    if (tcflush(fd_, queue) != 0) return base::LastIoError(base::IoOperation::Write);
    if (receive) {
        std::lock_guard guard(rxMutex_);
        rxSeen_ = 0;
    }
    if (transmit) Consume(cancelFd_);
    return 0;
}

std::unique_ptr<SerialDevice> MakeTermiosDevice(const std::string& fallbackLockFolder) {
    return std::make_unique<TermiosDevice>(LockFolders(fallbackLockFolder));
}

}  // namespace vl::serial
