#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

// A pseudo terminal whose slave stands in for a serial port.
class Pty {
public:
    Pty() : master_(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        char name[128] = "";
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) ptsname_r(master_, name, sizeof name);
        slave_ = name;
    }
    ~Pty() { close(master_); }
    const std::string& Slave() const { return slave_; }

private:
    int master_;
    std::string slave_;
};

TEST(PortsCommandTest, ListsEachConfiguredPortWithItsState) {
    TempDir home;
    Pty free;
    Pty held;
    ASSERT_FALSE(free.Slave().empty());
    ASSERT_FALSE(held.Slave().empty());
    const std::string missing = home.folder() + "ttyMissing";
    WriteFile(home.path() / "VL.INI", "[Ports]\nCOM1=\nCOM2=" + missing + "\nCOM3=\nCOM4=" + free.Slave() +
                                          "\nCOM5=\nCOM6=\nCOM12=" + held.Slave() + "\n");
    // A lock file in the data folder counts like one in the system's lock folder.
    char lock[16];
    std::snprintf(lock, sizeof lock, "%10d\n", static_cast<int>(getpid()));
    const std::string lockName = "LCK.." + held.Slave().substr(held.Slave().rfind('/') + 1);
    WriteFile(home.path() / lockName, lock);

    const RunResult result = RunCli(home.folder(), {"ports"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "COM2\t" + missing + "\tabsent\n" + "COM4\t" + free.Slave() + "\tavailable\n" + "COM12\t" +
                              held.Slave() + "\tin use by " + std::to_string(getpid()) + " cli_tests" +
                              "\n");
    // Probing leaves the lock of the holder alone and adds none of its own.
    EXPECT_EQ(ReadFile(home.path() / lockName), lock);
}

TEST(PortsCommandTest, RefusesArguments) {
    TempDir home;
    const RunResult result = RunCli(home.folder(), {"ports", "COM1"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("vellora-cli ports:"), std::string::npos);
}

}  // namespace
}  // namespace vl::test
