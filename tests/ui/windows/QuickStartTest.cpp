// The quick-start window: its guide copied to the clipboard, and printed
// page after page.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "ModalDriver.h"
#include "support/TestSupport.h"
#include "ui/QuickStart.h"

namespace vl::ui {
namespace {

using test::Child;
using test::WhenModal;

// The pages of a PDF file: its page objects.
int PdfPages(const std::string& file)
{
    const QString pdf = QString::fromLatin1(test::ReadFile(file));
    return static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

QString Lines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Line %1 of the guide").arg(i);
    return lines.join(QLatin1Char('\n'));
}

TEST(QuickStart, CopyPutsTheWholeGuideOnTheClipboard)
{
    QGuiApplication::clipboard()->clear();
    QuickStart form;
    EXPECT_EQ(form.windowTitle(), "Quick Start Instructions");
    const QString guide = Child<QPlainTextEdit>(form, "instructions")->toPlainText();
    EXPECT_EQ(guide, QuickStart::Instructions());
    EXPECT_TRUE(guide.contains(QLatin1String("Quick Configuration Analysis")));

    std::string told;
    WhenModal([&](QWidget& box) {
        told = test::ModalText(box);
        test::CloseModal(box);
    });
    QTest::mouseClick(Child<QPushButton>(form, "copy"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), guide);
    EXPECT_EQ(told, "Information: Quick Start Instructions copied to the clipboard!");
}

// A 10-point line is 10 to 14 points high: a letter page holds 50 to 74
// lines of it between half-inch margins.
TEST(QuickStart, ALongTextGoesOnAsManyPagesAsItNeeds)
{
    const test::TempDir dir;
    const struct {
        int lines;
        int pages;
    } cases[] = {{0, 1}, {40, 1}, {150, 3}};
    for (const auto& c : cases) {
        const std::string file = dir.folder() + std::to_string(c.lines) + ".pdf";
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(file));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        QuickStart::Print(Lines(c.lines), printer);
        EXPECT_EQ(PdfPages(file), c.pages) << c.lines << " lines";
    }
}

TEST(QuickStart, APrinterThatCannotStartIsAnError)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/guide.pdf"));
    EXPECT_THROW(QuickStart::Print(Lines(3), printer), std::runtime_error);
}

}  // namespace
}  // namespace vl::ui
