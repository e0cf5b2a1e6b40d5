// vellora: the desktop program. A second start hands over to the running one
// and ends.
#include <QApplication>
#include <QIcon>
#include <clocale>

#include "app/ProgramFolders.h"
#include "base/ExceptionDisplay.h"
#include "base/MessageWindow.h"
#include "ui/ExitSignals.h"
#include "ui/MainScreen.h"
#include "ui/QtMessagePump.h"
#include "ui/ShowErrorForm.h"
#include "ui/SingleInstance.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    vl::ui::ExitSignals exitSignals;
    // Dates and times in lists, logs and page headers follow the user's locale.
    std::setlocale(LC_ALL, "");
    QApplication::setApplicationName("Vellora");
    QApplication::setDesktopFileName("vellora");
    QApplication::setWindowIcon(QIcon::fromTheme("vellora", QIcon(":/vellora.png")));

    // A later start has handed "activate" to the first by now.
    vl::ui::SingleInstance instance(vl::app::ProgramFolder());
    if (!instance.IsFirst())
        return 0;

    vl::base::MessageLoop loop;
    vl::ui::QtMessagePump pump(loop);
    vl::ui::MainScreen mainScreen(loop);
    instance.OnActivate = [&mainScreen] { vl::ui::BringToFront(mainScreen); };
    // Failures of a port's threads and of event handlers reach the user.
    vl::base::SetExceptionDisplay([&mainScreen](std::exception_ptr error) {
        vl::ui::ShowErrorForm::Show("Error", vl::base::ExceptionText(error), false, &mainScreen);
    });
    // The start-up show state: a launcher may ask for the window minimised.
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
