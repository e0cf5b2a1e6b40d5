// A serial device on a Linux tty: raw termios, non-blocking reads, writes and
// event waits that another thread can end through an eventfd.
//
// What termios cannot do is emulated or noted here:
// - DSR output flow: Write holds back while DSR is off, reading the line every
//   few milliseconds.
// - DTR handshake: the driver has no receive-side DTR flow; DTR is held on.
// - CTS output flow and RTS handshake share one switch (CRTSCTS): either turns
//   on both directions.
// - RTS toggle: the driver's RS-485 mode where it has one.
// - Pseudo terminals have no modem lines: CTS, DSR and DCD read as on, RI as
//   off, and setting DTR or RTS succeeds without effect.
//
// Besides TIOCEXCL the port is guarded by a UUCP lock file, so other programs
// that honour those see it as busy and the reverse.
//
// Open and Close must not run while another thread uses the device; every
// other call may come from any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "serial/ModemLineWaiter.h"
#include "serial/SerialDevice.h"
#include "serial/UucpLock.h"

namespace vl::serial {

class TermiosDevice : public SerialDevice {
public:
    // Lock files go in the first writable of `lockFolders` (see LockFolders in
    // UucpLock.h).
    explicit TermiosDevice(std::vector<std::string> lockFolders);
    ~TermiosDevice() override;
    TermiosDevice(const TermiosDevice&) = delete;
    TermiosDevice& operator=(const TermiosDevice&) = delete;

    // 0; ecPortAlreadyOpen; ecFileNotFound when there is no such device or it
    // is not a terminal; ecPortInUse when another opener (this process or
    // another) holds it; ecPermissionDenied; else the negated I/O code.
    int Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override;

    // The driver's queues have fixed sizes; the sizes are only checked.
    int SetQueueSizes(int inSize, int outSize) override;
    int GetSettings(LineSettings& settings) override;
    // ecBaudRateNotSupported or ecDataBitsNotSupported for values the driver
    // has no setting for.
    int SetSettings(const LineSettings& settings) override;
    int SetDtr(bool on) override;
    int SetRts(bool on) override;

    int Read(std::span<std::uint8_t> buffer) override;
    // A CancelWrite made while no Write is blocked is kept, and the next Write
    // then answers 0 at once, so a cancel is never lost between writes;
    // Purge(transmit) drops a kept cancel.
    int Write(std::span<const std::uint8_t> data) override;
    void CancelWrite() override;

    // evRxChar is raised when more bytes wait than at the last evRxChar (or
    // than a Read left), not again and again for bytes nobody reads. Modem
    // lines and error counts are read when the driver reports a change of the
    // lines or bytes arrive (errors come with bytes), and once a second in
    // case a change fell between two of the driver's waits; where the driver
    // cannot wait on the lines they are read every few milliseconds while the
    // mask asks for them. A WakeWait made while no wait is running is kept for the
    // next WaitEvent. A device that hung up answers ecDeviceRead.
    int WaitEvent(std::uint32_t mask, std::uint32_t& events) override;
    void WakeWait() override;

    std::uint8_t ModemStatus() override;
    std::uint8_t TakeErrors() override;
    int ReceiveCount() override;
    int Purge(bool receive, bool transmit) override;

private:
    // The driver's interrupt counts (all 0 where it keeps none).
    struct Counters {
        std::uint32_t cts = 0, dsr = 0, rng = 0, dcd = 0;
        std::uint32_t overrun = 0, parity = 0, frame = 0, brk = 0, bufOverrun = 0;
    };
    struct Lines {
        int bits = 0;  // TIOCM_* bits
        Counters counts;
    };

    int ApplySettings(const LineSettings& settings);
    int SetModemLine(int bit, bool on);
    int ReadModemBits();
    Counters ReadCounters();
    Lines ReadLines();
    std::uint32_t ChangedEvents(const Lines& now, std::uint32_t mask);
    bool WaitForDsr();
    int FailOpen(int code);

    std::vector<std::string> lockFolders_;
    UucpLock lock_;
    int fd_ = -1;
    int cancelFd_ = -1;
    int wakeFd_ = -1;
    bool modemLinesEmulated_ = false;
    bool icountSupported_ = false;
    bool rs485Enabled_ = false;
    ModemLineWaiter lineWaiter_;

    std::mutex mutex_;  // guards settings_, errorBase_
    LineSettings settings_;
    Counters errorBase_;

    // The lines as last reported; only the thread in WaitEvent uses this.
    Lines eventBase_;
    std::mutex rxMutex_;  // guards rxSeen_, so a Read and a wait see one count
    // The receive count at the last evRxChar or after the last Read.
    int rxSeen_ = 0;
};

// A TermiosDevice locking in LockFolders(fallbackLockFolder); the fallback is
// the program folder.
std::unique_ptr<SerialDevice> MakeTermiosDevice(const std::string& fallbackLockFolder = {});

}  // namespace vl::serial
