#include "ui/StartingFaxForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QSignalSpy>

#include "ModalDriver.h"

namespace vl::ui {
namespace {

using test::Child;

TEST(StartingFaxForm, SwapsFromWaitingToReadyAndReportsTheBox)
{
    StartingFaxForm form;
    EXPECT_EQ(form.windowTitle(), "Starting Receive mode...");
    EXPECT_FALSE(form.isModal());
    auto* box = Child<QCheckBox>(form, "doNotShowAgain");
    EXPECT_FALSE(form.Ready());
    EXPECT_FALSE(Child<QWidget>(form, "waitPanel")->isHidden());
    EXPECT_TRUE(box->isHidden());

    form.SetReady(true);
    EXPECT_TRUE(form.Ready());
    EXPECT_TRUE(Child<QWidget>(form, "waitPanel")->isHidden());
    EXPECT_FALSE(Child<QWidget>(form, "readyPanel")->isHidden());
    EXPECT_FALSE(box->isHidden());

    QSignalSpy toggled(&form, &StartingFaxForm::DoNotShowAgainToggled);
    box->click();
    EXPECT_TRUE(form.DoNotShowAgain());
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_TRUE(toggled.at(0).at(0).toBool());
}

}  // namespace
}  // namespace vl::ui
