#include "ui/DeleteForConditions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/CleanupItems.h"
#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

DeleteForConditions::DeleteForConditions(store::CleanupPage page, const ConditionValues& values, QWidget* parent)
    : QDialog(parent)
    , exactMatch_(new QCheckBox(QStringLiteral("Exact Match")))
{
    setWindowTitle(QStringLiteral("Delete Faxes Where...."));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    AddChoice(*grid, "Fax is FROM:", "from", store::MatchChoice::From);
    AddChoice(*grid, "RECIPIENT is:", "recipient", store::MatchChoice::Recipient);
    AddChoice(*grid, "FAX # is:", "fax", store::MatchChoice::FaxNumber);
    exactMatch_->setObjectName(QStringLiteral("ExactMatch"));
    exactMatch_->setChecked(true);
    layout->addWidget(exactMatch_);
    layout->addWidget(new QLabel(QStringLiteral("(uncheck to allow  partial matches)")));
    QDialogButtonBox* buttons = DialogButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    // OK checks and asks before it closes the window.
    disconnect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &DeleteForConditions::OkClicked);
    layout->addWidget(buttons);
    EnableFor(page, values);
}

// A radio button with its edit field, on a row of the grid.
void DeleteForConditions::AddChoice(QGridLayout& grid, const char* caption, const char* name, store::MatchChoice choice)
{
    auto* button = new QRadioButton(QString::fromUtf8(caption));
    button->setObjectName(QLatin1String(name) + QStringLiteral("Choice"));
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 30);
    const int row = static_cast<int>(choices_.size());
    grid.addWidget(button, row, 0);
    grid.addWidget(edit, row, 1);
    choices_.push_back({button, edit, choice});
}

// Received faxes are matched by their sender, sent ones by recipient or
// number; the current fax's values are the suggestion.
void DeleteForConditions::EnableFor(store::CleanupPage page, const ConditionValues& values)
{
    const bool outgoing = page == store::CleanupPage::Outgoing;
    for (const Choice& choice : choices_) {
        const bool from = choice.match == store::MatchChoice::From;
        choice.button->setEnabled(from != outgoing);
        choice.edit->setEnabled(from != outgoing);
    }
    choices_[0].edit->setText(ToQt(values.from).trimmed());
    choices_[1].edit->setText(ToQt(values.recipient));
    choices_[2].edit->setText(ToQt(values.phone));
    choices_[outgoing ? 1 : 0].button->setChecked(true);
}

void DeleteForConditions::OkClicked()
{
    for (const Choice& choice : choices_) {
        if (!choice.button->isChecked())
            continue;
        std::string error;
        const std::string condition =
            store::MatchCondition(choice.match, FromQt(choice.edit->text()), exactMatch_->isChecked(), error);
        if (condition.empty()) {
            ShowInformation(error, this);
            return;
        }
        const app::CleanupItemInfo& item = app::CleanupItemOf(app::CleanupItem::Conditions);
        if (!AskYesNo(std::string(app::kConditionsQuestion), std::string(item.caption), this))
            return;
        condition_ = condition;
        accept();
    }
}

std::optional<std::string> DeleteForConditions::Ask(store::CleanupPage page, const ConditionValues& values,
                                                    QWidget* mainWindow)
{
    DeleteForConditions form(page, values, mainWindow);
    if (!ExecCentred(form, mainWindow))
        return std::nullopt;
    return form.Condition();
}

}  // namespace vl::ui
