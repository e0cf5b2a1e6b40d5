// The main window's side of receive mode and of the fax operations: the
// messages, questions and editors they need, shown as windows.
#include <QStatusBar>

#include "store/FaxRecordWriters.h"
#include "store/Table.h"
#include "app/ProgramFolders.h"
#include "ui/CreateEditQuickFax.h"
#include "ui/DeleteFaxForm.h"
#include "ui/EditReceiveNotes.h"
#include "ui/FaxNotifier.h"
#include "ui/FaxEditor.h"
#include "ui/MainScreen.h"
#include "ui/MessageBoxes.h"
#include "ui/ReceiveTrayIcon.h"
#include "ui/SoundPlayer.h"
#include "ui/StartingFaxForm.h"

namespace vl::ui {

void MainScreen::ShowInformation(const std::string& text)
{
    feedback_.ShowInformation(text);
}

bool MainScreen::ShowError(const std::string& title, const std::string& text, bool withContinue)
{
    return feedback_.ShowError(title, text, withContinue);
}

void MainScreen::SetStatus(const std::string& text)
{
    statusBar()->showMessage(QString::fromStdString(text));
}

void MainScreen::SetBusyCursor(bool busy)
{
    feedback_.SetBusyCursor(busy);
}

void MainScreen::ProcessMessages()
{
    SessionFeedback::ProcessMessages();
}

void MainScreen::Beep()
{
    SessionFeedback::Beep();
}

void MainScreen::ShowStartingNotice(bool visible, bool ready)
{
    if (!visible) {
        startingForm_->hide();
        return;
    }
    startingForm_->SetReady(ready);
    CenterDialog(*startingForm_, this);
    startingForm_->show();
}

void MainScreen::SwitchToIncoming()
{
    SetPage(app::FaxPage::Incoming);
}

void MainScreen::ModeChanged()
{
    UpdateCommands();
    UpdateTrayIcon();
}

void MainScreen::UpdateTrayIcon()
{
    tray_->Follow(settings_.TrayIcon, receive_->Started(), receive_->ReceivingNow());
}

void MainScreen::FileReceivedFax(const store::ReceivedFax& fax)
{
    store::Table* incoming = lists_.Incoming();
    if (!incoming)
        return;
    store::AppendReceivedFax(*incoming, fax, store::LocalTimestamp());
    // Reopened so that the new record is on disk and in the index at once.
    lists_.ReloadIncoming();
    RefreshLists();
}

// The session bus is joined only once there is something to announce: a
// window that never receives a fax starts no bus thread.
void MainScreen::AnnounceReceivedFax(const std::string& station, int pages, const std::string& faxFile)
{
    if (!notifier_) {
        notifier_ = new FaxNotifier([this](const std::string& file) { ViewFile(file); },
                                    QDBusConnection::sessionBus(), this);
    }
    notifier_->Announce(station, pages, faxFile);
}

void MainScreen::PlaySound(const std::string& file)
{
    PlaySoundFile(file);
}

void MainScreen::RunReceiptCommand(const std::vector<std::string>& argv,
                                   std::function<void(const std::string& reason)> failed)
{
    receiptCommands_->Start(argv, [this, failed = std::move(failed)](const std::string& reason) {
        guard_.Run([&] { failed(reason); });
    });
}

bool MainScreen::AskYesNoDefaultNo(const std::string& text, const std::string& caption)
{
    return ui::AskYesNoDefaultNo(text, caption, this);
}

std::optional<app::DeleteChoice> MainScreen::ChooseDelete()
{
    return DeleteFaxForm::Ask(this);
}

bool MainScreen::EditFaxInfo(const std::string& caption, app::FaxInfo& info)
{
    return FaxEditor::Edit(caption, info, this);
}

bool MainScreen::EditCover(app::CoverEntry& entry)
{
    return CreateEditQuickFax::Edit(entry, settings_, app::CoversFolder(), this);
}

bool MainScreen::EditNotes(const std::string& from, std::string& notes)
{
    return EditReceiveNotes::Edit(from, notes, this);
}

}  // namespace vl::ui
