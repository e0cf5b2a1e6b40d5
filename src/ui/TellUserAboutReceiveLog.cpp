#include "ui/TellUserAboutReceiveLog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/FaxListTexts.h"
#include "session/ReceiveMode.h"
#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

TellUserAboutReceiveLog::TellUserAboutReceiveLog(const std::string& traceFile, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(ToQt(app::kLoggingNotice));
    auto* text = new QLabel(
        QStringLiteral("Receive mode will start with logging on.\n\n"
                       "Everything that passes between Vellora and the modem is written to the file\n"));
    auto* file = new QLabel(ToQt(traceFile));
    file->setObjectName(QStringLiteral("traceFile"));
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* after = new QLabel(QStringLiteral("Please send this file to technical support when they ask for it."));

    auto* buttons = DialogButtons(*this, QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(file);
    layout->addWidget(after);
    layout->addWidget(buttons);
}

void TellUserAboutReceiveLog::Show(QWidget* mainWindow)
{
    TellUserAboutReceiveLog form(session::ReceiveTraceFileName(), mainWindow);
    ExecCentred(form, mainWindow);
}

}  // namespace vl::ui
