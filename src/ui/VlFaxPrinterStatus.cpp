#include "ui/VlFaxPrinterStatus.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/UiText.h"

namespace vl::ui {

VlFaxPrinterStatus::VlFaxPrinterStatus(QWidget* parent)
    : QDialog(parent)
    , file_(Fact("FileName"))
    , pages_(Fact("TotalPages"))
    , resolution_(Fact("Resolution"))
    , width_(Fact("Width"))
    , range_(Fact("Range"))
    , status_(Fact("Status"))
    , abort_(new QPushButton(QStringLiteral("Abort")))
{
    setWindowTitle(QStringLiteral("Print Status"));
    abort_->setObjectName(QStringLiteral("Abort"));
    connect(abort_, &QPushButton::clicked, this, [this] {
        if (printer_ != nullptr)
            printer_->PrintAbort();
    });

    auto* facts = new QFormLayout;
    facts->addRow(QStringLiteral("File:"), file_);
    facts->addRow(QStringLiteral("Total pages:"), pages_);
    facts->addRow(QStringLiteral("Resolution:"), resolution_);
    facts->addRow(QStringLiteral("Width:"), width_);
    facts->addRow(QStringLiteral("Printing pages:"), range_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addWidget(status_);
    layout->addWidget(abort_, 0, Qt::AlignHCenter);
}

QLabel* VlFaxPrinterStatus::Fact(const char* name)
{
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void VlFaxPrinterStatus::Attach(print::VlFaxPrinter& printer)
{
    printer_ = &printer;
    printer.OnNextPage = [this](int page, int) { page_ = page; };
    printer.OnFaxPrintStatus = [this](print::PrintProgress progress) { ShowProgress(progress); };
    printer.OnFaxPrintLog = [this](print::PrintLogCode code) {
        if (code == print::PrintLogCode::lcStart)
            JobStarted();
        else
            hide();
    };
}

void VlFaxPrinterStatus::JobStarted()
{
    file_->setText(ToQt(printer_->FileName()).toUpper());
    pages_->setText(QString::number(printer_->PageCount()));
    resolution_->setText(ToQt(printer_->FaxResolution()));
    width_->setText(ToQt(printer_->FaxWidth()));
    range_->setText(QStringLiteral("%1 to %2").arg(printer_->FirstPage).arg(printer_->LastPage));
    page_ = printer_->FirstPage;
    ShowProgress(print::PrintProgress::Idle);
    show();
}

void VlFaxPrinterStatus::ShowProgress(print::PrintProgress progress)
{
    status_->setText(QStringLiteral("%1 %2 of %3")
                         .arg(QString::fromLatin1(print::PrintProgressName(progress)))
                         .arg(page_)
                         .arg(printer_ != nullptr ? printer_->LastPage : 0));
}

QString VlFaxPrinterStatus::StatusLine() const { return status_->text(); }

}  // namespace vl::ui
