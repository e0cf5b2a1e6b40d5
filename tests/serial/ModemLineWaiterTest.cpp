// The wait on a device's modem lines: refused at once by a pseudo terminal,
// which the device then reads by the clock, and kept up by a UART until Stop
// breaks it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "PtyPair.h"
#include "serial/ModemLineWaiter.h"

namespace vl::test {
namespace {

using namespace std::chrono_literals;

bool Readable(int fd, std::chrono::milliseconds timeout)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, static_cast<int>(timeout.count())) == 1;
}

TEST(ModemLineWaiterTest, APseudoTerminalRefusesTheWaitAndSaysSo)
{
    PtyPair pty;
    const int fd = open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    serial::ModemLineWaiter waiter;
    EXPECT_FALSE(waiter.Waiting());
    ASSERT_TRUE(waiter.Start(fd));
    EXPECT_TRUE(Readable(waiter.EventFd(), 2000ms));
    EXPECT_FALSE(waiter.Waiting());
    waiter.Stop();
    close(fd);
}

// Needs a serial port of the machine; skipped where none opens.
TEST(ModemLineWaiterTest, AUartKeepsWaitingUntilStopBreaksTheWait)
{
    int fd = -1;
    for (int n = 0; n < 4 && fd < 0; ++n)
        fd = open(("/dev/ttyS" + std::to_string(n)).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        GTEST_SKIP() << "no /dev/ttyS* opens here";
    serial::ModemLineWaiter waiter;
    ASSERT_TRUE(waiter.Start(fd));
    std::this_thread::sleep_for(100ms);
    if (!waiter.Waiting()) {
        close(fd);
        GTEST_SKIP() << "this UART's driver cannot wait on its lines";
    }
    const auto start = std::chrono::steady_clock::now();
    waiter.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_FALSE(waiter.Waiting());
    close(fd);
}

}  // namespace
}  // namespace vl::test
