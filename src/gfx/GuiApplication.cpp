#include "gfx/GuiApplication.h"

#include <QFont>
#include <QGuiApplication>
#include <QtGlobal>

namespace vl::gfx {

namespace {

// Windows font names that documents and cover pages ask for, mapped to the
// metric-compatible families installed with the program, so line breaks and
// text widths come out the same.
void SubstituteFontNames() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

QtMessageHandler startupHandler = nullptr;

// Start-up looks for the per-user runtime folder, which services and build
// machines often lack; nothing here uses it, so that warning is only noise.
void QuietStartup(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths:"))) return;
    if (startupHandler != nullptr) startupHandler(type, context, message);
}

}  // namespace

void EnsureGuiApplication() {
    static bool substituted = false;
    if (QGuiApplication::instance() == nullptr) {
        // Programs without windows draw offscreen unless the user picked a
        // platform on purpose.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "vellora";
        static char* argv[] = {name, nullptr};
        startupHandler = qInstallMessageHandler(QuietStartup);
        // Lives until exit: Qt's font caches are torn down with it.
        static QGuiApplication application(argc, argv);
        qInstallMessageHandler(startupHandler);
    }
    if (!substituted) {
        SubstituteFontNames();
        substituted = true;
    }
}

}  // namespace vl::gfx
