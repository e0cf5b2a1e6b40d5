#include "ui/FaxNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <cstdio>

namespace vl::ui {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = kService;
// "default" is what a click on the notification itself invokes; "view" is
// the button, for servers that show no default action.
const QString kDefaultAction = QStringLiteral("default");
const QString kViewAction = QStringLiteral("view");

QString EscapeMarkup(QString text)
{
    return text.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
}

QDBusMessage Call(const QString& method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

// "Fax from +1 555 0199, 3 pages". `markup` when the server reads the body as
// markup: the station ID comes from the far machine and may hold anything.
QString Body(const std::string& station, int pages, bool markup)
{
    QString from = station.empty() ? QStringLiteral("an unknown sender") : QString::fromStdString(station);
    if (markup)
        from = EscapeMarkup(from);
    return QStringLiteral("Fax from %1, %2 %3").arg(from).arg(pages).arg(pages == 1 ? "page" : "pages");
}

}  // namespace

FaxNotifier::FaxNotifier(std::function<void(const std::string& faxFile)> view, const QDBusConnection& bus,
                         QObject* parent)
    : QObject(parent), view_(std::move(view)), bus_(bus)
{
    bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                 SLOT(ActionInvoked(uint, QString)));
    bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                 SLOT(NotificationClosed(uint, uint)));
}

void FaxNotifier::Announce(const std::string& station, int pages, const std::string& faxFile)
{
    if (!bus_.isConnected()) {
        Failed(QStringLiteral("no session bus"));
        return;
    }
    // Whether the body is read as markup decides how the station ID is written.
    auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(Call(QStringLiteral("GetCapabilities"))), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, station, pages, faxFile](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                if (Succeeded(*done))
                    Notify(QDBusPendingReply<QStringList>(*done).value(), station, pages, faxFile);
            });
}

void FaxNotifier::Notify(const QStringList& capabilities, const std::string& station, int pages,
                         const std::string& faxFile)
{
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("vellora")},
                            {QStringLiteral("category"), QStringLiteral("transfer.complete")}};
    const QStringList actions{kDefaultAction, QStringLiteral("View"), kViewAction, QStringLiteral("View")};
    QDBusMessage notify = Call(QStringLiteral("Notify"));
    notify << QStringLiteral("Vellora") << 0u << QStringLiteral("vellora") << QStringLiteral("Fax received")
           << Body(station, pages, capabilities.contains(QStringLiteral("body-markup")))
           << actions << hints << -1;
    auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(notify), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, faxFile](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        if (Succeeded(*done))
            shown_[QDBusPendingReply<uint>(*done).value()] = faxFile;
    });
}

bool FaxNotifier::Succeeded(QDBusPendingCallWatcher& call)
{
    if (!call.isError())
        return true;
    Failed(call.error().message());
    return false;
}

void FaxNotifier::Failed(const QString& why)
{
    if (failures_++ > 0)
        return;
    std::fprintf(stderr, "Vellora: received faxes are not announced on the desktop: %s\n", qUtf8Printable(why));
}

void FaxNotifier::ActionInvoked(uint id, const QString& action)
{
    const auto shown = shown_.find(id);
    if (shown == shown_.end() || (action != kDefaultAction && action != kViewAction))
        return;
    // A copy: the viewer runs its own event loop, in which the notification
    // may close and leave the map.
    const std::string faxFile = shown->second;
    view_(faxFile);
}

void FaxNotifier::NotificationClosed(uint id, uint /*reason*/)
{
    shown_.erase(id);
}

}  // namespace vl::ui
