#include "serial/UucpLock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "base/ErrorCodes.h"
#include "LockFiles.h"
#include "support/TestSupport.h"

namespace vl::serial {
namespace {

using test::DeadPid;
using test::LockText;

const std::string kDevice = "/dev/ttyUSB7";

TEST(UucpLockTest, FileNameIsTheLastPartOfTheDevicePath) {
    EXPECT_EQ(LockFileName("/dev/ttyUSB0"), "LCK..ttyUSB0");
    EXPECT_EQ(LockFileName("/dev/pts/3"), "LCK..3");
    EXPECT_EQ(LockFileName("ttyS0"), "LCK..ttyS0");
}

TEST(UucpLockTest, PidIsReadInTheFormsProgramsWrite) {
    EXPECT_EQ(ParseLockPid("      4321\n"), 4321);
    EXPECT_EQ(ParseLockPid("4321"), 4321);
    EXPECT_EQ(ParseLockPid("\t4321 uucp\n"), 4321);
    EXPECT_EQ(ParseLockPid("4321\r\n"), 4321);
    for (const char* bad : {"", "   \n", "x4321\n", "4321x\n", "0\n", "-4321\n", "+4321\n", "99999999999\n"}) {
        EXPECT_EQ(ParseLockPid(bad), -1) << bad;
    }
    // A binary PID (four bytes) as some old programs wrote it is no number.
    EXPECT_EQ(ParseLockPid(std::string("\xe1\x10\0\0", 4)), -1);
}

TEST(UucpLockTest, ATrapUnderTheTemporaryNameIsNotFollowed) {
    test::TempDir dir;
    test::TempDir elsewhere;
    const std::string target = elsewhere.folder() + "victim";
    test::WriteFile(target, "keep");
    std::filesystem::create_symlink(target, dir.folder() + "LCK..ttyUSB7.tmp" + std::to_string(getpid()));
    UucpLock lock;
    ASSERT_EQ(lock.Acquire(kDevice, {dir.folder()}), 0);
    EXPECT_EQ(test::ReadFile(target), "keep");
    EXPECT_EQ(test::ReadFile(dir.folder() + "LCK..ttyUSB7"), LockText(getpid()));
}

TEST(UucpLockTest, WritesTenDigitsAndALineFeedAndRemovesThemOnRelease) {
    test::TempDir dir;
    const std::string file = dir.folder() + "LCK..ttyUSB7";
    {
        UucpLock lock;
        ASSERT_EQ(lock.Acquire(kDevice, {dir.folder()}), 0);
        EXPECT_EQ(lock.FileName(), file);
        EXPECT_EQ(test::ReadFile(file), LockText(getpid()));
        // Nothing else is left in the folder (no temporary file).
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(UucpLockTest, LiveHoldersRefuseAndAreNamed) {
    test::TempDir dir;
    test::WriteFile(dir.folder() + "LCK..ttyUSB7", LockText(getppid()));
    UucpLock lock;
    EXPECT_EQ(lock.Acquire(kDevice, {dir.folder()}), base::ecPortInUse);
    EXPECT_TRUE(lock.FileName().empty());
    EXPECT_EQ(LockHolder(kDevice, {dir.folder()})->pid, getppid());

    // This process counts as a holder too, and a number without padding is read.
    test::WriteFile(dir.folder() + "LCK..ttyUSB7", std::to_string(getpid()) + "\n");
    EXPECT_EQ(lock.Acquire(kDevice, {dir.folder()}), base::ecPortInUse);
    const auto holder = LockHolder(kDevice, {dir.folder()});
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holder->pid, getpid());
    EXPECT_EQ(holder->program, "serial_tests");
}

TEST(UucpLockTest, LocksOfDeadProcessesAndUnreadableLocksAreTakenOver) {
    test::TempDir dir;
    const std::string file = dir.folder() + "LCK..ttyUSB7";
    for (const std::string& stale : {LockText(DeadPid()), std::string("garbage\n"), std::string(),
                                     std::string("-5\n"), std::string("99999999999999999999\n")}) {
        test::WriteFile(file, stale);
        EXPECT_FALSE(LockHolder(kDevice, {dir.folder()}).has_value());
        UucpLock lock;
        EXPECT_EQ(lock.Acquire(kDevice, {dir.folder()}), 0) << stale;
        EXPECT_EQ(test::ReadFile(file), LockText(getpid()));
    }
}

TEST(UucpLockTest, EveryFolderIsCheckedAndTheFirstWritableOneIsUsed) {
    test::TempDir first;
    test::TempDir second;
    const std::string missing = first.folder() + "no-such-folder";
    test::WriteFile(second.folder() + "LCK..ttyUSB7", LockText(getppid()));
    UucpLock lock;
    EXPECT_EQ(lock.Acquire(kDevice, {first.folder(), second.folder()}), base::ecPortInUse);
    EXPECT_EQ(LockHolder(kDevice, {missing, second.folder()})->pid, getppid());

    std::filesystem::remove(second.folder() + "LCK..ttyUSB7");
    ASSERT_EQ(lock.Acquire(kDevice, {missing, second.path().string()}), 0);
    EXPECT_EQ(lock.FileName(), second.folder() + "LCK..ttyUSB7");
}

TEST(UucpLockTest, NoWritableFolderMeansNoLockButNoRefusal) {
    test::TempDir dir;
    UucpLock lock;
    EXPECT_EQ(lock.Acquire(kDevice, {dir.folder() + "missing/"}), 0);
    EXPECT_TRUE(lock.FileName().empty());
    EXPECT_EQ(lock.Acquire(kDevice, {}), 0);
}

TEST(UucpLockTest, ReleaseLeavesALockThatIsNoLongerOurs) {
    test::TempDir dir;
    const std::string file = dir.folder() + "LCK..ttyUSB7";
    UucpLock lock;
    ASSERT_EQ(lock.Acquire(kDevice, {dir.folder()}), 0);
    test::WriteFile(file, LockText(getppid()));
    lock.Release();
    EXPECT_EQ(test::ReadFile(file), LockText(getppid()));
    EXPECT_TRUE(lock.FileName().empty());
}

}  // namespace
}  // namespace vl::serial
