#include "printjob/ImportRequest.h"

#include <QLocalSocket>
#include <QString>

#include "app/InstanceRequests.h"

namespace vl::printjob {

namespace {

// A copy that listens answers at once; the tool does not wait for one to start.
constexpr int kConnectMs = 1000;
constexpr int kWriteMs = 2000;

}  // namespace

bool AskVelloraToImport(const std::string& programFolder) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(app::InstanceServerName(programFolder)));
    if (!socket.waitForConnected(kConnectMs)) return false;
    socket.write(app::kImportRequest.data(), static_cast<qint64>(app::kImportRequest.size()));
    socket.waitForBytesWritten(kWriteMs);
    const bool sent = socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
}

}  // namespace vl::printjob
