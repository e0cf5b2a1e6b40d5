// "About Vellora": the program's name, version, the Qt it runs on, the data
// folder, and a link to the shipped home page.
#pragma once

#include <QDialog>

namespace vl::ui {

class AboutForm : public QDialog {
    Q_OBJECT

public:
    explicit AboutForm(QWidget* parent = nullptr);

    // Shows the window modally, centred.
    static void Show(QWidget* mainWindow);
};

}  // namespace vl::ui
