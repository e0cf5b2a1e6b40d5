// Runs the program's message loop inside the Qt event loop: whenever messages
// are pending they are processed on the Qt thread, and a quit message ends the
// Qt application.
#pragma once

#include <QObject>
#include <QSocketNotifier>

#include "base/MessageWindow.h"

namespace vl::ui {

class QtMessagePump : public QObject {
public:
    // `loop` must belong to this thread and outlive the pump.
    explicit QtMessagePump(base::MessageLoop& loop, QObject* parent = nullptr);

private:
    void Pump();

    base::MessageLoop& loop_;
    QSocketNotifier notifier_;
};

}  // namespace vl::ui
