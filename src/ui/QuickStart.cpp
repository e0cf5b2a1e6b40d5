#include "ui/QuickStart.h"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

// A resource compiled into a static library is registered by hand: nothing
// else refers to it, so the linker would leave it out. (Outside any
// namespace, as the registration needs.)
static void RegisterTexts()
{
    Q_INIT_RESOURCE(QuickStart);
}

namespace vl::ui {

namespace {

const std::string kCaption = "Quick Start Instructions";
constexpr const char* kInstructionsResource = ":/vellora/QuickStart.txt";
constexpr double kPrintPointSize = 10.0;

// Courier, or the system's fixed-pitch font where Courier is missing.
QFont PrintFont()
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::Courier);
    font.setFixedPitch(true);
    font.setPointSizeF(kPrintPointSize);
    return font;
}

}  // namespace

QuickStart::QuickStart(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(ToQt(kCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildText());
    layout->addLayout(BuildButtons());
    resize(640, 520);
}

QString QuickStart::Instructions()
{
    static const bool registered = (RegisterTexts(), true);
    (void)registered;
    QFile file(QString::fromLatin1(kInstructionsResource));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("The quick start instructions are missing from the program.");
    return QString::fromUtf8(file.readAll());
}

QPlainTextEdit* QuickStart::BuildText()
{
    text_ = new QPlainTextEdit;
    text_->setObjectName(QStringLiteral("instructions"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The guide lines up its examples with blanks.
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setPlainText(Instructions());
    return text_;
}

QLayout* QuickStart::BuildButtons()
{
    auto* print = NamedButton("Print", "print");
    auto* copy = NamedButton("Copy to Clipboard", "copy");
    auto* close = DialogButtons(*this, QDialogButtonBox::Close);
    connect(print, &QPushButton::clicked, this, guard_.Slot([this] { PrintClicked(); }));
    connect(copy, &QPushButton::clicked, this, guard_.Slot([this] { CopyClicked(); }));
    auto* row = new QHBoxLayout;
    row->addWidget(print);
    row->addWidget(copy);
    row->addStretch(1);
    row->addWidget(close);
    return row;
}

void QuickStart::Print(const QString& text, QPrinter& printer)
{
    // Measured from the paper's edges, not from the printable area.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("The printer could not be started.");
    painter.setFont(PrintFont());
    const QFontMetrics metrics(painter.font(), &printer);
    const int margin = printer.resolution() / 2;
    const int bottom = printer.height() - margin;
    const int lineHeight = metrics.height();
    int top = margin;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (top + lineHeight > bottom && top > margin) {
            printer.newPage();
            top = margin;
        }
        painter.drawText(margin, top + metrics.ascent(), line);
        top += lineHeight;
    }
    painter.end();
}

void QuickStart::PrintClicked()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Print(text_->toPlainText(), printer);
    ShowInformation(kCaption + " Printed!", this);
}

void QuickStart::CopyClicked()
{
    text_->selectAll();
    text_->copy();
    ShowInformation(kCaption + " copied to the clipboard!", this);
}

void QuickStart::Show(QWidget* mainWindow)
{
    QuickStart form(mainWindow);
    ExecCentred(form, mainWindow);
}

}  // namespace vl::ui
