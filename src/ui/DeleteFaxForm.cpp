#include "ui/DeleteFaxForm.h"

#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/MessageBoxes.h"

namespace vl::ui {

DeleteFaxForm::DeleteFaxForm(QWidget* parent)
    : QDialog(parent)
    , cover_(new QRadioButton(QStringLiteral("Delete Fax &Cover")))
    , body_(new QRadioButton(QStringLiteral("Delete Fax &Body")))
{
    setWindowTitle(QStringLiteral("Delete Fax"));
    auto* both = new QRadioButton(QStringLiteral("Delete B&oth Fax Cover && Fax Body"));
    cover_->setObjectName(QStringLiteral("cover"));
    body_->setObjectName(QStringLiteral("body"));
    both->setObjectName(QStringLiteral("both"));
    both->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cover_);
    layout->addWidget(body_);
    layout->addWidget(both);
    layout->addWidget(buttons);
    both->setFocus();
}

DeleteFaxChoice DeleteFaxForm::Choice() const
{
    if (cover_->isChecked())
        return DeleteFaxChoice::Cover;
    if (body_->isChecked())
        return DeleteFaxChoice::Body;
    return DeleteFaxChoice::Both;
}

std::optional<DeleteFaxChoice> DeleteFaxForm::Ask(QWidget* mainWindow)
{
    DeleteFaxForm form(mainWindow);
    CenterDialog(form, mainWindow);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.Choice();
}

}  // namespace vl::ui
