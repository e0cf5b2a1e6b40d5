// The socket name is a hash of the folder: any folder name fits, and two
// folders never share a first copy.
#include <QCryptographicHash>
#include <QDir>

#include "app/InstanceRequests.h"

namespace vl::app {

std::string InstanceServerName(const std::string& programFolder)
{
    const QString folder = QDir(QString::fromStdString(programFolder)).absolutePath();
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex();
    return "vellora-" + hash.left(24).toStdString();
}

}  // namespace vl::app
