#include "ui/ModemToolForm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>

#include <utility>

#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

ModemToolForm::ModemToolForm(std::string workingCaption, std::string doneCaption, QWidget* parent)
    : QDialog(parent), doneCaption_(std::move(doneCaption))
{
    setWindowTitle(ToQt(workingCaption));
}

QLayout* ModemToolForm::BuildButtons()
{
    ok_ = NamedButton("Ok", "ok");
    ok_->setDefault(true);
    ok_->hide();
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    return RightAlignedRow({ok_});
}

void ModemToolForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (started_)
        return;
    started_ = true;
    // From the event loop, once the window has painted, so the user sees it
    // while the modem is tried.
    QTimer::singleShot(0, this, guard_.Slot([this] { RunWork(); }));
}

void ModemToolForm::RunWork()
{
    working_ = true;
    feedback_.SetBusyCursor(true);
    guard_.Run([this] { Work(); });
    feedback_.SetBusyCursor(false);
    working_ = false;
    finished_ = true;
    setWindowTitle(ToQt(doneCaption_));
    ok_->show();
    ok_->setFocus();
    SessionFeedback::Beep();
}

void ModemToolForm::reject()
{
    if (working_) {
        SessionFeedback::Beep();
        return;
    }
    QDialog::reject();
}

}  // namespace vl::ui
