#include "ui/MessageBoxes.h"

#include <QMessageBox>
#include <QScreen>

#include "app/Placement.h"
#include "ui/ScreenRect.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

bool Ask(const std::string& text, const std::string& caption, QMessageBox::StandardButton defaultButton,
         QWidget* mainWindow)
{
    QMessageBox box(QMessageBox::Question, ToQt(caption), ToQt(text), QMessageBox::Yes | QMessageBox::No,
                    mainWindow);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(QMessageBox::No);
    CenterDialog(box, mainWindow);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace

void ShowInformation(const std::string& text, QWidget* mainWindow)
{
    ShowInformation(text, "Information", mainWindow);
}

void ShowInformation(const std::string& text, const std::string& caption, QWidget* mainWindow)
{
    QMessageBox box(QMessageBox::Information, ToQt(caption), ToQt(text), QMessageBox::Ok, mainWindow);
    CenterDialog(box, mainWindow);
    box.exec();
}

bool AskYesNo(const std::string& text, const std::string& caption, QWidget* mainWindow)
{
    return Ask(text, caption, QMessageBox::Yes, mainWindow);
}

bool AskYesNoDefaultNo(const std::string& text, const std::string& caption, QWidget* mainWindow)
{
    return Ask(text, caption, QMessageBox::No, mainWindow);
}

void CenterDialog(QWidget& dialog, QWidget* mainWindow)
{
    if (!dialog.testAttribute(Qt::WA_Resized))
        dialog.adjustSize();
    const bool overMain = mainWindow != nullptr && mainWindow != &dialog && !mainWindow->isMaximized();
    QRect area;
    if (overMain) {
        area = mainWindow->frameGeometry();
    } else {
        QScreen* screen = mainWindow != nullptr ? mainWindow->screen() : dialog.screen();
        if (screen == nullptr)
            return;
        area = screen->geometry();
    }
    const QRect frame = dialog.frameGeometry();
    const app::Rect r = app::CenterRect(frame.width(), frame.height(), ToRect(area));
    dialog.move(r.Left, r.Top);
}

}  // namespace vl::ui
