// The pseudo-terminal a modem endpoint shows to the computer.
//
// linesim keeps the slave side open itself, so a host that closes and opens
// the device again (as fax programs do between calls) finds it as it was,
// and the master never sticks in the end-of-file state. A pty carries no
// modem lines: the host sees neither RI nor DCD, only the RING and
// CONNECT/NO CARRIER texts; hosts must not wait for those lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vl::linesim {

class PtyPort {
public:
    // Bytes held for a host that does not read; more are dropped.
    static constexpr std::size_t kMaxPending = 256 * 1024;

    // Opens a new pty in raw mode with a nonblocking master. A non-empty
    // `linkPath` becomes a symbolic link to the slave (an existing file or
    // link there is replaced) and is removed again by the destructor.
    // Throws std::runtime_error on failure.
    explicit PtyPort(const std::string& linkPath = {});
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // The slave's path (/dev/pts/N), for the READY line.
    const std::string& SlavePath() const { return slavePath_; }

    // Appends up to `max` bytes that the host wrote to `out`; returns how
    // many. Nothing when the host wrote nothing or no host is attached.
    std::size_t Read(std::string& out, std::size_t max);
    // Queues `bytes` for the host (up to kMaxPending waiting) and sends what
    // the pty takes now.
    void Write(std::string_view bytes);
    // Sends more of the queue; call every step.
    void Flush();
    // Bytes queued but not yet taken by the pty.
    std::size_t Pending() const { return pending_.size(); }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
    std::string pending_;
};

}  // namespace vl::linesim
