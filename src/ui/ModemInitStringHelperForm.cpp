#include "ui/ModemInitStringHelperForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/InitStringHelper.h"
#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

// Broken in two so that the window keeps a reasonable width.
const char kHangUpText[] =
    "The Faxmodem frequently hangs up before the faxmodem/fax machine on the other end answers\n"
    "and/or I have problems with international calls";

}  // namespace

ModemInitStringHelperForm::ModemInitStringHelperForm(const std::string& current, bool sending, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Modem Initialization String Helper"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildTypes(app::ModemTypeItem(current)));
    layout->addWidget(BuildHangUpBox(app::HangUpBoxTicked(current)));
    hangUp_->setVisible(sending);
    layout->addLayout(BuildButtons());
}

QWidget* ModemInitStringHelperForm::BuildTypes(int item)
{
    auto* group = new QGroupBox(QStringLiteral("I have a:"));
    auto* column = new QVBoxLayout(group);
    types_ = new QButtonGroup(this);
    for (int n = app::kFirstModemType; n <= app::kLastModemType; ++n) {
        // The texts double an "&" to show one, as Qt does too.
        auto* type = new QRadioButton(ToQt(app::ModemTypeText(n)));
        type->setObjectName(QStringLiteral("type%1").arg(n));
        type->setChecked(n == item);
        types_->addButton(type, n);
        column->addWidget(type);
    }
    return group;
}

QCheckBox* ModemInitStringHelperForm::BuildHangUpBox(bool ticked)
{
    hangUp_ = new QCheckBox(QString::fromLatin1(kHangUpText));
    hangUp_->setObjectName(QStringLiteral("hangUp"));
    hangUp_->setChecked(ticked);
    return hangUp_;
}

QLayout* ModemInitStringHelperForm::BuildButtons()
{
    auto* ok = NamedButton("Ok", "ok");
    auto* cancel = NamedButton("Cancel", "cancel");
    auto* blank = NamedButton("Leave it Blank", "blank");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, guard_.Slot([this] { done(app::kInitHelperOk); }));
    connect(cancel, &QPushButton::clicked, this, &ModemInitStringHelperForm::reject);
    connect(blank, &QPushButton::clicked, this, guard_.Slot([this] { done(app::kInitHelperBlank); }));
    return RightAlignedRow({ok, cancel, blank});
}

int ModemInitStringHelperForm::ModemType() const
{
    return types_->checkedId();
}

bool ModemInitStringHelperForm::HangUpBoxTicked() const
{
    return hangUp_->isChecked();
}

void ModemInitStringHelperForm::reject()
{
    done(app::kInitHelperCancel);
}

std::string ModemInitStringHelperForm::Edit(const std::string& current, bool sending, QWidget* parent)
{
    ModemInitStringHelperForm form(current, sending, parent);
    CenterDialog(form, parent);
    const int result = form.exec();
    return app::InitStringResult(result, current, form.ModemType(), sending, form.HangUpBoxTicked());
}

}  // namespace vl::ui
