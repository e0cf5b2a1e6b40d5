// The template browser as the designer uses it: design files to open, and
// the saved templates only to look at.
#include "ui/PreviewQuickFaxForms.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "ModalDriver.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using ui::PreviewQuickFaxForms;
using ui::TemplateBrowsing;

class TemplateBrowserTest : public ::testing::Test {
protected:
    TemplateBrowserTest()
    {
        for (const char* name : {"VL0001.FCS", "vl0002.fcs", "VL0001.FCT", "Render.fct"})
            WriteFile(dir.folder() + name, "");
        QImage picture(816, 1056, QImage::Format_Mono);
        picture.fill(1);
        picture.save(QString::fromStdString(dir.folder() + "vl0002.bmp"), "BMP");
        WriteFile(dir.folder() + "VL0002.DES", "Memo\r\n");
    }

    static QListWidget* List(const QWidget& form) { return Child<QListWidget>(form, "templates"); }

    static const TemplateBrowsing kOpen;
    static const TemplateBrowsing kLook;
    TempDir dir;
};

const TemplateBrowsing TemplateBrowserTest::kOpen{app::kDesignFileExtension, false};
const TemplateBrowsing TemplateBrowserTest::kLook{app::kDesignFileExtension, true};

TEST_F(TemplateBrowserTest, OpeningListsDesignFilesWithTheirPicturesAndDescriptions)
{
    PreviewQuickFaxForms form(dir.folder(), "VL0002.FCS", nullptr, kOpen);
    EXPECT_EQ(form.windowTitle(), "Select  Fax Cover Template");
    ASSERT_EQ(List(form)->count(), 2);
    EXPECT_EQ(List(form)->item(0)->text(), "VL0001.FCS");
    EXPECT_EQ(form.Selected(), "vl0002.fcs");
    EXPECT_FALSE(Child<QLabel>(form, "preview")->pixmap().isNull());
    EXPECT_EQ(Child<QLabel>(form, "description")->text(), "Memo");

    WhenModal([](QWidget& modal) {
        List(modal)->setCurrentRow(0);
        Child<QPushButton>(modal, "ok")->click();
    });
    EXPECT_EQ(PreviewQuickFaxForms::Choose(dir.folder(), "", nullptr, kOpen), "VL0001.FCS");
}

TEST_F(TemplateBrowserTest, LookingOnlyHasCancelInPlaceOfOkAndChoosesNothing)
{
    PreviewQuickFaxForms form(dir.folder(), "", nullptr, kLook);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Preview Fax Cover Templates");
    EXPECT_EQ(form.findChild<QPushButton*>("ok"), nullptr);
    EXPECT_TRUE(Child<QPushButton>(form, "cancel")->isDefault());
    EXPECT_EQ(form.Selected(), "VL0001.FCS");
    List(form)->setCurrentRow(1);
    EXPECT_EQ(Child<QLabel>(form, "description")->text(), "Memo");
    emit List(form)->itemDoubleClicked(List(form)->item(1));
    EXPECT_TRUE(form.isVisible());

    WhenModal([](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Return); });
    EXPECT_EQ(PreviewQuickFaxForms::Choose(dir.folder(), "vl0002.fcs", nullptr, kLook), std::nullopt);
}

}  // namespace
}  // namespace vl::test
