#include "ui/QtMessagePump.h"

#include <QCoreApplication>

#include "base/ErrorCodes.h"
#include "base/ExceptionDisplay.h"
#include "base/WindowSystemPump.h"

namespace vl::ui {

QtMessagePump::QtMessagePump(base::MessageLoop& loop, QObject* parent)
    : QObject(parent), loop_(loop), notifier_(loop.WakeFd(), QSocketNotifier::Read)
{
    connect(&notifier_, &QSocketNotifier::activated, this, &QtMessagePump::Pump);
    // Every yield of the program (modem waits, conversions) lets the windows
    // paint and the timers fire.
    previousPump_ = base::SetWindowSystemPump([] { QCoreApplication::processEvents(); });
}

QtMessagePump::~QtMessagePump()
{
    base::SetWindowSystemPump(std::move(previousPump_));
}

void QtMessagePump::Pump()
{
    int rc = base::ecOK;
    try {
        rc = loop_.ProcessPendingMessages();
    } catch (...) {
        // A handler's exception must not unwind through the Qt event loop.
        base::ShowException(std::current_exception());
        return;
    }
    if (rc != base::ecGotQuitMsg)
        return;
    // The quit message stays pending and keeps the descriptor readable; stop
    // watching it so the Qt loop can wind down instead of spinning.
    notifier_.setEnabled(false);
    QCoreApplication::quit();
}

}  // namespace vl::ui
