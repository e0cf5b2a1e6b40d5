#include "PtyPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace vl::linesim {
namespace {

std::runtime_error SystemError(const std::string& what) {
    return std::runtime_error(what + ": " + std::strerror(errno));
}

void MakeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) throw SystemError("tcgetattr");
    cfmakeraw(&tio);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) throw SystemError("tcsetattr");
}

}  // namespace

PtyPort::PtyPort(const std::string& linkPath) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) throw SystemError("posix_openpt");
    try {
        if (grantpt(master_) != 0 || unlockpt(master_) != 0) throw SystemError("grantpt");
        char name[128];
        if (ptsname_r(master_, name, sizeof name) != 0) throw SystemError("ptsname");
        slavePath_ = name;
        // Held open so the master keeps working while hosts come and go.
        slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (slave_ < 0) throw SystemError("open " + slavePath_);
        // Without raw mode the line discipline would echo our own output back.
        MakeRaw(slave_);
        if (!linkPath.empty()) {
            if (unlink(linkPath.c_str()) != 0 && errno != ENOENT) throw SystemError("unlink " + linkPath);
            if (symlink(name, linkPath.c_str()) != 0) throw SystemError("symlink " + linkPath);
            linkPath_ = linkPath;
        }
    } catch (...) {
        if (slave_ >= 0) close(slave_);
        close(master_);
        throw;
    }
}

PtyPort::~PtyPort() {
    if (!linkPath_.empty()) unlink(linkPath_.c_str());
    close(slave_);
    close(master_);
}

std::size_t PtyPort::Read(std::string& out, std::size_t max) {
    char buf[512];
    std::size_t total = 0;
    while (total < max) {
        ssize_t n = read(master_, buf, std::min(sizeof buf, max - total));
        if (n <= 0) break;  // EAGAIN: nothing written; EIO: no host attached
        out.append(buf, static_cast<std::size_t>(n));
        total += static_cast<std::size_t>(n);
    }
    return total;
}

void PtyPort::Write(std::string_view bytes) {
    // A host that stopped reading loses what does not fit, as with a modem
    // whose computer does not take its data.
    pending_.append(bytes.substr(0, kMaxPending - std::min(kMaxPending, pending_.size())));
    Flush();
}

void PtyPort::Flush() {
    while (!pending_.empty()) {
        ssize_t n = write(master_, pending_.data(), pending_.size());
        if (n <= 0) return;  // the pty is full; try again next step
        pending_.erase(0, static_cast<std::size_t>(n));
    }
}

}  // namespace vl::linesim
