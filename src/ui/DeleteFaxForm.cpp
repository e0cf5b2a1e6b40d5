#include "ui/DeleteFaxForm.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "app/FaxListTexts.h"
#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

DeleteFaxForm::DeleteFaxForm(QWidget* parent)
    : QDialog(parent)
    , cover_(new QRadioButton(ToQt(app::kDeleteCoverChoice)))
    , body_(new QRadioButton(ToQt(app::kDeleteBodyChoice)))
{
    setWindowTitle(ToQt(app::kDeleteFaxCaption));
    auto* both = new QRadioButton(ToQt(app::kDeleteBothChoice));
    cover_->setObjectName(QStringLiteral("cover"));
    body_->setObjectName(QStringLiteral("body"));
    both->setObjectName(QStringLiteral("both"));
    both->setChecked(true);

    auto* buttons = DialogButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cover_);
    layout->addWidget(body_);
    layout->addWidget(both);
    layout->addWidget(buttons);
    both->setFocus();
}

app::DeleteChoice DeleteFaxForm::Choice() const
{
    if (cover_->isChecked())
        return app::DeleteChoice::Cover;
    if (body_->isChecked())
        return app::DeleteChoice::Body;
    return app::DeleteChoice::Both;
}

std::optional<app::DeleteChoice> DeleteFaxForm::Ask(QWidget* mainWindow)
{
    DeleteFaxForm form(mainWindow);
    if (!ExecCentred(form, mainWindow))
        return std::nullopt;
    return form.Choice();
}

}  // namespace vl::ui
