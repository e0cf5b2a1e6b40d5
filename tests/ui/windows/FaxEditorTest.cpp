#include "ui/FaxEditor.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ModalDriver.h"

namespace vl::ui {
namespace {

using test::Child;
using test::WhenModal;

TEST(FaxEditor, FieldsStopAtTheirWidths)
{
    FaxEditor editor;
    const std::pair<const char*, int> widths[] = {
        {"recipient", 35}, {"phone", 25}, {"subject", 50}, {"notes", 50}, {"codes", 25}};
    for (const auto& [name, width] : widths) {
        auto* edit = Child<QLineEdit>(editor, name);
        QTest::keyClicks(edit, QString(width + 5, QLatin1Char('x')));
        EXPECT_EQ(edit->text().size(), width) << name;
    }
}

TEST(FaxEditor, FieldsRoundTripAndTheCaptionCanBeSet)
{
    FaxEditor editor;
    EXPECT_EQ(editor.windowTitle(), "Fax Information Editor");
    const app::FaxInfo in{"Jörg Ünal", "+49 30 1234", "Quote", "call back", "A7"};
    editor.SetFields(in);
    const app::FaxInfo out = editor.Fields();
    EXPECT_EQ(out.recipient, in.recipient);
    EXPECT_EQ(out.phone, in.phone);
    EXPECT_EQ(out.subject, in.subject);
    EXPECT_EQ(out.notes, in.notes);
    EXPECT_EQ(out.codes, in.codes);
    editor.SetCaption("Forward fax from: 555 0100");
    EXPECT_EQ(editor.windowTitle(), "Forward fax from: 555 0100");
    EXPECT_TRUE(Child<QPushButton>(editor, "phonebook")->isEnabled());
}

TEST(FaxEditor, EditTakesTheEntriesOnOkOnly)
{
    app::FaxInfo fields{"A", "1", "", "", ""};
    QString title;
    WhenModal([&](QWidget& w) {
        title = w.windowTitle();
        Child<QLineEdit>(w, "subject")->setText("Invoice");
        QTest::keyClick(&w, Qt::Key_Escape);
    });
    EXPECT_FALSE(FaxEditor::Edit("", fields, nullptr));
    EXPECT_EQ(title, "Fax Information Editor");
    EXPECT_EQ(fields.subject, "");

    WhenModal([&](QWidget& w) {
        title = w.windowTitle();
        Child<QLineEdit>(w, "subject")->setText("Invoice");
        QTest::keyClick(Child<QLineEdit>(w, "codes"), Qt::Key_Return);
    });
    EXPECT_TRUE(FaxEditor::Edit("Forward fax from: X", fields, nullptr));
    EXPECT_EQ(title, "Forward fax from: X");
    EXPECT_EQ(fields.recipient, "A");
    EXPECT_EQ(fields.subject, "Invoice");
}

}  // namespace
}  // namespace vl::ui
