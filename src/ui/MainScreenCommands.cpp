// The main window's commands: the button bar, the menus, the rules that
// enable them, and what each one does.
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QUrl>

#include "app/FaxListTexts.h"
#include "app/HelpTopics.h"
#include "store/Table.h"
#include "ui/AboutForm.h"
#include "ui/ConfigurationInfo.h"
#include "ui/DMForm.h"
#include "ui/HelpWindow.h"
#include "ui/MainScreen.h"
#include "ui/MessageBoxes.h"
#include "ui/CoverDesMainScreen.h"
#include "ui/PhoneBook.h"
#include "ui/Preferences.h"
#include "ui/QuickStart.h"
#include "ui/QuickSuggest.h"
#include "ui/SendFaxForm.h"
#include "ui/TellUserAboutReceiveLog.h"
#include "ui/UiText.h"

namespace vl::ui {


QAction* MainScreen::AddCommand(Command command, const QString& menuText, const QKeySequence& shortcut,
                                void (MainScreen::*handler)())
{
    auto* action = new QAction(menuText, this);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (handler)
        connect(action, &QAction::triggered, this, guard_.Slot([this, handler] { (this->*handler)(); }));
    actions_[command] = action;
    return action;
}

void MainScreen::BuildCommands()
{
    AddCommand(Command::NewCover, "&New Cover Sheet", QKeySequence("Ctrl+N"), &MainScreen::NewCoverClicked);
    AddCommand(Command::AddCover, "Add C&over Sheet", QKeySequence("Ctrl+O"), &MainScreen::AddCoverClicked);
    AddCommand(Command::Edit, "&Edit", QKeySequence("Ctrl+E"), &MainScreen::EditClicked);
    AddCommand(Command::Clone, "&Clone", QKeySequence("Ctrl+C"), &MainScreen::CloneClicked);
    AddCommand(Command::Delete, "&Delete", QKeySequence("Ctrl+D"), &MainScreen::DeleteClicked);
    AddCommand(Command::Archive, "&Archive", QKeySequence("Ctrl+A"), &MainScreen::ArchiveClicked);
    AddCommand(Command::Forward, "For&ward Received Fax", {}, &MainScreen::ForwardClicked);
    AddCommand(Command::Print, "Print", QKeySequence::Print, &MainScreen::PrintClicked);
    AddCommand(Command::PrintSetup, "Print Setup", {}, &MainScreen::PrintSetupClicked);
    AddCommand(Command::ShowArchived, ToQt(app::kShowArchived), {}, &MainScreen::ShowArchivedClicked)->setCheckable(true);
    AddCommand(Command::LogCleanup, "Fax Log Cleanup ", {}, &MainScreen::LogCleanupClicked);
    AddCommand(Command::Send, "&Send Fax", QKeySequence("Ctrl+S"), &MainScreen::SendClicked);
    AddCommand(Command::Receive, "&Receive Faxes", QKeySequence("Ctrl+R"), &MainScreen::ReceiveClicked);
    AddCommand(Command::ReceiveWithLog, "Receive Faxes with Logging ON", {}, &MainScreen::ReceiveWithLogClicked);
    AddCommand(Command::View, "&View/Print Fax", QKeySequence("Ctrl+V"), &MainScreen::ViewClicked);
    AddCommand(Command::Sort, "Sor&t", {}, &MainScreen::SortClicked);
    AddCommand(Command::PhoneBook, "&Phone Book", {}, &MainScreen::PhoneBookClicked);
    AddCommand(Command::CoverDesigner, "Cover Sheet &Template Designer", {}, &MainScreen::CoverDesignerClicked);
    AddCommand(Command::Rebuild, "Rebuild &Indexes", {}, &MainScreen::RebuildClicked);
    AddCommand(Command::Preferences, "P&references", {}, &MainScreen::PreferencesClicked);
    AddCommand(Command::Exit, "E&xit", QKeySequence("Ctrl+X"), &MainScreen::ExitClicked)
        ->setShortcuts({QKeySequence("Ctrl+X"), QKeySequence::Quit});
    AddCommand(Command::QuickStart, "Quick Start Instructions!", {}, &MainScreen::QuickStartClicked);
    AddCommand(Command::QuickAnalysis, "Quick Configuration Analysis", {}, &MainScreen::QuickAnalysisClicked);
    const auto help = [this](Command command, const char* menuText, const QKeySequence& shortcut,
                             app::HelpTopic topic) {
        connect(AddCommand(command, menuText, shortcut, nullptr), &QAction::triggered, this,
                guard_.Slot([this, topic] { HelpWindow::ShowTopic(topic, this); }));
    };
    help(Command::TechnicalHelp, "Technical Help", {}, app::HelpTopic::ProblemSolver);
    AddCommand(Command::Configuration, "Configuration Information", {}, &MainScreen::ConfigurationClicked);
    help(Command::HelpContents, "Help &Contents", QKeySequence::HelpContents, app::HelpTopic::Contents);
    help(Command::Faq, "Frequently Asked Questions (FAQ)", {}, app::HelpTopic::Faq);
    help(Command::Support, "Technical Support", {}, app::HelpTopic::Support);
    AddCommand(Command::About, "&About Vellora", {}, &MainScreen::AboutClicked);
    AddCommand(Command::WebSite, "Visit Our Internet Website", {}, &MainScreen::WebSiteClicked);
    AddCommand(Command::Hints, "&Show Hints", {}, &MainScreen::HintsClicked)->setCheckable(true);

    for (Command sort : {Command::SortDateSent, Command::SortSubject, Command::SortRecipient, Command::SortDateReceived,
                         Command::SortFrom}) {
        static const std::map<Command, const char*> kTexts = {
            {Command::SortDateSent, "&Date Sent"},       {Command::SortSubject, "&Subject"},
            {Command::SortRecipient, "&Recipient"},      {Command::SortDateReceived, "Date Received"},
            {Command::SortFrom, "From"}};
        QAction* action = AddCommand(sort, kTexts.at(sort), {}, nullptr);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, guard_.Slot([this, sort] { SortBy(sort); }));
    }
}

void MainScreen::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    for (Command c : {Command::NewCover, Command::AddCover, Command::Edit, Command::Clone, Command::Delete,
                      Command::Archive, Command::Forward})
        file->addAction(actions_[c]);
    file->addSeparator();
    file->addAction(actions_[Command::Print]);
    file->addAction(actions_[Command::PrintSetup]);
    file->addSeparator();
    file->addAction(actions_[Command::Exit]);

    QMenu* fax = menuBar()->addMenu("F&ax");
    for (Command c : {Command::Send, Command::Receive, Command::ReceiveWithLog, Command::View})
        fax->addAction(actions_[c]);

    QMenu* view = menuBar()->addMenu("&List");
    view->addAction(actions_[Command::ShowArchived]);
    outgoingSortMenu_ = view->addMenu("Sort Outgoing Faxes");
    for (Command c : {Command::SortDateSent, Command::SortSubject, Command::SortRecipient})
        outgoingSortMenu_->addAction(actions_[c]);
    incomingSortMenu_ = view->addMenu("Sort Incoming Faxes");
    for (Command c : {Command::SortDateReceived, Command::SortFrom})
        incomingSortMenu_->addAction(actions_[c]);

    QMenu* tools = menuBar()->addMenu("&Tools");
    for (Command c : {Command::PhoneBook, Command::CoverDesigner, Command::LogCleanup, Command::Rebuild,
                      Command::Preferences, Command::QuickAnalysis, Command::Configuration})
        tools->addAction(actions_[c]);
    tools->addSeparator();
    tools->addAction(actions_[Command::Hints]);

    QMenu* help = menuBar()->addMenu("&Help");
    for (Command c : {Command::HelpContents, Command::QuickStart, Command::Faq, Command::TechnicalHelp,
                      Command::Support, Command::WebSite})
        help->addAction(actions_[c]);
    help->addSeparator();
    help->addAction(actions_[Command::About]);
}

void MainScreen::AddButton(QLayout* bar, Command command, const QString& caption, const QString& hint)
{
    auto* button = new QPushButton(caption, this);
    button->setFocusPolicy(Qt::TabFocus);
    button->setToolTip(hint);
    button->setEnabled(actions_[command]->isEnabled());
    connect(button, &QPushButton::clicked, actions_[command], &QAction::trigger);
    buttons_[command] = button;
    bar->addWidget(button);
}

QWidget* MainScreen::BuildButtonBar()
{
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    AddButton(layout, Command::NewCover, "&New", "");
    AddButton(layout, Command::AddCover, "Add C&over", "");
    AddButton(layout, Command::Edit, "&Edit", "Edit the selected fax's details or notes");
    AddButton(layout, Command::Delete, "&Delete", "Delete the selected fax");
    AddButton(layout, Command::Send, "&Send", "Send the selected outgoing fax");
    AddButton(layout, Command::Receive, "&Receive", "Start receiving faxes");
    AddButton(layout, Command::View, "&View", "");
    AddButton(layout, Command::Print, "Print", "");
    AddButton(layout, Command::Sort, "Sor&t", "Change the order of the list");
    AddButton(layout, Command::PhoneBook, "&Phone Book", "Keep the names and fax numbers you send to");
    AddButton(layout, Command::Preferences, "Preferences", "Change your name, fax number, modem and dialling settings");
    AddButton(layout, Command::TechnicalHelp, "Technical Help", "Help with modem and fax problems");
    layout->addStretch(1);
    AddButton(layout, Command::Exit, "E&xit", "Close Vellora");
    return bar;
}

QAction* MainScreen::Action(Command command) const
{
    return actions_.at(command);
}

QPushButton* MainScreen::Button(Command command) const
{
    const auto it = buttons_.find(command);
    return it == buttons_.end() ? nullptr : it->second;
}

void MainScreen::UpdateCommands()
{
    // Receive mode keeps its own status ("Waiting for fax...") on show.
    if (!receive_->Active())
        SetStatus("");
    lists_.KeepOrders();
    const app::FaxPage page = Page();
    app::CommandInputs inputs;
    inputs.page = page;
    inputs.outgoingHasCurrent = lists_.HasCurrent(app::FaxPage::Outgoing);
    inputs.outgoingCurrentHasCover = lists_.OutgoingCurrentHasCover();
    inputs.outgoingCurrentArchived = lists_.CurrentArchived(app::FaxPage::Outgoing);
    inputs.incomingHasCurrent = lists_.HasCurrent(app::FaxPage::Incoming);
    inputs.incomingCurrentArchived = lists_.CurrentArchived(app::FaxPage::Incoming);
    inputs.sendEnabledBefore = actions_[Command::Send]->isEnabled();
    const app::CommandStates states = app::ComputeCommandStates(inputs);

    const std::map<Command, bool> enabled = {
        {Command::Sort, states.sort},     {Command::NewCover, states.newCover}, {Command::AddCover, states.addCover},
        {Command::Send, states.send},     {Command::Delete, states.del},        {Command::Edit, states.edit},
        {Command::View, states.view},     {Command::Clone, states.clone},       {Command::Print, states.print},
        {Command::Archive, states.archive}, {Command::Forward, states.forward}};
    for (const auto& [command, on] : enabled) {
        actions_[command]->setEnabled(on);
        if (QPushButton* button = Button(command))
            button->setEnabled(on);
    }
    actions_[Command::Archive]->setText(QString::fromStdString(states.archiveCaption));
    // The sort check marks show the order each list really has, which also
    // changes without a sort command (an emptied list, then new faxes).
    using OutOrder = app::FaxLists::OutgoingOrder;
    using InOrder = app::FaxLists::IncomingOrder;
    const OutOrder outgoingOrder = lists_.GetOutgoingOrder();
    const InOrder incomingOrder = lists_.GetIncomingOrder();
    actions_[Command::SortDateSent]->setChecked(outgoingOrder == OutOrder::DateSent);
    actions_[Command::SortSubject]->setChecked(outgoingOrder == OutOrder::Subject);
    actions_[Command::SortRecipient]->setChecked(outgoingOrder == OutOrder::Recipient);
    actions_[Command::SortDateReceived]->setChecked(incomingOrder == InOrder::DateTime);
    actions_[Command::SortFrom]->setChecked(incomingOrder == InOrder::From);
    outgoingView_->setEnabled(inputs.outgoingHasCurrent);
    incomingView_->setEnabled(inputs.incomingHasCurrent);
    const bool receiving = receive_->Started();
    actions_[Command::ReceiveWithLog]->setEnabled(!receiving);
    actions_[Command::Receive]->setText(receiving ? "Stop Receiving Faxes" : "&Receive Faxes");
    buttons_[Command::Receive]->setText(receiving ? "STOP" : "&Receive");
    buttons_[Command::Receive]->setToolTip(receiving ? "Stop receiving faxes" : "Start receiving faxes");
}

// Commands that would touch the modem or the current incoming fax are refused
// in receive mode.
bool MainScreen::Guard()
{
    if (!receive_->Active())
        return true;
    ShowInformation(std::string(app::kReceiveModeGuard));
    return false;
}

void MainScreen::EditClicked()
{
    if (Page() == app::FaxPage::Incoming) {
        operations_.EditNotes(receive_->ReceivingNow());
    } else if (lists_.OutgoingCurrentHasCover()) {
        if (Guard())
            operations_.EditCover(false, settings_);
    } else {
        operations_.EditFaxInfo();
    }
    RefreshLists();
}

void MainScreen::NewCoverClicked()
{
    if (!Guard())
        return;
    operations_.EditCover(true, settings_);
    RefreshLists();
}

void MainScreen::AddCoverClicked()
{
    if (!Guard())
        return;
    operations_.EditCover(false, settings_);
    RefreshLists();
}

void MainScreen::CloneClicked()
{
    operations_.Clone();
    RefreshLists();
}

void MainScreen::DeleteClicked()
{
    operations_.Delete(Page(), receive_->ReceivingNow());
    RefreshLists();
}

void MainScreen::ArchiveClicked()
{
    operations_.Archive(Page(), receive_->ReceivingNow());
    RefreshLists();
}

void MainScreen::ForwardClicked()
{
    if (!Guard())
        return;
    if (operations_.Forward())
        SetPage(app::FaxPage::Outgoing);
    RefreshLists();
}

void MainScreen::ShowArchivedClicked()
{
    lists_.SetShowArchived(actions_[Command::ShowArchived]->isChecked());
    RefreshLists();
}

void MainScreen::SortClicked()
{
    QMenu* menu = Page() == app::FaxPage::Incoming ? incomingSortMenu_ : outgoingSortMenu_;
    QPushButton* button = buttons_[Command::Sort];
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void MainScreen::SortBy(Command command)
{
    using OutOrder = app::FaxLists::OutgoingOrder;
    using InOrder = app::FaxLists::IncomingOrder;
    if (command == Command::SortDateReceived || command == Command::SortFrom) {
        if (receive_->ReceivingNow()) {
            Beep();
            // Takes back the check mark the menu item toggled.
            UpdateCommands();
            return;
        }
        lists_.SetIncomingOrder(command == Command::SortFrom ? InOrder::From : InOrder::DateTime);
    } else {
        lists_.SetOutgoingOrder(command == Command::SortSubject     ? OutOrder::Subject
                                : command == Command::SortRecipient ? OutOrder::Recipient
                                                                    : OutOrder::DateSent);
    }
    // The check marks follow in UpdateCommands.
    RefreshLists();
}

void MainScreen::SendClicked()
{
    if (receive_->Active()) {
        ShowInformation(std::string(app::kSendInReceiveMode));
        return;
    }
    if (Page() == app::FaxPage::Incoming) {
        ShowInformation(std::string(app::kSendFromIncomingPage));
        return;
    }
    store::Table* table = lists_.Outgoing();
    if (!lists_.HasCurrent(app::FaxPage::Outgoing)) {
        Beep();
        return;
    }
    const std::uint32_t recno = table->RecNo();
    SetStatus(std::string(app::kPreparingFaxFiles));
    SetBusyCursor(true);
    const app::FaxOperations::SendFiles files = operations_.FilesToSend();
    if (!files.ok) {
        SetBusyCursor(false);
        ShowInformation(std::string(app::kErrorOpeningFaxFile));
        return;
    }
    SetStatus(std::string(app::kPreparingSendForm));
    SendFaxForm form(loop_, settings_, this);
    form.SetFaxFiles(files.first, files.second);
    form.SetRecipient(table->Text("RECIPIENT"), table->Text("SUBJECT"));
    form.SetPhoneNumber(table->Text("PHONE"));
    form.SetDialing(settings_.DialPrefix, settings_.PrefixDisable, settings_.DialSuffix, settings_.SuffixDisable);
    CenterDialog(form, this);
    SetBusyCursor(false);
    form.exec();

    form.TakeDialing(settings_.DialPrefix, settings_.PrefixDisable, settings_.DialSuffix, settings_.SuffixDisable);
    try {
        app::SaveSettings(settings_);
    } catch (const std::exception& e) {
        ShowInformation(e.what());
    }
    operations_.RecordSendResult(recno, form.ResultText(), form.PhoneNumber());
    RefreshLists();
}

// Receive mode updates the commands itself (ModeChanged) at each step.
void MainScreen::ReceiveClicked()
{
    if (receive_->Active())
        receive_->Stop();
    else
        receive_->Start(false);
}

void MainScreen::ReceiveWithLogClicked()
{
    if (!AskYesNo(std::string(app::kLoggingQuestion), std::string(app::kLoggingCaption), this))
        return;
    TellUserAboutReceiveLog::Show(this);
    receive_->Start(true);
}

void MainScreen::PhoneBookClicked()
{
    if (Guard())
        PhoneBook::Browse(this);
}

void MainScreen::CoverDesignerClicked()
{
    if (Guard())
        CoverDesMainScreen::Run(this);
}

void MainScreen::RebuildClicked()
{
    if (Guard())
        RebuildIndexes();
}

// Deleted faxes leave their records in the tables until a rebuild packs them.
void MainScreen::LogCleanupClicked()
{
    if (!Guard())
        return;
    if (DMForm::Run(lists_, this))
        RebuildIndexes();
    RefreshLists();
}

void MainScreen::AboutClicked()
{
    AboutForm::Show(this);
}

// The program's home page is shipped with it, so it is there offline and
// always matches the version installed. Without a browser it opens here.
void MainScreen::WebSiteClicked()
{
    if (!Guard())
        return;
    const app::HelpTopic home = app::HelpTopic::HomePage;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(ToQt(app::HelpFile(home)))))
        HelpWindow::ShowTopic(home, this);
}

void MainScreen::ConfigurationClicked()
{
    ConfigurationInfo::Show(this);
}

// The wizard saves the settings itself; its port tools need the modem, so
// receive mode must not hold it.
void MainScreen::PreferencesClicked()
{
    if (!Guard())
        return;
    const bool firstRun = firstRun_;
    firstRun_ = false;
    Preferences::Edit(loop_, settings_, firstRun, this);
    UpdateTrayIcon();
}

void MainScreen::QuickStartClicked()
{
    QuickStart::Show(this);
}

// Kept in memory only once the file holds it, so the two never differ.
void MainScreen::QuickAnalysisClicked()
{
    QuickSuggest form(settings_, this);
    CenterDialog(form, this);
    const int result = form.exec();
    if (result == QuickSuggest::kChanged) {
        app::SaveSettings(form.Result());
        settings_ = form.Result();
    } else if (result == QuickSuggest::kProblemSolver) {
        actions_.at(Command::TechnicalHelp)->trigger();
    }
}

void MainScreen::HintsClicked()
{
    settings_.On = actions_[Command::Hints]->isChecked();
    try {
        app::SaveSettings(settings_);
    } catch (const std::exception& e) {
        ShowInformation(e.what());
    }
}

void MainScreen::ExitClicked()
{
    close();
}

}  // namespace vl::ui
