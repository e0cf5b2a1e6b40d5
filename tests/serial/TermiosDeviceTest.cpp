#include "serial/TermiosDevice.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "FakeModem.h"
#include "LockFiles.h"
#include "PtyPair.h"
#include "Waiting.h"
#include "support/TestSupport.h"
#include "base/ErrorCodes.h"
#include "serial/DeviceErrors.h"
#include "serial/UucpLock.h"

namespace vl::serial {
namespace {

using namespace std::chrono_literals;
using test::DeadPid;
using test::LockText;
using test::PtyPair;

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class TermiosDeviceTest : public ::testing::Test {
protected:
    std::string LockFile() const { return locks.folder() + LockFileName(pty.SlavePath()); }

    test::TempDir locks;
    PtyPair pty;
    TermiosDevice device{{locks.folder()}};
};

TEST_F(TermiosDeviceTest, OpenTakesTheLockAndCloseGivesItBack) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(test::ReadFile(LockFile()), LockText(getpid()));
    EXPECT_EQ(device.Open(pty.SlavePath()), base::ecPortAlreadyOpen);

    device.Close();
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(LockFile()));
    device.Close();  // twice is harmless
    EXPECT_EQ(device.Open(pty.SlavePath()), 0);
}

TEST_F(TermiosDeviceTest, SecondOpenerIsRefusedUntilTheFirstCloses) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    TermiosDevice second({locks.folder()});
    EXPECT_EQ(second.Open(pty.SlavePath()), base::ecPortInUse);
    EXPECT_FALSE(second.IsOpen());
    // The refused opener must not have taken the first one's lock away.
    EXPECT_EQ(test::ReadFile(LockFile()), LockText(getpid()));
    device.Close();
    EXPECT_EQ(second.Open(pty.SlavePath()), 0);
}

TEST_F(TermiosDeviceTest, ExclusiveModeRefusesAnOpenerThatIgnoresLockFiles) {
    if (geteuid() == 0) GTEST_SKIP() << "the exclusive mode does not bind the superuser";
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    test::TempDir otherLocks;
    TermiosDevice second({otherLocks.folder()});
    EXPECT_EQ(second.Open(pty.SlavePath()), base::ecPortInUse);
    EXPECT_FALSE(std::filesystem::exists(otherLocks.folder() + LockFileName(pty.SlavePath())));
}

TEST_F(TermiosDeviceTest, LockOfAnotherLiveProcessRefusesAndADeadOneIsCleared) {
    test::WriteFile(LockFile(), LockText(getppid()));
    EXPECT_EQ(device.Open(pty.SlavePath()), base::ecPortInUse);
    EXPECT_EQ(test::ReadFile(LockFile()), LockText(getppid()));

    test::WriteFile(LockFile(), LockText(DeadPid()));
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    EXPECT_EQ(test::ReadFile(LockFile()), LockText(getpid()));
}

TEST_F(TermiosDeviceTest, AnotherProcessIsRefusedWhileTheDeviceIsOpen) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    const pid_t child = fork();
    if (child == 0) {
        TermiosDevice other({locks.folder()});
        _exit(other.Open(pty.SlavePath()) == base::ecPortInUse ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(TermiosDeviceTest, MissingDevicesAndNonTerminalsAreNoSuchPort) {
    EXPECT_EQ(device.Open(locks.folder() + "ttyNothing"), base::ecFileNotFound);
    test::TempDir dir;
    const std::string file = dir.folder() + "ttyFile";
    test::WriteFile(file, "not a terminal");
    EXPECT_EQ(device.Open(file), base::ecFileNotFound);
    EXPECT_FALSE(device.IsOpen());
    // A failed open leaves no lock behind.
    EXPECT_FALSE(std::filesystem::exists(locks.folder() + "LCK..ttyFile"));
}

TEST_F(TermiosDeviceTest, RefusedPermissionTellsAboutTheDialoutGroup) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser opens any device";
    ASSERT_EQ(chmod(pty.SlavePath().c_str(), 0), 0);
    EXPECT_EQ(device.Open(pty.SlavePath()), base::ecPermissionDenied);
}

TEST(OpenErrorCodeTest, MapsTheErrorsThatMeanSomethingForAPort) {
    const std::pair<int, int> cases[] = {
        {ENOENT, base::ecFileNotFound},      {ENXIO, base::ecFileNotFound},  {ENODEV, base::ecFileNotFound},
        {ENOTTY, base::ecFileNotFound},      {EBUSY, base::ecPortInUse},     {EACCES, base::ecPermissionDenied},
        {EPERM, base::ecPermissionDenied},
        // Anything else is the classic I/O code.
        {ENOMEM, base::ecOutOfMemory},       {ENOTDIR, base::ecPathNotFound}, {EIO, base::ecAccessDenied},
    };
    for (const auto& [error, code] : cases) EXPECT_EQ(OpenErrorCode(error), code) << error;
}

TEST_F(TermiosDeviceTest, CallsOnAClosedDeviceAnswerNotOpen) {
    LineSettings settings;
    std::uint8_t byte = 0;
    std::uint32_t events = 1;
    EXPECT_EQ(device.GetSettings(settings), base::ecPortNotOpen);
    EXPECT_EQ(device.SetSettings(settings), base::ecPortNotOpen);
    EXPECT_EQ(device.SetDtr(true), base::ecPortNotOpen);
    EXPECT_EQ(device.Read({&byte, 1}), base::ecPortNotOpen);
    EXPECT_EQ(device.Write({&byte, 1}), base::ecPortNotOpen);
    EXPECT_EQ(device.WaitEvent(evRxChar, events), base::ecPortNotOpen);
    EXPECT_EQ(events, 0u);
    EXPECT_EQ(device.ReceiveCount(), base::ecPortNotOpen);
    EXPECT_EQ(device.Purge(true, true), base::ecPortNotOpen);
    device.CancelWrite();
    device.WakeWait();
}

// What the line discipline holds, read from the far end of the pty.
termios LineState(const PtyPair& pty) {
    termios tio{};
    EXPECT_EQ(tcgetattr(pty.Master(), &tio), 0);
    return tio;
}

TEST_F(TermiosDeviceTest, OpenLeavesTheLineRaw) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    const termios tio = LineState(pty);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
}

// A pty keeps eight data bits without parity whatever it is told, so framing
// is checked on termios records in TermiosSettingsTest; here the rest.
TEST_F(TermiosDeviceTest, SettingsReachTheLineAndReadBack) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    LineSettings flow;
    flow.baud = 57600;
    flow.stopBits = 2;
    flow.outxCtsFlow = true;
    flow.outX = true;
    flow.inX = true;
    flow.xonChar = 'Q';
    flow.xoffChar = 'S';
    flow.xonLim = 100;
    flow.xoffLim = 400;
    flow.dtrControl = DtrControl::Handshake;
    ASSERT_EQ(device.SetSettings(flow), 0);
    termios tio = LineState(pty);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B57600));
    EXPECT_EQ(tio.c_cflag & (CSTOPB | CRTSCTS), static_cast<tcflag_t>(CSTOPB | CRTSCTS));
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(tio.c_cc[VSTART], 'Q');
    EXPECT_EQ(tio.c_cc[VSTOP], 'S');
    LineSettings back;
    ASSERT_EQ(device.GetSettings(back), 0);
    EXPECT_EQ(back, flow);

    LineSettings plain;
    plain.baud = 230400;
    plain.outxDsrFlow = true;
    plain.rtsControl = RtsControl::Disable;
    ASSERT_EQ(device.SetSettings(plain), 0);
    tio = LineState(pty);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B230400));
    EXPECT_EQ(tio.c_cflag & (CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);
    ASSERT_EQ(device.GetSettings(back), 0);
    EXPECT_EQ(back, plain);
}

TEST_F(TermiosDeviceTest, UnsupportedSettingsAreRefusedAndChangeNothing) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    LineSettings good;
    good.baud = 9600;
    ASSERT_EQ(device.SetSettings(good), 0);

    LineSettings bad = good;
    bad.baud = 12345;
    EXPECT_EQ(device.SetSettings(bad), base::ecBaudRateNotSupported);
    bad.baud = 0;
    EXPECT_EQ(device.SetSettings(bad), base::ecBaudRateNotSupported);
    bad = good;
    bad.dataBits = 9;
    EXPECT_EQ(device.SetSettings(bad), base::ecDataBitsNotSupported);
    bad.dataBits = 4;
    EXPECT_EQ(device.SetSettings(bad), base::ecDataBitsNotSupported);

    LineSettings back;
    ASSERT_EQ(device.GetSettings(back), 0);
    EXPECT_EQ(back, good);
}

TEST_F(TermiosDeviceTest, PtyModemLinesReadAsAConnectedModem) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    EXPECT_EQ(device.ModemStatus(), msCts | msDsr | msDcd);
    EXPECT_EQ(device.SetDtr(false), 0);
    EXPECT_EQ(device.SetRts(false), 0);
    EXPECT_EQ(device.TakeErrors(), 0);
    EXPECT_EQ(device.SetQueueSizes(4096, 4096), 0);
    EXPECT_EQ(device.SetQueueSizes(0, 4096), base::ecBadArgument);
    // Sending gated by DSR goes ahead: DSR reads as on.
    LineSettings gated;
    gated.outxDsrFlow = true;
    ASSERT_EQ(device.SetSettings(gated), 0);
    const std::string text(300, 'g');
    EXPECT_EQ(device.Write(Bytes(text)), 300);
    EXPECT_EQ(pty.ReadMaster(300, 2000ms), text);
}

TEST_F(TermiosDeviceTest, ReadNeverWaitsAndTakesWhatArrived) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    std::uint8_t buffer[64];
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(device.Read(buffer), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);
    EXPECT_EQ(device.Read({buffer, 0}), 0);

    pty.WriteMaster("\r\nOK\r\n");
    ASSERT_TRUE(test::WaitUntil([&] { return device.ReceiveCount() == 6; }));
    EXPECT_EQ(device.Read({buffer, 4}), 4);
    EXPECT_EQ(device.ReceiveCount(), 2);
    EXPECT_EQ(device.Read(buffer), 2);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 2), "\r\n");
    EXPECT_EQ(device.Read(buffer), 0);
}

TEST_F(TermiosDeviceTest, WrittenBytesArriveWholeAtTheFarEnd) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    std::string data;
    for (int i = 0; i < 3000; ++i) data += static_cast<char>(i * 7);
    auto reader = std::async(std::launch::async, [&] { return pty.ReadMaster(data.size(), 5000ms); });
    EXPECT_EQ(device.Write(Bytes(data)), static_cast<int>(data.size()));
    EXPECT_EQ(reader.get(), data);
    EXPECT_EQ(device.Write({}), 0);
}

TEST_F(TermiosDeviceTest, CancelWriteReleasesAWriteTheLineHoldsUp) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    // Nobody reads the master: the line fills and the write has to wait.
    const std::string data(1 << 20, 'x');
    auto writer = std::async(std::launch::async, [&] { return device.Write(Bytes(data)); });
    EXPECT_EQ(writer.wait_for(100ms), std::future_status::timeout);
    device.CancelWrite();
    ASSERT_EQ(writer.wait_for(2000ms), std::future_status::ready);
    const int written = writer.get();
    EXPECT_GT(written, 0);
    EXPECT_LT(written, static_cast<int>(data.size()));
}

TEST_F(TermiosDeviceTest, ACancelBetweenWritesEndsTheNextOneUnlessPurged) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    device.CancelWrite();
    EXPECT_EQ(device.Write(Bytes("lost")), 0);
    EXPECT_EQ(device.Write(Bytes("kept")), 4);  // the cancel was used up
    EXPECT_EQ(pty.ReadMaster(4, 2000ms), "kept");

    device.CancelWrite();
    ASSERT_EQ(device.Purge(false, true), 0);
    EXPECT_EQ(device.Write(Bytes("sent")), 4);
    EXPECT_EQ(pty.ReadMaster(4, 2000ms), "sent");
}

TEST_F(TermiosDeviceTest, WaitEventReportsNewDataOnce) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    std::uint32_t events = 0;
    auto waiter = std::async(std::launch::async, [&] { return device.WaitEvent(evRxChar | evCts, events); });
    EXPECT_EQ(waiter.wait_for(50ms), std::future_status::timeout);
    pty.WriteMaster("RING");
    ASSERT_EQ(waiter.wait_for(2000ms), std::future_status::ready);
    EXPECT_EQ(waiter.get(), 0);
    EXPECT_EQ(events, evRxChar);

    // The bytes stay unread: no second event for them, only a wake ends the wait.
    auto idle = std::async(std::launch::async, [&] { return device.WaitEvent(evRxChar, events); });
    EXPECT_EQ(idle.wait_for(100ms), std::future_status::timeout);
    device.WakeWait();
    ASSERT_EQ(idle.wait_for(2000ms), std::future_status::ready);
    EXPECT_EQ(idle.get(), 0);
    EXPECT_EQ(events, 0u);

    // More bytes are news again, even before the first ones are read.
    pty.WriteMaster("!");
    ASSERT_EQ(device.WaitEvent(evRxChar, events), 0);
    EXPECT_EQ(events, evRxChar);
    EXPECT_EQ(test::ReadUntil(device, 5), "RING!");

    // After a read, the next arrival is reported even when it is smaller.
    pty.WriteMaster("x");
    ASSERT_EQ(device.WaitEvent(evRxChar, events), 0);
    EXPECT_EQ(events, evRxChar);
}

TEST_F(TermiosDeviceTest, AWakeBeforeTheWaitIsKept) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    device.WakeWait();
    std::uint32_t events = 1;
    EXPECT_EQ(device.WaitEvent(evRxChar | evDsr | evErr, events), 0);
    EXPECT_EQ(events, 0u);
}

TEST_F(TermiosDeviceTest, WaitEndsWhenTheLineHangsUp) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    std::uint32_t events = 0;
    auto waiter = std::async(std::launch::async, [&] { return device.WaitEvent(evRxChar, events); });
    EXPECT_EQ(waiter.wait_for(50ms), std::future_status::timeout);
    pty.CloseMaster();
    ASSERT_EQ(waiter.wait_for(2000ms), std::future_status::ready);
    EXPECT_EQ(waiter.get(), base::ecDeviceRead);
}

TEST_F(TermiosDeviceTest, PurgeDropsWaitingInput) {
    ASSERT_EQ(device.Open(pty.SlavePath()), 0);
    pty.WriteMaster("stale reply");
    ASSERT_TRUE(test::WaitUntil([&] { return device.ReceiveCount() == 11; }));
    EXPECT_EQ(device.Purge(true, false), 0);
    EXPECT_EQ(device.ReceiveCount(), 0);
    std::uint8_t buffer[16];
    EXPECT_EQ(device.Read(buffer), 0);
    EXPECT_EQ(device.Purge(false, false), 0);

    // Input after a purge is reported again.
    pty.WriteMaster("new");
    std::uint32_t events = 0;
    ASSERT_EQ(device.WaitEvent(evRxChar, events), 0);
    EXPECT_EQ(events, evRxChar);
}

TEST_F(TermiosDeviceTest, TalksToTheFakeModem) {
    test::FakeModemScript script;
    script.replies = {{"AT", "\r\nOK\r\n"}, {"AT+FCLASS=?", "\r\n0,1,2\r\n\r\nOK\r\n"}};
    test::FakeModem modem(script);
    TermiosDevice port({locks.folder()});
    ASSERT_EQ(port.Open(modem.SlavePath()), 0);
    ASSERT_EQ(port.Write(Bytes("at+fclass=?\r")), 12);
    ASSERT_TRUE(modem.WaitForCommands(1, 2000ms));
    EXPECT_EQ(test::ReadUntil(port, 12 + 14), "at+fclass=?\r\r\n0,1,2\r\n\r\nOK\r\n");
    EXPECT_EQ(modem.Commands(), std::vector<std::string>{"at+fclass=?"});
}

}  // namespace
}  // namespace vl::serial
