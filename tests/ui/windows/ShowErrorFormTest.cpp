#include "ui/ShowErrorForm.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ModalDriver.h"

namespace vl::ui {
namespace {

using test::Child;
using test::WhenModal;

TEST(ShowErrorForm, ShowsTitleAndMessageWithTechnicalHelp)
{
    ShowErrorForm form("No Response From Modem", "We did not receive\ra modem response <b>", false);
    EXPECT_EQ(form.windowTitle(), "No Response From Modem");
    auto* message = Child<QLabel>(form, "message");
    EXPECT_EQ(message->text(), "We did not receive\na modem response <b>");
    EXPECT_EQ(message->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.findChild<QPushButton*>("continue"), nullptr);
    auto* help = Child<QPushButton>(form, "help");
    EXPECT_TRUE(help->isEnabled());
    EXPECT_EQ(help->text(), "Technical Help");
}

TEST(ShowErrorForm, OnlyContinueAnswersContinue)
{
    WhenModal([](QWidget& w) { Child<QPushButton>(w, "continue")->click(); });
    EXPECT_TRUE(ShowErrorForm::Show("t", "m", true, nullptr));

    WhenModal([](QWidget& w) { Child<QPushButton>(w, "ok")->click(); });
    EXPECT_FALSE(ShowErrorForm::Show("t", "m", true, nullptr));

    // Enter presses Ok, the default, even with Continue offered.
    WhenModal([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); });
    EXPECT_FALSE(ShowErrorForm::Show("t", "m", true, nullptr));

    WhenModal([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); });
    EXPECT_FALSE(ShowErrorForm::Show("t", "m", true, nullptr));

    WhenModal([](QWidget& w) { Child<QPushButton>(w, "ok")->click(); });
    EXPECT_FALSE(ShowErrorForm::Show("t", "m", false, nullptr));
}

}  // namespace
}  // namespace vl::ui
