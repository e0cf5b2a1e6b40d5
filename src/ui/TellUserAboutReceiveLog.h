// The notice that receive mode runs with the serial line traced to a file.
#pragma once

#include <QDialog>

#include <string>

namespace vl::ui {

class TellUserAboutReceiveLog : public QDialog {
    Q_OBJECT

public:
    explicit TellUserAboutReceiveLog(const std::string& traceFile, QWidget* parent = nullptr);

    // Shows the notice modally, centred, naming ProgramFolder() + "VLIN.LOG".
    static void Show(QWidget* mainWindow);
};

}  // namespace vl::ui
