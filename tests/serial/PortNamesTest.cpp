#include "serial/PortNames.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace vl::serial {
namespace {

TEST(PortNamesTest, DefaultsCoverTheFirstSixPorts) {
    test::TempDir dir;
    const std::string ini = dir.folder() + "VL.INI";  // missing: defaults only
    const char* defaults[] = {"", "/dev/ttyACM0", "/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyACM1",
                              "/dev/ttyUSB1", ""};
    for (int com = 0; com <= 7; ++com) EXPECT_EQ(DevicePathForCom(com, ini), defaults[com]) << com;
    EXPECT_EQ(DevicePathForCom(50, ini), "");
    EXPECT_EQ(DevicePathForCom(-1, ini), "");
}

TEST(PortNamesTest, TheSettingsFileOverridesAddsAndTurnsOff) {
    test::TempDir dir;
    const std::string ini = dir.folder() + "VL.INI";
    test::WriteFile(ini,
                    "[General]\nCOM3=/dev/wrong\n[ports]\ncom3 = /dev/ttyS4\nCOM2=\nCOM7=/dev/ttyAMA0\n"
                    "COM50=\"/dev/serial/by-id/usb-modem\"\nCOM51=/dev/ttyS9\n");
    EXPECT_EQ(DevicePathForCom(1, ini), "/dev/ttyACM0");
    EXPECT_EQ(DevicePathForCom(2, ini), "");
    EXPECT_EQ(DevicePathForCom(3, ini), "/dev/ttyS4");
    EXPECT_EQ(DevicePathForCom(7, ini), "/dev/ttyAMA0");
    EXPECT_EQ(DevicePathForCom(50, ini), "/dev/serial/by-id/usb-modem");
    EXPECT_EQ(DevicePathForCom(51, ini), "");
}

TEST(PortNamesTest, PortNamesArePathsComNamesOrNumbers) {
    test::TempDir dir;
    const std::string ini = dir.folder() + "VL.INI";
    test::WriteFile(ini, "[Ports]\nCOM12=/dev/ttyS12\n");
    EXPECT_EQ(DevicePathForPortName("/dev/pts/3", ini), "/dev/pts/3");
    EXPECT_EQ(DevicePathForPortName("COM2", ini), "/dev/ttyUSB0");
    EXPECT_EQ(DevicePathForPortName("com12", ini), "/dev/ttyS12");
    EXPECT_EQ(DevicePathForPortName("12", ini), "/dev/ttyS12");
    for (const char* bad : {"", "COM", "COMx", "COM2x", "COM+2", "2 ", "COM51", "0", "dev/ttyS0"}) {
        EXPECT_EQ(DevicePathForPortName(bad, ini), "") << bad;
    }
}

TEST(PortNamesTest, LabelsNameTheComNumberAndItsDevice) {
    test::TempDir dir;
    const std::string ini = dir.folder() + "VL.INI";
    test::WriteFile(ini, "[Ports]\nCOM2=\nCOM9=/dev/ttyS9\n");
    EXPECT_EQ(ComPortLabel(3, ini), "COM3 (/dev/ttyS0)");
    EXPECT_EQ(ComPortLabel(9, ini), "COM9 (/dev/ttyS9)");
    EXPECT_EQ(ComPortLabel(2, ini), "COM2 (no device)");
    EXPECT_EQ(PortLabel(0, "/dev/pts/3"), "/dev/pts/3");  // given by its path alone
    EXPECT_EQ(PortLabel(0, ""), "COM0 (no device)");
    EXPECT_EQ(ComKey(1), "COM1");
    EXPECT_EQ(ComKey(kMaxComNumber), "COM50");
    EXPECT_EQ(ComKey(0), "");
    EXPECT_EQ(ComKey(kMaxComNumber + 1), "");
}

}  // namespace
}  // namespace vl::serial
