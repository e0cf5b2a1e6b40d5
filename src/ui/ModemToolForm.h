// What the modem tool windows share: their work starts as soon as they are
// shown, under a "Please wait" caption with the hourglass and the Ok button
// hidden; closing is refused while the work has a port open; at the end the
// caption changes, Ok shows and the computer beeps.
#pragma once

#include <QDialog>

#include <string>

#include "ui/CommandGuard.h"
#include "ui/SessionFeedback.h"

class QLayout;
class QPushButton;

namespace vl::ui {

class ModemToolForm : public QDialog {
    Q_OBJECT

public:
    bool Working() const { return working_; }
    // The work has ended and Ok is shown.
    bool Finished() const { return finished_; }

    // Closing (the title bar's close comes here too) is refused with a beep
    // while the work goes on.
    void reject() override;

protected:
    ModemToolForm(std::string workingCaption, std::string doneCaption, QWidget* parent);

    void showEvent(QShowEvent* event) override;

    // The window's work, run once after the window is shown; what it throws
    // is shown in the error window.
    virtual void Work() = 0;
    // The row with the Ok button.
    QLayout* BuildButtons();
    SessionFeedback& Feedback() { return feedback_; }

private:
    void RunWork();

    std::string doneCaption_;
    QPushButton* ok_ = nullptr;
    bool started_ = false;
    bool working_ = false;
    bool finished_ = false;
    SessionFeedback feedback_{this};
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
