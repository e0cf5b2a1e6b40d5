// The configuration report window: the report in its memo, saved through the
// save dialog into the chosen file.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ModalDriver.h"
#include "support/TestSupport.h"
#include "ui/ConfigurationInfo.h"

namespace vl::ui {
namespace {

using test::Child;
using test::WhenModal;

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

TEST(ConfigurationInfo, ShowsTheReportAndSavesItAsTheChosenFile)
{
    test::TempDir home, root;
    const app::ConfigurationReport report(Sources(home, root));
    ConfigurationInfo form(report, home.folder());
    EXPECT_EQ(form.windowTitle(), "Configuration Information");
    const QString shown = Child<QPlainTextEdit>(form, "report")->toPlainText();
    EXPECT_EQ(shown.toStdString(), report.Text());
    EXPECT_TRUE(shown.contains("Video:       \t1280 x 800 x 65,535 colors") || shown.contains("x 65535 colors"));
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

TEST(ConfigurationInfo, AFileThatCannotBeWrittenIsToldInTheErrorWindow)
{
    test::TempDir home, root;
    ConfigurationInfo form(app::ConfigurationReport(Sources(home, root)), home.folder());
    std::string told;
    WhenModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        WhenModal([&](QWidget& box) {
            told = test::ModalText(box);
            test::CloseModal(box);
        });
        dialog->selectFile(QString::fromStdString(home.folder() + "no/such/folder/report.txt"));
        static_cast<QDialog*>(dialog)->accept();  // as its Save button does
    });
    QTest::mouseClick(Child<QPushButton>(form, "save"), Qt::LeftButton);
    EXPECT_NE(told.find("Unable to Complete the Operation"), std::string::npos) << told;
}

}  // namespace
}  // namespace vl::ui
