#include "ui/QtMessagePump.h"

#include <QCoreApplication>

#include "base/ErrorCodes.h"

namespace vl::ui {

QtMessagePump::QtMessagePump(base::MessageLoop& loop, QObject* parent)
    : QObject(parent), loop_(loop), notifier_(loop.WakeFd(), QSocketNotifier::Read)
{
    connect(&notifier_, &QSocketNotifier::activated, this, &QtMessagePump::Pump);
}

void QtMessagePump::Pump()
{
    if (loop_.ProcessPendingMessages() != base::ecGotQuitMsg)
        return;
    // The quit message stays pending and keeps the descriptor readable; stop
    // watching it so the Qt loop can wind down instead of spinning.
    notifier_.setEnabled(false);
    QCoreApplication::quit();
}

}  // namespace vl::ui
