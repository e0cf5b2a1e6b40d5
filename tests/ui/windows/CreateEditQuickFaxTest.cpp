// "Fax Cover Sheet Editor": its checks on Save, with their texts and the
// entry they point to; Enter never closes it; the message comes back one
// line per paragraph.
#include "ui/CreateEditQuickFax.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ModalDriver.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using ui::CreateEditQuickFax;

app::CoverEntry FullEntry()
{
    app::CoverEntry entry;
    entry.info = {"Ann Lee", "555 0199", "Order 5512", "call back", "A7"};
    entry.messageLines = {"Dear Ann,", "", "the order ships today."};
    entry.flags = {true, false, false, true, false};
    entry.templateName = "vl0002.fct";
    return entry;
}

class CreateEditQuickFaxTest : public ::testing::Test {
protected:
    TempDir covers;
    app::Settings settings;
};

TEST_F(CreateEditQuickFaxTest, SaveNamesTheFirstMissingEntryAndGoesThere)
{
    struct Case {
        const char* clear;  // the entries emptied
        bool clearMessage;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {"Recipient", false, "Please enter a recipient", "Recipient"},
        {"RecipientFax", false, "Please enter a recipient fax number", "RecipientFax"},
        {"Regarding", true, "Please enter text for the \"regarding\" field\rand/or enter a message", "Regarding"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clear);
        CreateEditQuickFax form(settings, covers.folder());
        form.SetEntry(FullEntry());
        form.show();
        Child<QLineEdit>(form, c.clear)->clear();
        if (c.clearMessage)
            Child<QPlainTextEdit>(form, "FaxMessage")->clear();
        std::string shown;
        WhenModal([&shown](QWidget& modal) {
            shown = ModalText(modal);
            CloseModal(modal);
        });
        Child<QPushButton>(form, "Save")->click();
        EXPECT_NE(shown.find(std::string(c.text).substr(0, 30)), std::string::npos) << shown;
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.focusWidget(), Child<QLineEdit>(form, c.focus));
    }
}

TEST_F(CreateEditQuickFaxTest, ARegardingOrAMessageIsEnough)
{
    for (bool keepRegarding : {true, false}) {
        CreateEditQuickFax form(settings, covers.folder());
        app::CoverEntry entry = FullEntry();
        if (keepRegarding)
            entry.messageLines.clear();
        else
            entry.info.subject.clear();
        form.SetEntry(entry);
        form.show();
        Child<QPushButton>(form, "Save")->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
}

TEST_F(CreateEditQuickFaxTest, EnterMovesOnAndTheEntriesComeBackAsSet)
{
    CreateEditQuickFax form(settings, covers.folder());
    form.SetEntry(FullEntry());
    form.show();
    QApplication::setActiveWindow(&form);
    QLineEdit* recipient = Child<QLineEdit>(form, "Recipient");
    recipient->setFocus();
    QTest::keyClick(recipient, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    EXPECT_NE(form.focusWidget(), recipient);

    const app::CoverEntry back = form.Entry();
    const app::CoverEntry full = FullEntry();
    EXPECT_EQ(back.info.recipient, full.info.recipient);
    EXPECT_EQ(back.info.codes, full.info.codes);
    EXPECT_EQ(back.messageLines, full.messageLines);
    EXPECT_EQ(back.flags, full.flags);
    EXPECT_EQ(back.templateName, full.templateName);
    EXPECT_TRUE(Child<QCheckBox>(form, "cPleaseReply")->isChecked());
}

TEST_F(CreateEditQuickFaxTest, TheSenderButtonTellsWhoSends)
{
    {
        CreateEditQuickFax form(settings, covers.folder());
        EXPECT_EQ(Child<QPushButton>(form, "ChangeSenderInfo")->toolTip(), "No sender information entered");
    }
    settings.Name = "Jordan Ellis";
    settings.Fax = "+1 555 0101";
    CreateEditQuickFax form(settings, covers.folder());
    EXPECT_EQ(Child<QPushButton>(form, "ChangeSenderInfo")->toolTip(), "Jordan Ellis\n\n+1 555 0101\n");
}

}  // namespace
}  // namespace vl::test
