#include "ui/PrePrintForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace vl::ui {

namespace {

// The boxes take any page up to this before the fax's own count limits them.
constexpr int kMostPages = 1000;

}  // namespace

PrePrintForm::PrePrintForm(int pageCount, int first, int last, const app::PrintOptions& options,
                           bool currentPageOnly, QWidget* parent)
    : QDialog(parent)
    , from_(PageBox("FromPage", pageCount, first, !currentPageOnly))
    , to_(PageBox("ToPage", pageCount, currentPageOnly ? first : last, !currentPageOnly))
    , multiPage_(OptionBox("PrintMultiPage", QStringLiteral("Print 4 faxes to a page"), options.MultiPage))
    , header_(OptionBox("PrintHeader", QStringLiteral("Print Header"), options.Header))
    , footer_(OptionBox("PrintFooter", QStringLiteral("Print Footer"), options.Footer))
    , stretch_(OptionBox("StretchToFit", QStringLiteral("Stretch/shrink faxes to fit on page"), options.Stretch))
{
    setWindowTitle(QStringLiteral("Print"));
    multiPage_->setEnabled(!currentPageOnly);

    auto* pages = new QFormLayout;
    pages->addRow(QStringLiteral("From Page:"), from_);
    pages->addRow(QStringLiteral("To Page:"), to_);
    auto* note = new QLabel(QStringLiteral("(uncheck this if faxes look distorted)"));
    note->setIndent(24);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &PrePrintForm::OkClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pages);
    for (QCheckBox* box : {multiPage_, header_, footer_, stretch_})
        layout->addWidget(box);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

QSpinBox* PrePrintForm::PageBox(const char* name, int pageCount, int value, bool enabled)
{
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, std::clamp(pageCount, 1, kMostPages));
    box->setValue(value);
    box->setEnabled(enabled);
    return box;
}

QCheckBox* PrePrintForm::OptionBox(const char* name, const QString& caption, bool checked)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

int PrePrintForm::FromPage() const { return from_->value(); }
int PrePrintForm::ToPage() const { return to_->value(); }

app::PrintOptions PrePrintForm::Options() const
{
    return {multiPage_->isChecked(), header_->isChecked(), footer_->isChecked(), stretch_->isChecked()};
}

void PrePrintForm::OkClicked()
{
    // A range that ends before it starts is no range to print.
    if (to_->isEnabled() && to_->value() < from_->value()) {
        QApplication::beep();
        return;
    }
    accept();
}

}  // namespace vl::ui
