// The modem tools of the preferences wizard: finding the modem's port,
// checking its fax classes, and the init-string helper. They work on the
// wizard's own port, so the settings in use stay untouched until Finish.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>

#include "app/ModemCommands.h"
#include "ui/CheckFaxClassForm.h"
#include "ui/FindModemForm.h"
#include "ui/MessageBoxes.h"
#include "ui/ModemInitStringHelperForm.h"
#include "ui/Preferences.h"
#include "ui/UiText.h"

namespace vl::ui {

void Preferences::LinkModemTools()
{
    app::UseProgramPorts(port_);
    sendFax_.SetComPort(&port_);
}

Preferences::~Preferences()
{
    sendFax_.SetComPort(nullptr);
}

// COM1..COM6; 0 when the stored port was none of them, which has the
// tools ask for one.
int Preferences::SelectedComNumber() const
{
    return controls_.comPort->checkedId() + 1;
}

void Preferences::FindModemClicked()
{
    const int selected = SelectedComNumber();
    port_.SetComNumber(selected);
    const int chosen = FindModemForm::FindAndOffer(port_, FromQt(controls_.resetString->text()), selected, this);
    if (QAbstractButton* item = controls_.comPort->button(chosen - 1))
        item->setChecked(true);
}

// From either page the answer goes to the receiving class only; the sending
// class stays as the user set it.
void Preferences::CheckClassClicked()
{
    const FaxClassChoice choice = CheckFaxClassForm::Check(port_, sendFax_, SelectedComNumber(),
                                                           FromQt(controls_.resetString->text()), this);
    const int item = choice.index + 1;
    if (choice.index < 0 || item == controls_.faxClassReceive->checkedId())
        return;
    if (AskYesNo("Set fax class as " + choice.name + " ?", "Fax Class", this))
        controls_.faxClassReceive->button(item)->setChecked(true);
}

void Preferences::InitHelpClicked(QLineEdit* initString, bool sending)
{
    initString->setText(ToQt(ModemInitStringHelperForm::Edit(FromQt(initString->text()), sending, this)));
}

}  // namespace vl::ui
