// "Sender Information": what Accept keeps, and a settings file that cannot
// be written.
#include "ui/GetSenderInfo.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <filesystem>
#include <QPushButton>

#include "ModalDriver.h"
#include "base/IniFile.h"
#include "support/EnvVar.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using ui::GetSenderInfo;

class GetSenderInfoTest : public ::testing::Test {
protected:
    GetSenderInfoTest() : home("VELLORA_HOME", dir.folder()) { settings.Name = "Ada Example"; }

    void Fill(QWidget& form, const QString& text)
    {
        for (const char* name : {"Name", "FaxNumber", "Voicenumber", "Company"})
            Child<QLineEdit>(form, name)->setText(text);
    }

    TempDir dir;
    EnvVar home;
    app::Settings settings;
};

TEST_F(GetSenderInfoTest, AcceptKeepsTheFourValuesWithinTheirLimitsInMemoryAndFile)
{
    GetSenderInfo form(settings);
    Fill(form, QString(40, QLatin1Char('7')));
    Child<QPushButton>(form, "accept")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(settings.Name, std::string(35, '7'));
    EXPECT_EQ(settings.Fax, std::string(20, '7'));
    EXPECT_EQ(settings.Voice, std::string(20, '7'));
    EXPECT_EQ(settings.Company, std::string(35, '7'));
    const base::IniFile ini = base::IniFile::Load(dir.folder() + "VL.INI");
    EXPECT_EQ(ini.ReadString("User", "Voice", ""), std::string(20, '7'));
    EXPECT_EQ(ini.ReadString("User", "Company", ""), std::string(35, '7'));
}

TEST_F(GetSenderInfoTest, CancelChangesNothing)
{
    GetSenderInfo form(settings);
    Fill(form, "changed");
    Child<QPushButton>(form, "cancel")->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(settings.Name, "Ada Example");
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "VL.INI"));
}

TEST_F(GetSenderInfoTest, ASettingsFileThatCannotBeWrittenIsToldAndNothingChanges)
{
    GetSenderInfo form(settings);
    form.show();
    Fill(form, "changed");
    std::string shown;
    WhenModal([&shown](QWidget& modal) {
        shown = modal.windowTitle().toStdString();
        CloseModal(modal);
    });
    {
        FileSizeLimit limit(10);
        Child<QPushButton>(form, "accept")->click();
    }
    EXPECT_EQ(shown, "Unable to Complete the Operation");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(settings.Name, "Ada Example");
    EXPECT_TRUE(settings.Company.empty());
}

}  // namespace
}  // namespace vl::test
