// "Quick Setup Form": the short setup of a first start. The user picks the
// modem's port (or lets the program find it) and gives the name and fax
// number the faxes carry.
#pragma once

#include <QDialog>

#include <string>

#include "app/Settings.h"
#include "serial/VlComPort.h"
#include "ui/CommandGuard.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLayout;
class QLineEdit;

namespace vl::base {
class MessageLoop;
}

namespace vl::ui {

class QuickSetupForm : public QDialog {
    Q_OBJECT

public:
    // The result of "Preferences Wizard...": the values count as on Ok, and
    // the caller goes on to the preferences wizard.
    static constexpr int kPreferencesWizard = -99;
    static constexpr int kNameLength = 35;
    static constexpr int kFaxNumberLength = 20;

    // Shows the port, name, fax number and SM56 flag of `settings`.
    QuickSetupForm(base::MessageLoop& loop, const app::Settings& settings, QWidget* parent = nullptr);

    // The four values as the window shows them; the port stays as it was
    // when none of Com1 to Com6 is selected.
    void Store(app::Settings& settings) const;

    // Runs the window centred over `mainWindow`; on Ok and on "Preferences
    // Wizard..." the values go into `settings`. Returns QDialog::Accepted,
    // QDialog::Rejected or kPreferencesWizard.
    static int Edit(base::MessageLoop& loop, app::Settings& settings, QWidget* mainWindow);

private:
    QGroupBox* BuildPortGroup(int comPort);
    QLayout* BuildFields(const app::Settings& settings);
    QLayout* BuildButtons();
    void FindModemClicked();

    // The modem search's own port, so that receive mode's is left alone.
    serial::VlComPort port_;
    std::string resetString_;
    QButtonGroup* ports_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* faxNumber_ = nullptr;
    QCheckBox* sm56_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
