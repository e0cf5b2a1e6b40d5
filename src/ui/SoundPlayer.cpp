#include "ui/SoundPlayer.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace vl::ui {

bool PlaySoundFile(const std::string& file)
{
    const QString path = QString::fromStdString(file);
    if (file.empty() || !QFileInfo(path).isFile())
        return false;
    for (const char* player : {"paplay", "aplay"}) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(player));
        if (!program.isEmpty())
            return QProcess::startDetached(program, {QStringLiteral("--"), path});
    }
    return false;
}

}  // namespace vl::ui
