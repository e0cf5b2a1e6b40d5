// Tells the desktop that a fax has arrived: a notification through the
// desktop's notification service on the session bus, with a "View" action
// that hands the fax file back to be shown. Every call to the service is
// asynchronous, so a slow or missing server never holds up receive mode;
// without a bus or a server the fax is simply not announced, and the first
// such failure is told in one line on stderr.
#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>
#include <map>
#include <string>

class QDBusPendingCallWatcher;

namespace vl::ui {

class FaxNotifier : public QObject {
    Q_OBJECT

public:
    // `view` gets the fax file of a notification whose action the user chose.
    explicit FaxNotifier(std::function<void(const std::string& faxFile)> view,
                         const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    void Announce(const std::string& station, int pages, const std::string& faxFile);

    // The notifications shown and not yet closed, by the server's id.
    const std::map<uint, std::string>& Shown() const { return shown_; }
    // The announcements that found no bus or server, or were refused.
    int Failures() const { return failures_; }

private slots:
    void ActionInvoked(uint id, const QString& action);
    void NotificationClosed(uint id, uint reason);

private:
    void Notify(const QStringList& capabilities, const std::string& station, int pages, const std::string& faxFile);
    // The reply's error, if any, counted; true when there was none.
    bool Succeeded(QDBusPendingCallWatcher& call);
    // Counts a failure; only the first is told.
    void Failed(const QString& why);

    std::function<void(const std::string&)> view_;
    QDBusConnection bus_;
    std::map<uint, std::string> shown_;
    int failures_ = 0;
};

}  // namespace vl::ui
