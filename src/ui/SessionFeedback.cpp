#include "ui/SessionFeedback.h"

#include <QApplication>

#include "ui/MessageBoxes.h"
#include "ui/ShowErrorForm.h"

namespace vl::ui {

SessionFeedback::~SessionFeedback()
{
    while (busyCursors_ > 0)
        SetBusyCursor(false);
}

void SessionFeedback::ShowInformation(const std::string& text) const
{
    ui::ShowInformation(text, owner_);
}

bool SessionFeedback::ShowError(const std::string& title, const std::string& text, bool withContinue) const
{
    return ShowErrorForm::Show(title, text, withContinue, owner_);
}

void SessionFeedback::SetBusyCursor(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyCursors_;
    } else if (busyCursors_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyCursors_;
    }
}

void SessionFeedback::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void SessionFeedback::Beep()
{
    QApplication::beep();
}

}  // namespace vl::ui
