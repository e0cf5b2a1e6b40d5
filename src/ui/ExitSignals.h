// The signals that ask the desktop program to end: SIGTERM (a session
// logout, a service manager), SIGHUP (the terminal it was started from went
// away) and SIGINT (Ctrl+C there). Each ends the message loop with status 0,
// and nested loops (a modal window's) with it, so that the program can then
// end as its Exit command does: receive mode stopped, tables closed,
// settings saved.
//
// The handler only writes a byte into a pipe; the main thread reads it
// through a socket notifier, since a signal handler may call no Qt function.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace vl::ui {

class ExitSignals : public QObject {
    Q_OBJECT

public:
    // Installs the handlers (one set per process); needs the application object.
    explicit ExitSignals(QObject* parent = nullptr);
    // Puts the previous handlers back.
    ~ExitSignals() override;
    ExitSignals(const ExitSignals&) = delete;
    ExitSignals& operator=(const ExitSignals&) = delete;

    // One of the signals has arrived and ended the message loop.
    bool Received() const { return received_; }

private:
    void Arrived();

    QSocketNotifier* notifier_ = nullptr;
    bool received_ = false;
};

}  // namespace vl::ui
