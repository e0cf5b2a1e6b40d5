// Which COM numbers the port selection offers: a character device behind a
// link counts, a plain file, a folder, a dangling link or a missing device
// does not.
#include "serial/AvailablePorts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace vl::serial {
namespace {

TEST(AvailablePortsTest, OnlyCharacterDevicesThatAreThereAreOffered)
{
    test::TempDir dir;
    const std::filesystem::path tree = dir.path();
    std::filesystem::create_symlink("/dev/null", tree / "ttyModem");
    std::filesystem::create_symlink(tree / "gone", tree / "ttyDangling");
    std::filesystem::create_directory(tree / "ttyFolder");
    test::WriteFile(tree / "ttyFile", "not a device");
    // COM1..COM6 have devices by default; this system's own must not count here.
    test::WriteFile(tree / "VL.INI", "[Ports]\nCOM1=\nCOM2=" + (tree / "ttyModem").string() + "\nCOM3=" +
                                         (tree / "ttyFile").string() + "\nCOM4=" + (tree / "ttyFolder").string() +
                                         "\nCOM5=" + (tree / "ttyDangling").string() + "\nCOM6=" +
                                         (tree / "missing").string() + "\nCOM9=/dev/null\nCOM50=" +
                                         (tree / "ttyModem").string() + "\nCOM51=/dev/null\n");
    const std::string modem = (tree / "ttyModem").string();
    EXPECT_EQ(AvailablePorts((tree / "VL.INI").string()),
              (std::vector<AvailablePort>{{2, modem}, {9, "/dev/null"}, {50, modem}}));
    EXPECT_FALSE(DeviceUsable(""));
}

}  // namespace
}  // namespace vl::serial
