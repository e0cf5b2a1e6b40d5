#include "FakeNotificationServer.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QTest>

#include <gtest/gtest.h>

namespace vl::test {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kConnectionName = QStringLiteral("vl-fake-notification-server");

}  // namespace

FakeNotificationServer::FakeNotificationServer(QStringList capabilities)
    : capabilities_(std::move(capabilities)),
      connection_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnectionName))
{
    EXPECT_TRUE(connection_.isConnected()) << "no session bus: run under dbus-run-session";
    EXPECT_TRUE(connection_.registerVirtualObject(kPath, this));
    EXPECT_TRUE(connection_.registerService(kService)) << qPrintable(connection_.lastError().message());
}

FakeNotificationServer::~FakeNotificationServer()
{
    connection_.unregisterService(kService);
    connection_.unregisterObject(kPath);
    QDBusConnection::disconnectFromBus(kConnectionName);
}

bool FakeNotificationServer::WaitForShown(std::size_t count)
{
    return QTest::qWaitFor([&] { return shown_.size() >= count; }, 5000);
}

void FakeNotificationServer::InvokeAction(uint id, const QString& action)
{
    SendNotificationSignal(connection_, QStringLiteral("ActionInvoked"), {id, action});
}

void FakeNotificationServer::Close(uint id)
{
    SendNotificationSignal(connection_, QStringLiteral("NotificationClosed"), {id, 2u});  // dismissed
}

bool FakeNotificationServer::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.interface() != kService)
        return false;
    const QVariantList args = message.arguments();
    if (message.member() == "GetCapabilities") {
        connection.send(message.createReply(capabilities_));
        return true;
    }
    if (message.member() != "Notify" || message.signature() != "susssasa{sv}i")
        return false;
    shown_.push_back({args[0].toString(), args[1].toUInt(), args[2].toString(), args[3].toString(),
                      args[4].toString(), args[5].toStringList(), qdbus_cast<QVariantMap>(args[6]), args[7].toInt()});
    if (refuse_)
        connection.send(message.createErrorReply(QDBusError::AccessDenied, "notifications are switched off"));
    else
        connection.send(message.createReply(static_cast<uint>(shown_.size())));
    return true;
}

QString FakeNotificationServer::introspect(const QString&) const
{
    return {};
}

void SendNotificationSignal(QDBusConnection& sender, const QString& name, const QVariantList& arguments)
{
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kService, name);
    signal.setArguments(arguments);
    EXPECT_TRUE(sender.send(signal));
}

}  // namespace vl::test
