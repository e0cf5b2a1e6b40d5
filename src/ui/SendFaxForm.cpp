#include "ui/SendFaxForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ProgramFolders.h"
#include "session/SendSetup.h"
#include "ui/ComSelectForm.h"
#include "ui/FaxStatusDisplay.h"
#include "ui/HelpButton.h"
#include "ui/Preferences.h"

namespace vl::ui {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

SendFaxForm::SendFaxForm(base::MessageLoop& loop, app::Settings& settings, QWidget* parent)
    : QDialog(parent), loop_(loop), settings_(settings), session_(loop, settings, *this)
{
    setWindowTitle("Send Fax");
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* form = new QFormLayout;
    toLabel_ = new QLabel(this);
    subjectLabel_ = new QLabel(this);
    form->addRow("To:", toLabel_);
    form->addRow("Subject:", subjectLabel_);
    phoneNumber_ = new QLineEdit(this);
    phoneNumber_->setMaxLength(25);
    form->addRow("Fax &number:", phoneNumber_);
    layout->addLayout(form);

    auto* dialing = new QGridLayout;
    dialPrefix_ = new QLineEdit(this);
    disablePrefix_ = new QCheckBox("Disable Prefix", this);
    disablePrefix_->setObjectName(QStringLiteral("DisablePrefix"));
    dialSuffix_ = new QLineEdit(this);
    disableSuffix_ = new QCheckBox("Disable Suffix", this);
    auto* prefixLabel = new QLabel("Dial &prefix:", this);
    prefixLabel->setBuddy(dialPrefix_);
    auto* suffixLabel = new QLabel("Dial s&uffix:", this);
    suffixLabel->setBuddy(dialSuffix_);
    dialing->addWidget(prefixLabel, 0, 0);
    dialing->addWidget(dialPrefix_, 0, 1);
    dialing->addWidget(disablePrefix_, 0, 2);
    dialing->addWidget(suffixLabel, 1, 0);
    dialing->addWidget(dialSuffix_, 1, 1);
    dialing->addWidget(disableSuffix_, 1, 2);
    layout->addLayout(dialing);

    setupMemo_ = new QPlainTextEdit(this);
    setupMemo_->setReadOnly(true);
    setupMemo_->setMinimumHeight(180);
    layout->addWidget(setupMemo_, 1);

    status_ = new QLabel(this);
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setMinimumHeight(status_->fontMetrics().height() + 8);
    status_->setVisible(false);
    layout->addWidget(status_);

    auto* buttons = new QDialogButtonBox(this);
    sendButton_ = buttons->addButton("&Send Fax Now", QDialogButtonBox::AcceptRole);
    QPushButton* preferences = buttons->addButton("Preferences", QDialogButtonBox::ActionRole);
    preferences->setObjectName(QStringLiteral("Preferences"));
    preferences->setToolTip("Change the modem and dialling settings");
    buttons->addButton(HelpButton("Technical Help", app::HelpTopic::ProblemSolver, this), QDialogButtonBox::HelpRole);
    buttons->addButton(HelpButton("Help", app::HelpTopic::SendFax, this), QDialogButtonBox::HelpRole);
    QPushButton* close = buttons->addButton("Close", QDialogButtonBox::RejectRole);
    // The send button is pressed on purpose, never by Enter in a field.
    sendButton_->setAutoDefault(false);
    preferences->setAutoDefault(false);
    close->setAutoDefault(false);
    disconnect(buttons, nullptr, this, nullptr);
    connect(sendButton_, &QPushButton::clicked, this, guard_.Slot([this] { SendClicked(); }));
    connect(preferences, &QPushButton::clicked, this, guard_.Slot([this] { PreferencesClicked(); }));
    connect(close, &QPushButton::clicked, this, &SendFaxForm::reject);
    layout->addWidget(buttons);

    for (QLineEdit* field : {phoneNumber_, dialPrefix_, dialSuffix_})
        field->installEventFilter(this);
    ComSelectForm::AskForPortsOf(session_.Port(), this);
    statusDisplay_ = new FaxStatusDisplay(session_.StatusModel(), this);
    session_.OnStatusChanged = [this] { statusDisplay_->Refresh(); };
    resize(560, 520);
}

void SendFaxForm::SetFaxFiles(const std::string& first, const std::string& second)
{
    session_.FirstFile = first;
    session_.SecondFile = second;
}

void SendFaxForm::SetRecipient(const std::string& recipient, const std::string& subject)
{
    toLabel_->setText(Q(recipient));
    subjectLabel_->setText(Q(subject));
}

void SendFaxForm::SetPhoneNumber(const std::string& number)
{
    givenNumber_ = number;
}

void SendFaxForm::SetDialing(const std::string& prefix, bool disablePrefix, const std::string& suffix,
                             bool disableSuffix)
{
    dialPrefix_->setText(Q(prefix));
    disablePrefix_->setChecked(disablePrefix);
    dialSuffix_->setText(Q(suffix));
    disableSuffix_->setChecked(disableSuffix);
}

std::string SendFaxForm::PhoneNumber() const
{
    return phoneNumber_->text().toStdString();
}

void SendFaxForm::TakeDialing(std::string& prefix, bool& disablePrefix, std::string& suffix, bool& disableSuffix) const
{
    prefix = dialPrefix_->text().toStdString();
    disablePrefix = disablePrefix_->isChecked();
    suffix = dialSuffix_->text().toStdString();
    disableSuffix = disableSuffix_->isChecked();
}

QString SendFaxForm::SetupText() const
{
    return setupMemo_->toPlainText();
}

void SendFaxForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    phoneNumber_->setText(Q(givenNumber_));
    guard_.Run([this] { ShowSetup(); });
}

void SendFaxForm::ShowSetup()
{
    QStringList lines;
    for (const std::string& line : session::SetupSummary(settings_, app::SettingsFileName()))
        lines << Q(line);
    setupMemo_->setPlainText(lines.join('\n'));
}

// The wizard's port tools would fight a call in progress for the modem.
// After a save the summary and the dialing fields show the new settings, so
// closing the window does not put the old prefix and suffix back.
void SendFaxForm::PreferencesClicked()
{
    if (session_.Busy()) {
        Beep();
        return;
    }
    if (!Preferences::Edit(loop_, settings_, false, this))
        return;
    // The disable boxes belong to this fax and stay as the user left them.
    std::string prefix, suffix;
    bool disablePrefix = false, disableSuffix = false;
    TakeDialing(prefix, disablePrefix, suffix, disableSuffix);
    SetDialing(settings_.DialPrefix, disablePrefix, settings_.DialSuffix, disableSuffix);
    ShowSetup();
}

void SendFaxForm::CopyDialingToSession()
{
    session_.PhoneNumber = phoneNumber_->text().toStdString();
    TakeDialing(session_.DialPrefix, session_.DisablePrefix, session_.DialSuffix, session_.DisableSuffix);
}

void SendFaxForm::SendClicked()
{
    CopyDialingToSession();
    session_.Send();
    status_->setVisible(session_.StatusPanelVisible());
    if (!session::SendSession::NumberProblem(session_.PhoneNumber).empty())
        phoneNumber_->setFocus();
}

namespace {

bool IsLoggingKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Z && key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
}

}  // namespace

void SendFaxForm::keyPressEvent(QKeyEvent* event)
{
    if (IsLoggingKey(event)) {
        guard_.Run([this] { ShowInformation(session_.ToggleLogging()); });
        return;
    }
    QDialog::keyPressEvent(event);
}

// A text field would take Ctrl+Shift+Z as "redo"; the window sees it first.
bool SendFaxForm::eventFilter(QObject* watched, QEvent* event)
{
    if (IsLoggingKey(event)) {
        guard_.Run([this] { ShowInformation(session_.ToggleLogging()); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SendFaxForm::closeEvent(QCloseEvent* event)
{
    if (!session_.RequestClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void SendFaxForm::reject()
{
    if (session_.RequestClose())
        QDialog::reject();
}

void SendFaxForm::ShowInformation(const std::string& text)
{
    feedback_.ShowInformation(text);
}

bool SendFaxForm::ShowError(const std::string& title, const std::string& text, bool withContinue)
{
    return feedback_.ShowError(title, text, withContinue);
}

void SendFaxForm::SetStatus(const std::string& text)
{
    status_->setText(Q(text));
    status_->setVisible(session_.StatusPanelVisible());
}

void SendFaxForm::SetBusyCursor(bool busy)
{
    feedback_.SetBusyCursor(busy);
}

void SendFaxForm::ProcessMessages()
{
    SessionFeedback::ProcessMessages();
}

void SendFaxForm::Beep()
{
    SessionFeedback::Beep();
}

}  // namespace vl::ui
