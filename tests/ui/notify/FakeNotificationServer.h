// A desktop notification server for the tests. It sits on a connection of
// its own to the test's session bus, so the program's calls really cross the
// bus; it records each notification, answers with ids counted from 1, and
// invokes actions or closes notifications as a user would.
#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QVariantMap>

#include <cstddef>
#include <vector>

namespace vl::test {

struct ShownNotification {
    QString appName;
    uint replacesId = 0;
    QString icon;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
    int timeout = 0;
};

class FakeNotificationServer : public QDBusVirtualObject {
public:
    // Registers the service; a test fails when it cannot.
    explicit FakeNotificationServer(QStringList capabilities = {"actions", "body", "body-markup"});
    ~FakeNotificationServer() override;

    const std::vector<ShownNotification>& Shown() const { return shown_; }
    // Runs the event loop until `count` notifications have come (5 s at most).
    bool WaitForShown(std::size_t count);
    // Notify answers with an error from now on.
    void Refuse() { refuse_ = true; }

    void InvokeAction(uint id, const QString& action);
    void Close(uint id);

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    QString introspect(const QString& path) const override;

private:
    QStringList capabilities_;
    QDBusConnection connection_;
    std::vector<ShownNotification> shown_;
    bool refuse_ = false;
};

// A signal of the notification interface sent by `sender`, as if it were the server.
void SendNotificationSignal(QDBusConnection& sender, const QString& name, const QVariantList& arguments);

}  // namespace vl::test
