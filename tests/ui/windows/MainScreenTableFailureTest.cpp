// The main window when neither fax table can be opened: both are named, the
// program closes, and closing still saves the window's place and the
// settings, keeping what the user had stored.
#include "ui/MainScreen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>

#include "ModalDriver.h"
#include "app/FaxListTexts.h"
#include "app/Settings.h"
#include "base/IniFile.h"
#include "base/MessageWindow.h"
#include "support/EnvVar.h"
#include "support/TestSupport.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

TEST(MainScreenTableFailureTest, BothFailuresAreToldAndClosingSavesPlaceAndSettings)
{
    TempDir dir;
    EnvVar home("VELLORA_HOME", dir.folder());
    // Files that are no tables: they are neither opened nor replaced.
    WriteFile(dir.folder() + "VLOUT.DBF", "not a table");
    WriteFile(dir.folder() + "VLREC.DBF", "not a table either");
    WriteFile(dir.folder() + "VL.INI",
              "[User]\nName=Ada Example\n[MainScreen_Placement]\nLeft=60\nTop=50\nRight=660\nBottom=450\n"
              "Maximized=0\n");

    std::vector<std::string> shown;
    {
        ModalResponder responder([&](QWidget& modal) {
            shown.push_back(ModalText(modal));
            CloseModal(modal);
        });
        base::MessageLoop loop;
        ui::QtMessagePump pump(loop);
        ui::MainScreen window(loop);
        window.show();
        for (int i = 0; i < 300 && window.isVisible(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_FALSE(window.isVisible());
    }
    auto shownText = [](std::string_view text) {
        std::string s = "Information: " + std::string(text);
        std::replace(s.begin(), s.end(), '\r', '\n');
        return s;
    };
    EXPECT_EQ(shown, (std::vector<std::string>{shownText(app::kOutgoingTableFailed),
                                               shownText(app::kIncomingTableFailed)}));

    const base::IniFile ini = base::IniFile::Load(dir.folder() + "VL.INI");
    EXPECT_EQ(ini.ReadString("User", "Name", ""), "Ada Example");
    EXPECT_EQ(ini.ReadString(app::kVersionSection, app::kVersionKey, ""), app::kProgramVersion);
    EXPECT_EQ(ini.ReadInteger("MainScreen_Placement", "Left", -1), 60);
    EXPECT_EQ(ini.ReadInteger("MainScreen_Placement", "Bottom", -1), 450);
    EXPECT_EQ(ReadFile(dir.folder() + "VLOUT.DBF"), "not a table");
}

}  // namespace
}  // namespace vl::test
