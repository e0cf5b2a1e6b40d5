// The socket name is a hash of the folder: any folder name fits, and two
// folders never share a first copy.
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>

#include "app/InstanceRequests.h"

namespace vl::app {

namespace {

// The user's runtime folder when the system made one for them, else /tmp.
// Not the temporary folder TMPDIR names: the print system's backend runs
// with a TMPDIR of its own and must reach the same socket.
std::string SocketFolder()
{
    const uid_t uid = getuid();
    const std::string runtime = "/run/user/" + std::to_string(uid);
    struct stat st{};
    if (stat(runtime.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid) return runtime + "/";
    return "/tmp/";
}

}  // namespace

std::string InstanceServerName(const std::string& programFolder)
{
    const QString folder = QDir(QString::fromStdString(programFolder)).absolutePath();
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex();
    return SocketFolder() + "vellora-" + hash.left(24).toStdString();
}

}  // namespace vl::app
