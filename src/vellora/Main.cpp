// vellora: the desktop program. A second start hands over to the running one
// and ends.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QIcon>
#include <clocale>

#include "app/InstanceRequests.h"
#include "app/ProgramFolders.h"
#include "base/ExceptionDisplay.h"
#include "base/MessageWindow.h"
#include "ui/ExitSignals.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"
#include "ui/ShowErrorForm.h"
#include "ui/SingleInstance.h"

namespace {

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
