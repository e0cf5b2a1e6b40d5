// vellora: the desktop program. A second start hands over to the running one
// and ends.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QIcon>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/InstanceRequests.h"
#include "app/ProgramFolders.h"
#include "app/Settings.h"
#include "base/ExceptionDisplay.h"
#include "base/MessageWindow.h"
#include "ui/ExitSignals.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"
#include "ui/ShowErrorForm.h"
#include "ui/SingleInstance.h"

namespace {

const char kUsage[] =
    "usage: vellora [FILE.APF] [--minimized]\n"
    "\n"
    "The fax program: sends faxes (a cover sheet and a document) through a fax\n"
    "modem, receives them while in receive mode, and keeps them in its lists.\n"
    "\n"
    "  FILE.APF       show the fax in the viewer (in the copy already running,\n"
    "                 when there is one)\n"
    "  --minimized    start with the main window minimised\n"
    "  --help         this text\n"
    "  --version      the program's version\n"
    "\n"
    "A second start brings the running copy to the front. Data folder:\n"
    "$VELLORA_HOME, or $XDG_DATA_HOME/vellora/ (default ~/.local/share/vellora/).\n"
    "See also vellora-cli(1) and vellora-print(1).\n";

// "--help" and "--version" answer on standard output without a display.
bool Answered(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("vellora %s\n", std::string(vl::app::kProgramVersion).c_str());
            return true;
        }
    }
    return false;
}

// The first argument that is no option, made absolute; empty when none.
std::string FaxFileArgument()
{
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (!args[i].startsWith('-'))
            return QFileInfo(args[i]).absoluteFilePath().toStdString();
    }
    return {};
}

}  // namespace

int main(int argc, char** argv)
{
    if (Answered(argc, argv))
        return 0;
    QApplication application(argc, argv);
    vl::ui::ExitSignals exitSignals;
    // Dates and times in lists, logs and page headers follow the user's locale.
    std::setlocale(LC_ALL, "");
    QApplication::setApplicationName("Vellora");
    QApplication::setDesktopFileName("vellora");
    QApplication::setWindowIcon(QIcon::fromTheme("vellora", QIcon(":/vellora.png")));

    // "vellora FILE.APF" shows the fax in the viewer, in the copy already
    // running when there is one; a later start has handed its request to
    // the first by now.
    const std::string faxFile = FaxFileArgument();
    const std::string viewLine = faxFile.empty() ? std::string() : vl::app::ViewRequestLine(faxFile);
    vl::ui::SingleInstance instance(vl::app::ProgramFolder(),
                                    viewLine.empty() ? std::string(vl::app::kActivateRequest) : viewLine);
    if (!instance.IsFirst())
        return 0;

    vl::base::MessageLoop loop;
    vl::ui::QtMessagePump pump(loop);
    vl::ui::MainScreen mainScreen(loop);
    instance.OnActivate = [&mainScreen] { vl::ui::BringToFront(mainScreen); };
    // Not from inside the socket's own slot: the viewer runs modally.
    instance.OnView = [&mainScreen](const std::string& file) {
        QTimer::singleShot(0, &mainScreen, [&mainScreen, file] { mainScreen.ViewFile(file); });
    };
    // The import lets messages run, so it too waits for the socket's slot to end.
    instance.OnImport = [&mainScreen] {
        QTimer::singleShot(0, &mainScreen, [&mainScreen] { mainScreen.ImportPrinted(); });
    };
    // Failures of a port's threads and of event handlers reach the user.
    vl::base::SetExceptionDisplay([&mainScreen](std::exception_ptr error) {
        vl::ui::ShowErrorForm::Show("Error", vl::base::ExceptionText(error), false, &mainScreen);
    });
    // The start-up show state: a launcher may ask for the window minimised.
    if (!faxFile.empty())
        mainScreen.ViewFile(faxFile);
    if (QApplication::arguments().contains("--minimized"))
        mainScreen.showMinimized();
    else
        mainScreen.show();
    const int status = QApplication::exec();
    // A logout or a signal ended the loop: end as Exit does, without its questions.
    if (exitSignals.Received())
        mainScreen.EndWithoutQuestions();
    // The window goes next: later failures go to standard error.
    vl::base::SetExceptionDisplay({});
    return status;
}
