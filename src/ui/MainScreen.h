// The main window: the outgoing and incoming fax lists on two pages, the
// button bar and menus with every command on them, and receive mode.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandState.h"
#include "app/FaxLists.h"
#include "app/FaxOperationPrompts.h"
#include "app/FaxOperations.h"
#include "app/Settings.h"
#include "session/ReceiveMode.h"
#include "ui/CommandGuard.h"
#include "ui/ExportNameAsker.h"
#include "ui/ReceiptCommandRunner.h"
#include "ui/SessionFeedback.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTableView;

namespace vl::base {
class MessageLoop;
}

namespace vl::faxdoc {
enum class DocumentFormat;
}

namespace vl::ui {

class FaxListModel;
class FaxNotifier;
class ReceiveTrayIcon;
class StartingFaxForm;

// Every command of the button bar and the menus.
enum class Command {
    NewCover, AddCover, Edit, Clone, Delete, Archive, Forward, Print, PrintSetup, ShowArchived, LogCleanup,
    Send, Receive, ReceiveWithLog, View, Sort, PhoneBook, CoverDesigner, Rebuild, Preferences, Exit,
    QuickStart, QuickAnalysis, TechnicalHelp, Configuration, HelpContents, Faq, Support, About, WebSite, Hints,
    SortDateSent, SortSubject, SortRecipient, SortDateReceived, SortFrom,
};

class MainScreen : public QMainWindow, private session::ReceiveModeUi, private app::FaxOperationPrompts {
    Q_OBJECT

public:
    explicit MainScreen(base::MessageLoop& loop, QWidget* parent = nullptr);
    ~MainScreen() override;

    // The menu item of a command, and its button when it has one (else null).
    QAction* Action(Command command) const;
    QPushButton* Button(Command command) const;
    app::FaxPage Page() const;
    void SetPage(app::FaxPage page);
    QTableView* List(app::FaxPage page) const;
    app::FaxLists& Lists() { return lists_; }
    session::ReceiveMode& Receive() { return *receive_; }
    const app::Settings& CurrentSettings() const { return settings_; }
    QString StatusText() const;
    bool FirstActivationDone() const { return !firstActivationPending_; }
    // Shows the fax file in the viewer over this window: at once, or at the
    // end of the first activation when that is still to come.
    void ViewFile(const std::string& faxFile);
    // The print-to-fax tool left a fax in the send folder: imports it as an
    // activation does.
    void ImportPrinted();
    // The settings file held no port yet: the quick setup is due, and the
    // preferences wizard asks the user to check port and class.
    bool FirstRun() const { return firstRun_; }
    // Asks where a fax exported from a list's context menu goes; by default
    // the save dialog.
    void SetExportNameAsker(ExportNameAsker asker) { askExportName_ = std::move(asker); }

    // The command-state rules, after every change of page, record or table.
    void UpdateCommands();
    // The lists as the tables hold them now, keeping each current record.
    void RefreshLists();
    // Ends as Exit does but asks nothing and shows no error: for a request
    // to end from outside (a session logout, a signal).
    void EndWithoutQuestions();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Hints (tool tips) are shown only while "Show Hints" is checked.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // --- Building the window.
    void BuildCommands();
    void BuildMenus();
    QWidget* BuildButtonBar();
    QWidget* BuildPage(app::FaxPage page, const QString& title, const QString& colour);
    void BuildListMenu();
    // The desktop notification of each received fax and the tray icon.
    void BuildReceiveAnnouncements();
    QAction* AddCommand(Command command, const QString& menuText, const QKeySequence& shortcut,
                        void (MainScreen::*handler)());
    void AddButton(QLayout* bar, Command command, const QString& caption, const QString& hint);

    // --- Start and end.
    void FormCreate();
    void FirstActivation();
    // VL.INI into the settings; without a port there this is a first run.
    void ReadSettings();
    // A first run's quick setup, on the settings as the file holds them now.
    void QuickSetup();
    // Keeps what the quick setup's window ended with (its result).
    void AfterQuickSetup(int result);
    void ApplicationActivated();
    void ImportPrinterDriverFaxes();
    void RebuildIndexes();
    void LoadColumnLayout();
    void SaveColumnLayout();
    // Stops receive mode, saves the list layout, closes the tables and saves
    // the placement and the settings; each step runs even when one before
    // it failed, which is told only when `interactive`.
    void Shutdown(bool interactive);
    // After a failed command: the lists as the files hold them, without the
    // changes that could not be written.
    void PutBackAfterFailure();

    // --- Lists.
    void CurrentRowChanged(app::FaxPage page);
    void SelectCurrentRecord(app::FaxPage page);
    void SortBy(Command command);
    bool Guard();

    // --- Command handlers.
    void NewCoverClicked();
    void AddCoverClicked();
    void EditClicked();
    void CloneClicked();
    void DeleteClicked();
    void ArchiveClicked();
    void ForwardClicked();
    void ShowArchivedClicked();
    void SendClicked();
    void ReceiveClicked();
    void ReceiveWithLogClicked();
    void SortClicked();
    void PhoneBookClicked();
    void CoverDesignerClicked();
    void RebuildClicked();
    void LogCleanupClicked();
    void AboutClicked();
    void WebSiteClicked();
    void ConfigurationClicked();
    void PreferencesClicked();
    void QuickStartClicked();
    void QuickAnalysisClicked();
    void HintsClicked();
    void ExitClicked();
    void PrintClicked();
    void ViewClicked();
    void PrintSetupClicked();
    // Prepares the current list's fax under the status text, hands it to
    // show, and removes a joined file afterwards.
    void WithCurrentFax(std::string_view status, const std::function<void(const app::FaxOperations::ShownFax&)>& show);
    // The lists' context menu (MainScreenExport.cpp): the row under the
    // cursor becomes the current fax, which the menu exports.
    void ListMenuRequested(app::FaxPage page, const QPoint& position);
    void ExportClicked(faxdoc::DocumentFormat format);

    // --- Receive mode's window side.
    void ShowInformation(const std::string& text) override;
    bool ShowError(const std::string& title, const std::string& text, bool withContinue) override;
    void SetStatus(const std::string& text) override;
    void SetBusyCursor(bool busy) override;
    void ProcessMessages() override;
    void Beep() override;
    void ShowStartingNotice(bool visible, bool ready) override;
    void SwitchToIncoming() override;
    void ModeChanged() override;
    void FileReceivedFax(const store::ReceivedFax& fax) override;
    void AnnounceReceivedFax(const std::string& station, int pages, const std::string& faxFile) override;
    // Shows or hides the tray icon as receive mode and the setting say.
    void UpdateTrayIcon();
    void PlaySound(const std::string& file) override;
    void PrintReceivedFax(const std::string& faxFile, const std::string& header) override;
    void RunReceiptCommand(const std::vector<std::string>& argv,
                           std::function<void(const std::string& reason)> failed) override;

    // --- The questions of the fax operations.
    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override;
    std::optional<app::DeleteChoice> ChooseDelete() override;
    bool EditFaxInfo(const std::string& caption, app::FaxInfo& info) override;
    bool EditNotes(const std::string& from, std::string& notes) override;
    bool EditCover(app::CoverEntry& entry) override;

    base::MessageLoop& loop_;
    std::string programFolder_;
    app::Settings settings_;
    app::FaxLists lists_;
    app::FaxOperations operations_;
    std::unique_ptr<session::ReceiveMode> receive_;
    // Destroyed before receive_ (~MainScreen), so that no command's outcome
    // can reach a receive mode that is gone.
    std::unique_ptr<ReceiptCommandRunner> receiptCommands_;
    bool firstActivationPending_ = true;
    bool importing_ = false;
    bool importAgain_ = false;
    bool firstRun_ = false;
    std::string viewAfterStart_;
    bool tablesFailed_ = false;
    ExportNameAsker askExportName_;
    SessionFeedback feedback_{this};
    CommandGuard guard_{*this, [this] { PutBackAfterFailure(); }};

    std::map<Command, QAction*> actions_;
    std::map<Command, QPushButton*> buttons_;
    QMenu* outgoingSortMenu_ = nullptr;
    QMenu* incomingSortMenu_ = nullptr;
    QMenu* listMenu_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTableView* outgoingView_ = nullptr;
    QTableView* incomingView_ = nullptr;
    FaxListModel* outgoingModel_ = nullptr;
    FaxListModel* incomingModel_ = nullptr;
    StartingFaxForm* startingForm_ = nullptr;
    FaxNotifier* notifier_ = nullptr;
    ReceiveTrayIcon* tray_ = nullptr;
};

}  // namespace vl::ui
