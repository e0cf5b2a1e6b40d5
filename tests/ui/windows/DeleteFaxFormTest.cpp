#include "ui/DeleteFaxForm.h"

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>

#include "ModalDriver.h"

namespace vl::ui {
namespace {

using test::Child;
using test::WhenModal;

TEST(DeleteFaxForm, BothIsPreselectedAndEachChoiceComesBack)
{
    DeleteFaxForm form;
    EXPECT_EQ(form.windowTitle(), "Delete Fax");
    EXPECT_TRUE(Child<QRadioButton>(form, "both")->isChecked());
    EXPECT_EQ(form.Choice(), app::DeleteChoice::Both);
    Child<QRadioButton>(form, "cover")->click();
    EXPECT_EQ(form.Choice(), app::DeleteChoice::Cover);
    Child<QRadioButton>(form, "body")->click();
    EXPECT_EQ(form.Choice(), app::DeleteChoice::Body);
}

TEST(DeleteFaxForm, AskGivesTheChoiceOnOkAndNothingOnCancel)
{
    WhenModal([](QWidget& w) {
        Child<QRadioButton>(w, "body")->click();
        QTest::keyClick(&w, Qt::Key_Return);
    });
    EXPECT_EQ(DeleteFaxForm::Ask(nullptr), app::DeleteChoice::Body);

    WhenModal([](QWidget& w) { QTest::keyClick(&w, Qt::Key_Return); });
    EXPECT_EQ(DeleteFaxForm::Ask(nullptr), app::DeleteChoice::Both);

    WhenModal([](QWidget& w) {
        Child<QRadioButton>(w, "cover")->click();
        QTest::keyClick(&w, Qt::Key_Escape);
    });
    EXPECT_EQ(DeleteFaxForm::Ask(nullptr), std::nullopt);
}

}  // namespace
}  // namespace vl::ui
