#include "app/InstanceRequestSender.h"

#include <QLocalSocket>
#include <QString>
#include <QThread>

#include "app/InstanceRequests.h"

namespace vl::app {

namespace {

constexpr int kConnectMs = 500;
constexpr int kRetryPauseMs = 100;
constexpr int kWriteMs = 1000;

}  // namespace

bool SendInstanceRequest(const std::string& programFolder, std::string_view request, int tries)
{
    const QString name = QString::fromStdString(InstanceServerName(programFolder));
    for (int i = 0; i < tries; ++i) {
        if (i > 0)
            QThread::msleep(kRetryPauseMs);
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

}  // namespace vl::app
