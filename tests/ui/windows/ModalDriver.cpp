#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace vl::test {

namespace {

// Long enough for a window that first opens a port or starts a process on a
// loaded machine under the sanitizers.
constexpr qint64 kModalWaitMs = 30000;

}  // namespace

void WhenModal(std::function<void(QWidget&)> act)
{
    // A window under test may itself be modal; only one that comes up after
    // this is armed is the one to act on.
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(timer, &QTimer::timeout, [timer, before, waited, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != before) {
            timer->stop();
            timer->deleteLater();
            act(*modal);
        } else if (waited.hasExpired(kModalWaitMs)) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window came up";
        }
    });
    timer->start(10);
}

ModalResponder::ModalResponder(std::function<void(QWidget&)> answer)
    : answer_(std::move(answer)), before_(QApplication::activeModalWidget())
{
    connect(&timer_, &QTimer::timeout, this, &ModalResponder::Poll);
    timer_.start(100);
}

void ModalResponder::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    // An answer that opens another modal window runs that window's loop from
    // here, so this runs again inside it; only the window on top is answered.
    if (!modal || modal == before_ || !modal->isVisible() || answering_.contains(modal))
        return;
    answering_.insert(modal);
    answer_(*modal);
    answering_.remove(modal);
}

std::string ModalText(const QWidget& modal)
{
    std::string text = modal.windowTitle().toStdString();
    if (const auto* box = qobject_cast<const QMessageBox*>(&modal))
        return text + ": " + box->text().toStdString();
    for (const QLabel* label : modal.findChildren<QLabel*>())
        text += ": " + label->text().toStdString();
    return text;
}

void CloseModal(QWidget& modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(&modal))
        dialog->done(QDialog::Accepted);
    else
        modal.close();
}

}  // namespace vl::test
