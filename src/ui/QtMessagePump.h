// Runs the program's message loop inside the Qt event loop: whenever messages
// are pending they are processed on the Qt thread, and a quit message ends the
// Qt application. While it lives, every yield of the program also processes
// Qt's pending events, and an exception out of a message handler goes to the
// program's exception display.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>

#include "base/MessageWindow.h"

namespace vl::ui {

class QtMessagePump : public QObject {
public:
    // `loop` must belong to this thread and outlive the pump.
    explicit QtMessagePump(base::MessageLoop& loop, QObject* parent = nullptr);
    ~QtMessagePump() override;

private:
    void Pump();

    base::MessageLoop& loop_;
    QSocketNotifier notifier_;
    std::function<void()> previousPump_;
};

}  // namespace vl::ui
