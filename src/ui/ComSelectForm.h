// "Select Port": asked when a port is opened without a COM number; lists the
// COM numbers whose device is there to use.
#pragma once

#include <QDialog>

#include <string>

class QComboBox;

namespace vl::serial {
class VlComPort;
}

namespace vl::ui {

class ComSelectForm : public QDialog {
    Q_OBJECT

public:
    // The ports through `iniFile`'s section "Ports"; the first is selected.
    explicit ComSelectForm(const std::string& iniFile, QWidget* parent = nullptr);

    // The selected COM number, 0 when none is listed.
    int ComNumber() const;

    // Shows the window modally, centred over `mainWindow`; false when
    // cancelled or nothing was there to choose, else true with the choice in
    // `comNumber`.
    static bool Choose(const std::string& iniFile, int& comNumber, QWidget* mainWindow);
    // Makes the window the port's way to ask for a COM number, and has it
    // asked whenever the port is opened without one.
    static void AskForPortsOf(serial::VlComPort& port, QWidget* mainWindow);

private:
    QComboBox* BuildPorts(const std::string& iniFile);

    QComboBox* ports_ = nullptr;
};

}  // namespace vl::ui
