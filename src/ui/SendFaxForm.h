// The "Send Fax" window: one outgoing fax's recipient and number, the dial
// prefix and suffix, a summary of the modem settings, and the send session.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "app/Settings.h"
#include "session/SendSession.h"
#include "session/SessionUi.h"
#include "ui/CommandGuard.h"
#include "ui/SessionFeedback.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vl::base {
class MessageLoop;
}

namespace vl::ui {

class FaxStatusDisplay;

class SendFaxForm : public QDialog, private session::SessionUi {
    Q_OBJECT

public:
    SendFaxForm(base::MessageLoop& loop, app::Settings& settings, QWidget* parent = nullptr);

    // What the main window gives before showing the window.
    void SetFaxFiles(const std::string& first, const std::string& second);
    void SetRecipient(const std::string& recipient, const std::string& subject);
    void SetPhoneNumber(const std::string& number);
    void SetDialing(const std::string& prefix, bool disablePrefix, const std::string& suffix, bool disableSuffix);

    // What it reads afterwards.
    const std::string& ResultText() const { return session_.ResultText(); }
    std::string PhoneNumber() const;
    void TakeDialing(std::string& prefix, bool& disablePrefix, std::string& suffix, bool& disableSuffix) const;

    session::SendSession& Session() { return session_; }
    QPushButton* SendButton() const { return sendButton_; }
    QLineEdit* NumberField() const { return phoneNumber_; }
    QString SetupText() const;
    FaxStatusDisplay* StatusDisplay() const { return statusDisplay_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public:
    // Closing is refused (with a beep) while a fax is being sent.
    void reject() override;

protected:

private:
    void ShowSetup();
    void SendClicked();
    void PreferencesClicked();
    void CopyDialingToSession();

    void ShowInformation(const std::string& text) override;
    bool ShowError(const std::string& title, const std::string& text, bool withContinue) override;
    void SetStatus(const std::string& text) override;
    void SetBusyCursor(bool busy) override;
    void ProcessMessages() override;
    void Beep() override;

    base::MessageLoop& loop_;  // for the preferences wizard's modem tools
    app::Settings& settings_;
    // Before the session, which may still report while it goes.
    SessionFeedback feedback_{this};
    session::SendSession session_;
    std::string givenNumber_;
    bool firstActivation_ = true;
    // The session writes logs and opens the port: their failures stop here.
    CommandGuard guard_{*this, {}};

    QLabel* toLabel_ = nullptr;
    QLabel* subjectLabel_ = nullptr;
    QLineEdit* phoneNumber_ = nullptr;
    QLineEdit* dialPrefix_ = nullptr;
    QCheckBox* disablePrefix_ = nullptr;
    QLineEdit* dialSuffix_ = nullptr;
    QCheckBox* disableSuffix_ = nullptr;
    QPlainTextEdit* setupMemo_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    FaxStatusDisplay* statusDisplay_ = nullptr;
};

}  // namespace vl::ui
