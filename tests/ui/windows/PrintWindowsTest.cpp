// "Print" and "Print Status": the range and options asked before printing,
// and the window that follows a print job and can abort it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>

#include <fstream>

#include "ModalDriver.h"
#include "faxdoc/VlFaxConverter.h"
#include "support/TestSupport.h"
#include "ui/PrePrintForm.h"
#include "ui/VlFaxPrinterStatus.h"

namespace vl::test {
namespace {

using ui::PrePrintForm;

TEST(PrePrintFormTest, TheRangeAndOptionsComeBackAndABackwardRangeIsRefused)
{
    PrePrintForm form(5, 1, 5, {true, false, true, false}, false);
    form.show();
    QSpinBox* from = Child<QSpinBox>(form, "FromPage");
    QSpinBox* to = Child<QSpinBox>(form, "ToPage");
    EXPECT_EQ(to->maximum(), 5);
    from->setValue(4);
    to->setValue(2);
    Child<QPushButton>(form, "Ok")->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.result(), 0);

    to->setValue(5);
    Child<QCheckBox>(form, "PrintHeader")->setChecked(true);
    Child<QPushButton>(form, "Ok")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.FromPage(), 4);
    EXPECT_EQ(form.ToPage(), 5);
    const app::PrintOptions options = form.Options();
    EXPECT_TRUE(options.MultiPage && options.Header && options.Footer);
    EXPECT_FALSE(options.Stretch);
}

TEST(PrePrintFormTest, TheCurrentPageAloneIsFixed)
{
    PrePrintForm form(5, 3, 5, {true, false, false, true}, true);
    EXPECT_EQ(form.FromPage(), 3);
    EXPECT_EQ(form.ToPage(), 3);
    EXPECT_FALSE(Child<QSpinBox>(form, "FromPage")->isEnabled());
    EXPECT_FALSE(Child<QSpinBox>(form, "ToPage")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(form, "PrintMultiPage")->isEnabled());
    EXPECT_TRUE(Child<QCheckBox>(form, "StretchToFit")->isChecked());
}

TEST(PrintStatusTest, FollowsTheJobAndItsAbortStopsIt)
{
    TempDir dir;
    {
        std::ofstream text(dir.folder() + "four.txt");
        text << "one\ftwo\fthree\ffour\f";
    }
    faxdoc::VlFaxConverter converter;
    converter.SetInputDocumentType(faxdoc::FaxInputDocumentType::idText);
    converter.SetDocumentFile(dir.folder() + "four.txt");
    converter.ConvertToFile();

    print::VlFaxPrinter printer;
    printer.SetFileName(dir.folder() + "four.APF");
    ui::VlFaxPrinterStatus status;
    status.Attach(printer);
    QStringList lines;
    bool shown = false;
    auto follow = printer.OnFaxPrintStatus;
    printer.OnFaxPrintStatus = [&](print::PrintProgress progress) {
        follow(progress);
        lines << status.StatusLine();
        shown = shown || status.isVisible();
        if (lines.size() == 4 && status.findChild<QPushButton*>("Abort"))
            status.findChild<QPushButton*>("Abort")->click();
    };
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(QString::fromStdString(dir.folder() + "out.pdf"));
    printer.PrintFax(pdf);

    EXPECT_TRUE(shown);
    EXPECT_FALSE(status.isVisible());
    EXPECT_EQ(Child<QLabel>(status, "FileName")->text(), QString::fromStdString(dir.folder() + "four.APF").toUpper());
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "Idle 1 of 4");
    EXPECT_EQ(lines[1], "Converting 1 of 4");
    EXPECT_EQ(lines[2], "Composing 1 of 4");
    // Aborted during the first page: the second never started.
    EXPECT_FALSE(lines.contains("Converting 2 of 4"));
}

}  // namespace
}  // namespace vl::test
