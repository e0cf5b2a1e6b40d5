#include "instance/InstanceRequestSender.h"

#include <QLocalSocket>
#include <QString>
#include <QThread>

#include "app/InstanceRequests.h"

namespace vl::instance {

namespace {

constexpr int kConnectMs = 500;
constexpr int kWriteMs = 1000;
constexpr int kRetryMs = 100;

}  // namespace

bool SendInstanceRequest(const std::string& programFolder, std::string_view request, int tries)
{
    const QString name = QString::fromStdString(app::InstanceServerName(programFolder));
    for (int i = 0; i < tries; ++i) {
        if (i > 0)
            QThread::msleep(kRetryMs);
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(kConnectMs))
            continue;
        socket.write(request.data(), static_cast<qint64>(request.size()));
        socket.waitForBytesWritten(kWriteMs);
        const bool sent = socket.bytesToWrite() == 0;
        socket.disconnectFromServer();
        return sent;
    }
    return false;
}

}  // namespace vl::instance
