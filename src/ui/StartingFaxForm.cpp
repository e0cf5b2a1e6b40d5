#include "ui/StartingFaxForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogButtons.h"

namespace vl::ui {

StartingFaxForm::StartingFaxForm(QWidget* parent)
    : QDialog(parent)
    , waitPanel_(new QLabel(QStringLiteral("Please wait while fax receive mode is started.....")))
    , readyPanel_(new QWidget)
    , doNotShow_(new QCheckBox(QStringLiteral("&Do not show this again")))
    , ok_(nullptr)
{
    setWindowTitle(QStringLiteral("Starting Receive mode..."));
    setModal(false);
    waitPanel_->setObjectName(QStringLiteral("waitPanel"));
    readyPanel_->setObjectName(QStringLiteral("readyPanel"));
    doNotShow_->setObjectName(QStringLiteral("doNotShowAgain"));

    auto* heading = new QLabel(QStringLiteral("Vellora is in receive mode now"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* ready = new QVBoxLayout(readyPanel_);
    ready->setContentsMargins(0, 0, 0, 0);
    ready->addWidget(heading);
    ready->addWidget(new QLabel(QStringLiteral("To end receive mode, press the STOP button")));
    ready->addWidget(new QLabel(QStringLiteral("While in receive mode, sending faxes is not possible")));

    auto* buttons = DialogButtons(*this, QDialogButtonBox::Ok);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("Ok"));
    connect(doNotShow_, &QCheckBox::toggled, this, &StartingFaxForm::DoNotShowAgainToggled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(waitPanel_);
    layout->addWidget(readyPanel_);
    layout->addWidget(doNotShow_);
    layout->addWidget(buttons);
    SetReady(false);
}

void StartingFaxForm::SetReady(bool ready)
{
    waitPanel_->setVisible(!ready);
    readyPanel_->setVisible(ready);
    doNotShow_->setVisible(ready);
    ok_->setVisible(ready);
    adjustSize();
}

bool StartingFaxForm::Ready() const { return !readyPanel_->isHidden(); }

bool StartingFaxForm::DoNotShowAgain() const { return doNotShow_->isChecked(); }

}  // namespace vl::ui
