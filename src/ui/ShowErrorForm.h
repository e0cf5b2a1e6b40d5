// The program's error window: a title, a message, "Ok", "Technical Help"
// and, when the caller offers it, "Continue".
#pragma once

#include <QDialog>

#include <string>

class QPushButton;

namespace vl::ui {

class ShowErrorForm : public QDialog {
    Q_OBJECT

public:
    ShowErrorForm(const std::string& title, const std::string& message, bool withContinue,
                  QWidget* parent = nullptr);

    // True once "Continue" closed the window; "Ok" and Escape leave it false.
    bool ContinuePressed() const { return continuePressed_; }

    // Shows the window modally, centred; true when Continue was pressed.
    static bool Show(const std::string& title, const std::string& message, bool withContinue,
                     QWidget* mainWindow);

private:
    bool continuePressed_ = false;
};

}  // namespace vl::ui
