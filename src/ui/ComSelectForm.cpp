#include "ui/ComSelectForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "serial/AvailablePorts.h"
#include "serial/PortNames.h"
#include "serial/VlComPort.h"
#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

ComSelectForm::ComSelectForm(const std::string& iniFile, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Port"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("The configured serial port is not valid.")));
    layout->addWidget(new QLabel(QStringLiteral("Please choose another port.")));
    layout->addWidget(BuildPorts(iniFile));
    layout->addWidget(DialogButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
}

QComboBox* ComSelectForm::BuildPorts(const std::string& iniFile)
{
    ports_ = new QComboBox;
    ports_->setObjectName(QStringLiteral("PortsComboBox"));
    for (const serial::AvailablePort& port : serial::AvailablePorts(iniFile))
        ports_->addItem(ToQt(serial::PortLabel(port.comNumber, port.device)), port.comNumber);
    ports_->setCurrentIndex(ports_->count() > 0 ? 0 : -1);
    return ports_;
}

int ComSelectForm::ComNumber() const
{
    return ports_->currentIndex() < 0 ? 0 : ports_->currentData().toInt();
}

bool ComSelectForm::Choose(const std::string& iniFile, int& comNumber, QWidget* mainWindow)
{
    ComSelectForm form(iniFile, mainWindow);
    if (!ExecCentred(form, mainWindow) || form.ComNumber() <= 0)
        return false;
    comNumber = form.ComNumber();
    return true;
}

void ComSelectForm::AskForPortsOf(serial::VlComPort& port, QWidget* mainWindow)
{
    port.SetPromptForPort(true);
    // The port may outlive the window it was made for.
    port.SetPortChooser([&port, window = QPointer<QWidget>(mainWindow)](int& comNumber) {
        return Choose(port.IniFile(), comNumber, window.data());
    });
}

}  // namespace vl::ui
