#include "ui/FaxStatusDisplay.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "base/ErrorCodes.h"
#include "fax/FaxStatusModel.h"
#include "ModalDriver.h"

namespace vl::ui {
namespace {

using test::Child;

class FaxStatusDisplayTest : public ::testing::Test {
protected:
    fax::FaxStatusModel model;
    FaxStatusDisplay display{model};

    fax::FaxStatusInput SenderOnPage(long bytes)
    {
        fax::FaxStatusInput in;
        in.sender = true;
        in.phoneNumber = "555 0100";
        in.faxFile = "/data/SEND/FAX00001.APF";
        in.values.progress = base::fpSendingPage;
        in.values.remoteId = "<i>far end</i>";
        in.values.bps = 14400;
        in.values.currentPage = 1;
        in.values.pagesInFile = 2;
        in.values.pageLength = 4000;
        in.values.bytesTransferred = bytes;
        in.values.dialAttempt = 1;
        return in;
    }

    QString Text(const char* name) { return Child<QLabel>(display, name)->text(); }
};

TEST_F(FaxStatusDisplayTest, ShowsEveryTextOfTheViewAndFollowsItsVisibility)
{
    EXPECT_TRUE(display.isHidden());
    model.Update(SenderOnPage(1000), true, false, 0);
    display.Refresh();
    EXPECT_FALSE(display.isHidden());
    EXPECT_EQ(display.windowTitle(), "Fax Status");

    const fax::FaxStatusView& v = model.View();
    const std::pair<const char*, const std::string*> texts[] = {
        {"phoneNumber", &v.phoneNumber}, {"faxFile", &v.faxFile},       {"coverFile", &v.coverFile},
        {"dialAttempt", &v.dialAttempt}, {"totalPages", &v.totalPages}, {"remoteId", &v.remoteId},
        {"connectSpeed", &v.connectSpeed}, {"resolution", &v.resolution}, {"width", &v.width},
        {"errorControl", &v.errorControl}, {"currentPage", &v.currentPage}, {"pageLength", &v.pageLength},
        {"bytesTransferred", &v.bytesTransferred}, {"elapsedTime", &v.elapsedTime},
        {"statusText", &v.statusText}, {"meterLabel", &v.meterLabel}};
    for (const auto& [name, text] : texts)
        EXPECT_EQ(Text(name).toStdString(), *text) << name;
    EXPECT_EQ(Text("phoneNumber"), "555 0100");
    EXPECT_EQ(Child<QLabel>(display, "remoteId")->textFormat(), Qt::PlainText);
    auto* meter = Child<QProgressBar>(display, "meter");
    EXPECT_EQ(meter->isHidden(), !v.meterVisible);
    EXPECT_EQ(meter->value(), v.meterPercent);

    model.Update(SenderOnPage(3000), false, false, 10);
    display.Refresh();
    EXPECT_EQ(meter->value(), model.View().meterPercent);
    EXPECT_EQ(Text("bytesTransferred").toStdString(), model.View().bytesTransferred);

    model.Update(SenderOnPage(3000), false, true, 20);
    display.Refresh();
    EXPECT_TRUE(display.isHidden());
}

TEST_F(FaxStatusDisplayTest, CancelButtonAndEscapeCancelTheFaxWithoutClosing)
{
    int cancels = 0;
    model.OnCancel = [&] { ++cancels; };
    model.Update(SenderOnPage(0), true, false, 0);
    display.Refresh();
    auto* box = display.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    box->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(cancels, 1);
    QTest::keyClick(&display, Qt::Key_Escape);
    EXPECT_EQ(cancels, 2);
    EXPECT_FALSE(display.isHidden());
}

}  // namespace
}  // namespace vl::ui
