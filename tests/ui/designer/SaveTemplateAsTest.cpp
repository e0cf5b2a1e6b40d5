// "Save fax cover template as": when "Ok " may be pressed, what a chosen
// template fills in, and what the window gives back.
#include "ui/SaveTemplateAs.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "ModalDriver.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using ui::SaveTemplateAs;

class SaveTemplateAsTest : public ::testing::Test {
protected:
    SaveTemplateAsTest()
    {
        for (const char* name : {"Letter.fct", "VL0001.FCT", "VL0001.FCS", "notes.txt"})
            WriteFile(dir.folder() + name, "");
        WriteFile(dir.folder() + "vl0001.des", "Business cover\r\n");
    }

    static QLineEdit* Name(const QWidget& form) { return Child<QLineEdit>(form, "TemplateName"); }
    static QLineEdit* Description(const QWidget& form) { return Child<QLineEdit>(form, "TemplateDescription"); }
    static QPushButton* Ok(const QWidget& form) { return Child<QPushButton>(form, "ok"); }

    TempDir dir;
};

TEST_F(SaveTemplateAsTest, OkFollowsTheNameAndDescriptionWhileTyping)
{
    SaveTemplateAs form(dir.folder(), {"VL0002.FCS", "[Description]"});
    form.show();
    EXPECT_EQ(form.windowTitle(), "Save fax cover template as");
    EXPECT_EQ(Ok(form)->text(), "Ok ");
    EXPECT_FALSE(Child<QLabel>(form, "InvalidFileName")->text().isEmpty());
    EXPECT_TRUE(Ok(form)->isEnabled());

    Name(form)->clear();
    QTest::keyClicks(Name(form), "my-fax");
    EXPECT_FALSE(Ok(form)->isEnabled());
    Name(form)->clear();
    QTest::keyClicks(Name(form), "myfax.fc");
    EXPECT_FALSE(Ok(form)->isEnabled());
    QTest::keyClicks(Name(form), "s");
    EXPECT_TRUE(Ok(form)->isEnabled());
    QTest::keyClick(Name(form), Qt::Key_Home);
    QTest::keyClicks(Name(form), "9");
    EXPECT_FALSE(Ok(form)->isEnabled());
    QTest::keyClick(Name(form), Qt::Key_Delete);
    EXPECT_EQ(Name(form)->text(), "9yfax.fcs");
    QTest::keyClick(Name(form), Qt::Key_Backspace);
    EXPECT_TRUE(Ok(form)->isEnabled());

    Description(form)->selectAll();
    QTest::keyClick(Description(form), Qt::Key_Backspace);
    EXPECT_FALSE(Ok(form)->isEnabled());
    // Return does nothing while "Ok " is disabled.
    QTest::keyClick(Description(form), Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    QTest::keyClicks(Description(form), "Mine");
    EXPECT_TRUE(Ok(form)->isEnabled());
    Ok(form)->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Chosen().name, "yfax.fcs");
    EXPECT_EQ(form.Chosen().description, "Mine");
}

TEST_F(SaveTemplateAsTest, ChoosingATemplateGivesItsDesignNameAndDescription)
{
    SaveTemplateAs form(dir.folder(), {"VL0002.FCS", "[Description]"});
    auto* files = Child<QListWidget>(form, "files");
    ASSERT_EQ(files->count(), 2);
    EXPECT_EQ(files->item(0)->text(), "Letter.fct");
    // Only a selection fills the boxes, not the list's current row alone.
    files->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    EXPECT_EQ(Name(form)->text(), "VL0002.FCS");

    files->setCurrentRow(1);
    EXPECT_EQ(Name(form)->text(), "VL0001.FCS");
    EXPECT_EQ(Description(form)->text(), "Business cover");
    EXPECT_TRUE(Ok(form)->isEnabled());

    // A template without a description must be given one first.
    files->setCurrentRow(0);
    EXPECT_EQ(Name(form)->text(), "Letter.FCS");
    EXPECT_EQ(Description(form)->text(), "");
    EXPECT_FALSE(Ok(form)->isEnabled());
}

TEST_F(SaveTemplateAsTest, RunProposesAndGivesBackTheChoiceOrNothing)
{
    cover::NamedTemplate shown;
    WhenModal([&shown](QWidget& modal) {
        shown = {Name(modal)->text().toStdString(), Description(modal)->text().toStdString()};
        QTest::keyClick(&modal, Qt::Key_Escape);
    });
    EXPECT_EQ(SaveTemplateAs::Run(dir.folder(), "", nullptr), std::nullopt);
    EXPECT_EQ(shown.name, "VL0002.FCS");
    EXPECT_EQ(shown.description, "[Description]");

    WhenModal([](QWidget& modal) {
        Description(modal)->setText("Renamed");
        QTest::keyClick(&modal, Qt::Key_Return);
    });
    const auto chosen = SaveTemplateAs::Run(dir.folder(), dir.folder() + "VL0001.FCS", nullptr);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->name, "VL0001.FCS");
    EXPECT_EQ(chosen->description, "Renamed");
}

}  // namespace
}  // namespace vl::test
