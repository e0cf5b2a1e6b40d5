// The configuration report window: the report in its memo, saved through the
// save dialog into the chosen file.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "ModalDriver.h"
#include "support/TestSupport.h"
#include "ui/ConfigurationInfo.h"

namespace vl::ui {
namespace {

using test::Child;
using test::WhenModal;

// The save dialog keeps its history of folders in the user's Qt settings,
// and lists each of them again; these tests keep theirs in a folder of their
// own, which neither reads nor spoils the user's.
class ConfigurationInfoTest : public ::testing::Test {
protected:
    ConfigurationInfoTest() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path().c_str()); }

    test::TempDir settings, home, root;
};

app::ReportSources Sources(const test::TempDir& home, const test::TempDir& root)
{
    test::WriteFile(home.path() / "Lastrec.log", "2026-12-09 04:00:00  Waiting for call\n");
    app::ReportSources sources;
    sources.rootFolder = root.path().string();
    sources.programFolder = home.folder();
    sources.settingsFile = home.folder() + "VL.INI";
    sources.screen = app::ScreenFacts{1280, 800, 16, 96};
    return sources;
}

TEST_F(ConfigurationInfoTest, ShowsTheReportAndSavesItAsTheChosenFile)
{
    const app::ConfigurationReport report(Sources(home, root));
    ConfigurationInfo form(report, home.folder());
    EXPECT_EQ(form.windowTitle(), "Configuration Information");
    const QString shown = Child<QPlainTextEdit>(form, "report")->toPlainText();
    EXPECT_EQ(shown.toStdString(), report.Text());
    // 16 bits a pixel count one colour short, whatever the thousands separator.
    EXPECT_TRUE(shown.contains("Video:       \t1280 x 800 x 65") && shown.contains("535 colors"));
    EXPECT_TRUE(shown.contains("2026-12-09 04:00:00  Waiting for call"));

    const std::string file = home.folder() + "report.txt";
    std::string told;
    WhenModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->directory().absolutePath().toStdString() + "/", home.folder());
        WhenModal([&](QWidget& box) {
            told = test::ModalText(box);
            test::CloseModal(box);
        });
        dialog->selectFile(QString::fromStdString(file));
        static_cast<QDialog*>(dialog)->accept();  // as its Save button does
    });
    QTest::mouseClick(Child<QPushButton>(form, "save"), Qt::LeftButton);
    EXPECT_EQ(test::ReadFile(file), report.Text());
    EXPECT_EQ(told, "Configuration Information: Information was saved as: " + file);
}

}  // namespace
}  // namespace vl::ui
