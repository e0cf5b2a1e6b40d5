#include "ui/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QThread>

#include <memory>
#include <string_view>

#include "app/InstanceRequests.h"

namespace vl::ui {

namespace {

constexpr int kConnectTries = 20;
constexpr int kWaitMs = 100;

// The first copy takes the lock a moment before it listens; a copy started
// in that moment tries again for a while.
void SendRequest(const QString& serverName, const std::string& request)
{
    for (int i = 0; i < kConnectTries; ++i) {
        QLocalSocket socket;
        socket.connectToServer(serverName);
        if (socket.waitForConnected(kWaitMs * 5)) {
            socket.write(request.data(), static_cast<qint64>(request.size()));
            socket.waitForBytesWritten(kWaitMs * 10);
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(kWaitMs);
    }
}

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
            SendRequest(name, request);
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
