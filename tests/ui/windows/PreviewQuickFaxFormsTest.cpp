// "Select  Fax Cover Template": which template is selected at first, what
// each selection shows, and Ok with nothing to choose.
#include "ui/PreviewQuickFaxForms.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

using ui::PreviewQuickFaxForms;

class PreviewQuickFaxFormsTest : public ::testing::Test {
protected:
    PreviewQuickFaxFormsTest()
    {
        for (const char* name : {"vl0001.fct", "vl0002.fct", "vl0003.fct"})
            WriteFile(dir.folder() + name, "");
        QImage picture(816, 1056, QImage::Format_Mono);
        picture.fill(1);
        picture.save(QString::fromStdString(dir.folder() + "VL0002.BMP"), "BMP");
        WriteFile(dir.folder() + "vl0002.des", "With a logo\r\n");
    }

    static QLabel* Preview(const QWidget& form) { return form.findChild<QLabel*>("preview"); }
    static QString Description(const QWidget& form) { return form.findChild<QLabel*>("description")->text(); }

    TempDir dir;
};

TEST_F(PreviewQuickFaxFormsTest, TheCurrentTemplateIsSelectedWhateverItsCaseAndShownWithItsPicture)
{
    PreviewQuickFaxForms form(dir.folder(), "VL0002.FCT");
    EXPECT_EQ(form.Selected(), "vl0002.fct");
    EXPECT_FALSE(Preview(form)->pixmap().isNull());
    EXPECT_EQ(Description(form), "With a logo");

    form.findChild<QListWidget*>("templates")->setCurrentRow(2);
    EXPECT_EQ(form.Selected(), "vl0003.fct");
    EXPECT_TRUE(Preview(form)->pixmap().isNull());
    EXPECT_EQ(Preview(form)->text(), "Image not available");
    EXPECT_EQ(Description(form), "");

    PreviewQuickFaxForms unknown(dir.folder(), "gone.fct");
    EXPECT_EQ(unknown.Selected(), "vl0001.fct");
}

TEST_F(PreviewQuickFaxFormsTest, OkWithoutATemplateOnlyBeeps)
{
    TempDir empty;
    PreviewQuickFaxForms form(empty.folder(), "vl0001.fct");
    form.show();
    form.findChild<QPushButton*>("ok")->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Selected(), "");
    form.findChild<QPushButton*>("cancel")->click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace vl::test
