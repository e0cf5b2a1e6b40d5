#include "ui/GetDefaultPrinterForm.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/ReceiptPrinterChoice.h"
#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

GetDefaultPrinterForm::GetDefaultPrinterForm(const std::vector<std::string>& printers, QWidget* parent)
    : QDialog(parent)
    , list_(new QListWidget)
{
    setWindowTitle(QStringLiteral("Select Printer"));
    list_->setObjectName(QStringLiteral("printers"));
    for (const std::string& name : printers)
        list_->addItem(ToQt(name));
    list_->setCurrentRow(app::InitialPrinterSelection(printers));
    auto* label = new QLabel(QStringLiteral("&Printer to use:"));
    label->setBuddy(list_);

    auto* buttons = DialogButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

int GetDefaultPrinterForm::Selected() const { return list_->currentRow(); }

std::optional<int> GetDefaultPrinterForm::Choose(const std::vector<std::string>& printers, QWidget* mainWindow)
{
    GetDefaultPrinterForm form(printers, mainWindow);
    if (!ExecCentred(form, mainWindow) || form.Selected() < 0)
        return std::nullopt;
    return form.Selected();
}

}  // namespace vl::ui
