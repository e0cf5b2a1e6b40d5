#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
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

}  // namespace vl::test
