#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace vl::test {

void WhenModal(std::function<void(QWidget&)> act)
{
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act = std::move(act)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(*modal);
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window came up";
        }
    });
    timer->start(10);
}

ModalResponder::ModalResponder(std::function<void(QWidget&)> answer) : answer_(std::move(answer))
{
    connect(&timer_, &QTimer::timeout, this, &ModalResponder::Poll);
    timer_.start(100);
}

void ModalResponder::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    // An answer that opens another modal window runs that window's loop from
    // here, so this runs again inside it; only the window on top is answered.
    if (!modal || !modal->isVisible() || answering_.contains(modal))
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
