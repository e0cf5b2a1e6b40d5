// The notice shown while receive mode starts, and then that it is on. It is
// not modal: the main window goes on working while it shows.
#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QWidget;

namespace vl::ui {

class StartingFaxForm : public QDialog {
    Q_OBJECT

public:
    explicit StartingFaxForm(QWidget* parent = nullptr);

    // false: the "Please wait" panel alone; true: the ready panel with "Ok"
    // and the "Do not show this again" box.
    void SetReady(bool ready);
    bool Ready() const;

    bool DoNotShowAgain() const;

signals:
    void DoNotShowAgainToggled(bool checked);

private:
    QWidget* waitPanel_;
    QWidget* readyPanel_;
    QCheckBox* doNotShow_;
    QPushButton* ok_;
};

}  // namespace vl::ui
