// The port selection window as the chooser of a port opened without a COM
// number: what it lists, and what its answer does to the open.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>

#include <string>
#include <vector>

#include "ComPortFixture.h"
#include "ModalDriver.h"
#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "ui/ComSelectForm.h"

namespace vl::test {
namespace {

class ComSelectFormTest : public ::testing::Test, public ComPortFixture {
protected:
    ComSelectFormTest()
    {
        for (int n = 1; n <= 6; ++n)
            MapCom(n, "");
        MapCom(9, "/dev/null");
        ui::ComSelectForm::AskForPortsOf(*port, nullptr);
        port->SetComNumber(0);
    }

    // The error code of opening the port, 0 when it opened.
    int OpenCode()
    {
        try {
            port->SetOpen(true);
            return 0;
        } catch (const base::EVlException& e) {
            return e.ErrorCode();
        }
    }
};

TEST_F(ComSelectFormTest, TheChosenPortIsOpened)
{
    std::vector<std::string> items;
    WhenModal([&items](QWidget& w) {
        EXPECT_EQ(ModalText(w),
                  "Select Port: The configured serial port is not valid.: Please choose another port.");
        auto* ports = Child<QComboBox>(w, "PortsComboBox");
        for (int i = 0; i < ports->count(); ++i)
            items.push_back(ports->itemText(i).toStdString());
        EXPECT_EQ(ports->currentIndex(), 0);
        static_cast<QDialog&>(w).accept();
    });
    EXPECT_EQ(OpenCode(), 0);
    EXPECT_EQ(items, (std::vector<std::string>{"COM7 (" + modem.SlavePath() + ")", "COM9 (/dev/null)"}));
    EXPECT_EQ(port->ComNumber(), kModemCom);
    EXPECT_TRUE(port->Open());
    port->SendText("AT\r");
    EXPECT_TRUE(modem.WaitForCommands(1, std::chrono::seconds(2)));
    port->SetOpen(false);
}

TEST_F(ComSelectFormTest, CancelLeavesThePortClosedWithNoPortSelected)
{
    WhenModal([](QWidget& w) { static_cast<QDialog&>(w).reject(); });
    EXPECT_EQ(OpenCode(), base::ecNoPortSelected);
    EXPECT_FALSE(port->Open());
    EXPECT_EQ(port->ComNumber(), 0);
}

TEST_F(ComSelectFormTest, WithoutPromptingNoWindowComesUp)
{
    port->SetPromptForPort(false);
    int windows = 0;
    ModalResponder responder([&windows](QWidget& modal) {
        ++windows;
        CloseModal(modal);
    });
    EXPECT_EQ(OpenCode(), base::ecNoPortSelected);
    EXPECT_EQ(windows, 0);
}

}  // namespace
}  // namespace vl::test
