// "Preferences Wizard": every setting of the program on nine pages, with
// Back, Next, a page list to jump with, and Finish, which saves VL.INI.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "fax/VlSendFax.h"
#include "serial/VlComPort.h"
#include "ui/CommandGuard.h"
#include "ui/PreferenceControls.h"

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace vl::base {
class MessageLoop;
}

namespace vl::ui {

class Preferences : public QDialog {
    Q_OBJECT

public:
    // `printers` are the installed printers offered for printing received
    // faxes, after the system's default. `firstRun`: the settings file held
    // no port yet, so the user is asked to check port and class and is led
    // to the last page before Finish. The modem tools run on the wizard's
    // own port, on `loop`.
    Preferences(base::MessageLoop& loop, app::Settings& settings, bool firstRun,
                const std::vector<std::string>& printers, QWidget* parent = nullptr);
    ~Preferences() override;

    // Shows the wizard with the installed printers modally, centred over
    // the main window; true when the settings were changed and saved.
    static bool Edit(base::MessageLoop& loop, app::Settings& settings, bool firstRun, QWidget* mainWindow);

    int Page() const;
    void GoTo(int page);

private:
    QWidget* BuildIntroductionPage(bool firstRun);
    QWidget* BuildModemPage();
    // Fax class, rate and init string for sending (true) or receiving.
    QWidget* BuildClassPage(bool sending);
    QWidget* BuildSendingUserPage();
    QWidget* BuildSendingDialPage();
    QWidget* BuildReceivingAnswerPage();
    QWidget* BuildReceivingNoticePage(const std::vector<std::string>& printers);
    QWidget* BuildAdvancedPage();
    QLayout* BuildHeader();
    QLayout* BuildButtons();
    // A button whose clicks run `handler` through the guard.
    QPushButton* ToolButton(const char* text, const char* name, std::function<void()> handler);

    void UpdateButtons();
    void FinishClicked();
    // The modem tools.
    void LinkModemTools();
    int SelectedComNumber() const;
    void FindModemClicked();
    void CheckClassClicked();
    void InitHelpClicked(QLineEdit* initString, bool sending);
    // "Same as SEND" and the arrival sound.
    void SameClassClicked();
    void SameInitClicked();
    void ChooseSoundClicked();
    void PlaySoundClicked();
    void NoSoundClicked();

    app::Settings& settings_;
    bool firstRun_;
    serial::VlComPort port_;
    fax::VlSendFax sendFax_;
    PreferenceControls controls_;
    CommandGuard guard_{*this, nullptr};

    QLabel* title_ = nullptr;
    QComboBox* pageList_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* finish_ = nullptr;
};

}  // namespace vl::ui
