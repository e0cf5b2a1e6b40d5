#include "BenchPty.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace vl::bench {

BenchPty::BenchPty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) throw std::runtime_error("no pty");
    const char* name = ptsname(master_);
    if (name == nullptr) throw std::runtime_error("no pty name");
    slavePath_ = name;
    slaveHold_ = open(name, O_RDWR | O_NOCTTY);
    if (slaveHold_ < 0) throw std::runtime_error("pty slave does not open");
    termios raw{};
    tcgetattr(master_, &raw);
    cfmakeraw(&raw);
    tcsetattr(master_, TCSANOW, &raw);
}

BenchPty::~BenchPty() {
    if (slaveHold_ >= 0) close(slaveHold_);
    if (master_ >= 0) close(master_);
}

}  // namespace vl::bench
