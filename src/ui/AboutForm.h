// "About Vellora": the program's name and version.
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
