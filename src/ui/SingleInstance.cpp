#include "ui/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>

#include <memory>
#include <string_view>

#include "app/InstanceRequests.h"
#include "instance/InstanceRequestSender.h"

namespace vl::ui {

namespace {

// The first copy takes the lock a moment before it listens; a copy started
// in that moment tries again for a while.
constexpr int kConnectTries = 20;

}  // namespace

SingleInstance::SingleInstance(const std::string& programFolder, const std::string& request, QObject* parent)
    : QObject(parent)
    , lock_(QString::fromStdString(programFolder) + QStringLiteral("vellora.lock"))
{
    // A copy that runs for days is not stale; a lock left by a copy that
    // died is, and QLockFile sees that from the process id it holds.
    lock_.setStaleLockTime(0);
    const QString name = QString::fromStdString(app::InstanceServerName(programFolder));
    QDir().mkpath(QString::fromStdString(programFolder));
    if (!lock_.tryLock(0)) {
        // Only a lock held by another copy makes this one a later copy; a
        // folder that cannot hold the lock must not keep the program from
        // starting.
        first_ = lock_.error() != QLockFile::LockFailedError;
        if (!first_)
            instance::SendInstanceRequest(programFolder, request, kConnectTries);
        return;
    }
    first_ = true;
    // A socket left behind by a copy that died would block listening.
    QLocalServer::removeServer(name);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
    server_.listen(name);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::Accept()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto reader = std::make_shared<app::InstanceRequestReader>();
        const auto readRequests = [this, socket, reader] {
            const QByteArray bytes = socket->readAll();
            const auto result = reader->Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
            for (int i = 0; i < result.activations; ++i) {
                if (OnActivate)
                    OnActivate();
            }
            for (const std::string& file : result.views) {
                if (OnView)
                    OnView(file);
            }
            for (int i = 0; i < result.imports; ++i) {
                if (OnImport)
                    OnImport();
            }
            if (result.refused)
                socket->abort();
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequests);
        readRequests();
    }
}

void BringToFront(QWidget& window)
{
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace vl::ui
