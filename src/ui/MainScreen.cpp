#include "ui/MainScreen.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <functional>

#include "app/ColumnLayout.h"
#include "app/DefaultTemplates.h"
#include "app/FaxListTexts.h"
#include "app/PrinterDriverLink.h"
#include "app/ProgramFolders.h"
#include "base/MessageWindow.h"
#include "store/FaxRecordColumns.h"
#include "ui/ComSelectForm.h"
#include "ui/FaxListModel.h"
#include "ui/FaxNotifier.h"
#include "ui/HintTiming.h"
#include "ui/MessageBoxes.h"
#include "ui/QuickSetupForm.h"
#include "ui/RebuildInd.h"
#include "ui/ReceiveTrayIcon.h"
#include "ui/SingleInstance.h"
#include "ui/StartingFaxForm.h"
#include "ui/UiText.h"
#include "ui/WindowPlacement.h"

namespace vl::ui {

MainScreen::MainScreen(base::MessageLoop& loop, QWidget* parent)
    : QMainWindow(parent), loop_(loop), programFolder_(app::ProgramFolder()),
      operations_(lists_, *this, programFolder_),
      receive_(std::make_unique<session::ReceiveMode>(loop, settings_, static_cast<session::ReceiveModeUi&>(*this))),
      receiptCommands_(std::make_unique<ReceiptCommandRunner>(app::ProgramFile("receipt-command.log")))
{
    setWindowTitle("Vellora");
    BuildCommands();
    BuildMenus();
    BuildListMenu();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(BuildButtonBar());
    pages_ = new QStackedWidget(central);
    pages_->addWidget(BuildPage(app::FaxPage::Outgoing, ToQt(app::kOutgoingTitle), "#1f4fa8"));
    pages_->addWidget(BuildPage(app::FaxPage::Incoming, ToQt(app::kIncomingTitle), "#2e7d32"));
    layout->addWidget(pages_, 1);
    tabs_ = new QTabBar(central);
    tabs_->addTab(ToQt(app::kOutgoingTab));
    tabs_->addTab(ToQt(app::kIncomingTab));
    tabs_->setShape(QTabBar::RoundedSouth);
    layout->addWidget(tabs_);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        guard_.Run([this, index] {
            pages_->setCurrentIndex(index);
            UpdateCommands();
        });
    });
    setCentralWidget(central);
    statusBar();
    resize(900, 560);

    startingForm_ = new StartingFaxForm(this);
    connect(startingForm_, &StartingFaxForm::DoNotShowAgainToggled, this,
            [this](bool checked) { settings_.DisableReceivingFaxesNotification = checked; });
    BuildReceiveAnnouncements();
    ComSelectForm::AskForPortsOf(receive_->Port(), this);
    qApp->installEventFilter(this);
    FormCreate();
}

MainScreen::~MainScreen()
{
    receiptCommands_.reset();
    // Receive mode must let go of the port before the lists and the loop go.
    receive_.reset();
}

QWidget* MainScreen::BuildPage(app::FaxPage page, const QString& title, const QString& colour)
{
    auto* widget = new QWidget(this);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QLabel(title, widget);
    bar->setStyleSheet(QString("background: %1; color: white; font-weight: bold; padding: 4px;").arg(colour));
    layout->addWidget(bar);

    const bool outgoing = page == app::FaxPage::Outgoing;
    auto* model = new FaxListModel(outgoing ? app::OutgoingColumns() : app::IncomingColumns(), programFolder_, this);
    auto* view = new QTableView(widget);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->horizontalHeader()->setSectionsMovable(true);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->verticalHeader()->setFixedWidth(14);  // the row indicator column
    for (std::size_t i = 0; i < model->Columns().size(); ++i)
        view->setColumnWidth(static_cast<int>(i), FaxListModel::DefaultWidth(*view, model->Columns()[i]));
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            guard_.Slot([this, page] { CurrentRowChanged(page); }));
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this, page](const QPoint& position) {
        guard_.Run([this, page, position] { ListMenuRequested(page, position); });
    });
    if (outgoing) {
        connect(view, &QTableView::doubleClicked, this, guard_.Slot([this] { EditClicked(); }));
        outgoingView_ = view;
        outgoingModel_ = model;
    } else {
        incomingView_ = view;
        incomingModel_ = model;
    }
    layout->addWidget(view, 1);
    return widget;
}

// The notifier, and with it the session bus connection, comes with the first
// fax received (MainScreenDialogs.cpp).
void MainScreen::BuildReceiveAnnouncements()
{
    ReceiveTrayIcon::Commands commands;
    commands.show = guard_.Slot([this] { BringToFront(*this); });
    commands.stop = guard_.Slot([this] {
        if (receive_->Active())
            receive_->Stop();
    });
    tray_ = new ReceiveTrayIcon(std::move(commands), &QSystemTrayIcon::isSystemTrayAvailable, this);
}

void MainScreen::FormCreate()
{
    const app::FaxLists::OpenResult opened = lists_.Open(programFolder_);
    if (!opened.outgoingOk)
        ShowInformation(std::string(app::kOutgoingTableFailed));
    if (!opened.incomingOk)
        ShowInformation(std::string(app::kIncomingTableFailed));
    if (!opened.outgoingOk || !opened.incomingOk) {
        // The window closes itself once the message loop runs.
        tablesFailed_ = true;
        QTimer::singleShot(0, this, &QWidget::close);
    }
    ReadSettings();
    app::EnsureFaxFolders();
    app::InstallDefaultTemplates();
    Action(Command::Hints)->setChecked(settings_.On);
    ApplyHintTiming();
    RefreshLists();
}

void MainScreen::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!firstActivationPending_)
        return;
    if (!tablesFailed_) {
        QTimer::singleShot(0, this, guard_.Slot([this] { FirstActivation(); }));
        return;
    }
    // The window closes at once; its stored place is kept for the next start
    // by saving back what is restored here.
    firstActivationPending_ = false;
    guard_.Run([this] { RestorePlacement(*this, app::SettingsFileName()); });
}

void MainScreen::FirstActivation()
{
    if (!firstActivationPending_)
        return;
    ProcessMessages();
    RestorePlacement(*this, app::SettingsFileName());
    ImportPrinterDriverFaxes();
    raise();
    activateWindow();
    if (lists_.NeedsIndexRebuild())
        RebuildIndexes();
    RefreshLists();
    LoadColumnLayout();
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            guard_.Run([this] { ApplicationActivated(); });
    });
    try {
        app::WritePrinterDriverLink();
    } catch (const std::exception& e) {
        SetStatus(e.what());
    }
    if (firstRun_)
        guard_.Run([this] { QuickSetup(); });
    if (settings_.AtStartup) {
        try {
            receive_->Start(false);
        } catch (const std::exception&) {
            // Receive mode at start-up is a convenience; the user can start it by hand.
        }
    }
    firstActivationPending_ = false;
    UpdateCommands();
    if (!viewAfterStart_.empty())
        ViewFile(std::exchange(viewAfterStart_, std::string()));
}

void MainScreen::ReadSettings()
{
    try {
        app::LoadSettings(settings_);
    } catch (const std::exception&) {
        // Reads fall back to the defaults; nothing to report here.
    }
    if (settings_.ComPort == -1) {
        settings_.ComPort = 0;
        firstRun_ = true;
    }
}

void MainScreen::QuickSetup()
{
    ReadSettings();
    AfterQuickSetup(QuickSetupForm::Edit(loop_, settings_, this));
}

void MainScreen::AfterQuickSetup(int result)
{
    // Cancel leaves the first run pending: the preferences wizard then asks
    // the user to check port and class.
    if (result != QDialog::Accepted && result != QuickSetupForm::kPreferencesWizard)
        return;
    firstRun_ = false;
    app::SaveSettings(settings_);
    if (result == QuickSetupForm::kPreferencesWizard)
        PreferencesClicked();
}

void MainScreen::ApplicationActivated()
{
    if (firstActivationPending_)
        return;
    ImportPrinterDriverFaxes();
    UpdateCommands();
}

void MainScreen::ImportPrinted()
{
    guard_.Run([this] { ApplicationActivated(); });
}

void MainScreen::ImportPrinterDriverFaxes()
{
    // An import lets messages run between faxes, and an activation or the
    // print-to-fax tool's request may arrive then. Importing from inside
    // would take in the faxes the outer round is still working through a
    // second time; the outer round goes round again instead.
    if (importing_) {
        importAgain_ = true;
        return;
    }
    const QScopedValueRollback<bool> busy(importing_, true);
    do {
        importAgain_ = false;
        if (operations_.ImportPrinterDriverFaxes() > 0)
            RefreshLists();
    } while (importAgain_);
}

void MainScreen::RebuildIndexes()
{
    if (!lists_.Outgoing() || !lists_.Incoming())
        return;
    try {
        RebuildInd::Run(*lists_.Outgoing(), *lists_.Incoming(), programFolder_, this);
    } catch (const std::exception& e) {
        ShowInformation(e.what());
    }
    lists_.ApplyListFilter();
    RefreshLists();
}

void MainScreen::LoadColumnLayout()
{
    const app::ColumnLayout layout = app::LoadColumnLayout(programFolder_);
    QHeaderView* header = outgoingView_->horizontalHeader();
    const auto& columns = outgoingModel_->Columns();
    for (std::size_t position = 0; position < layout.fieldOrder.size(); ++position) {
        for (std::size_t logical = 0; logical < columns.size(); ++logical) {
            if (QString::fromStdString(columns[logical].field)
                    .compare(QString::fromStdString(layout.fieldOrder[position]), Qt::CaseInsensitive) != 0)
                continue;
            if (static_cast<int>(position) < header->count())
                header->moveSection(header->visualIndex(static_cast<int>(logical)), static_cast<int>(position));
        }
    }
    // The first width is the row indicator's, which keeps its own size here.
    for (std::size_t i = 1; i < layout.widths.size() && static_cast<int>(i) <= header->count(); ++i) {
        if (layout.widths[i] != app::kKeepWidth)
            header->resizeSection(header->logicalIndex(static_cast<int>(i - 1)), layout.widths[i]);
    }
}

void MainScreen::SaveColumnLayout()
{
    app::ColumnLayout layout;
    QHeaderView* header = outgoingView_->horizontalHeader();
    const auto& columns = outgoingModel_->Columns();
    layout.widths.push_back(outgoingView_->verticalHeader()->width());
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        const std::string& field = columns[static_cast<std::size_t>(logical)].field;
        if (field != app::kOutgoingFileColumn)
            layout.fieldOrder.push_back(field);
        layout.widths.push_back(header->sectionSize(logical));
    }
    // A lost layout only costs the user the column arrangement.
    app::SaveColumnLayout(programFolder_, layout);
}

void MainScreen::closeEvent(QCloseEvent* event)
{
    if (receive_->ReceivingNow() &&
        !AskYesNoDefaultNo(std::string(app::kCloseWhileReceiving), std::string(app::kCloseWhileReceivingCaption))) {
        event->ignore();
        return;
    }
    Shutdown(true);
    event->accept();
}

void MainScreen::EndWithoutQuestions()
{
    Shutdown(false);
    hide();
}

void MainScreen::Shutdown(bool interactive)
{
    const auto step = [this, interactive](const std::function<void()>& work) {
        if (interactive) {
            guard_.Run(work);
            return;
        }
        try {
            work();
        } catch (...) {
            // Ending on a request from outside: nobody is there to tell.
        }
    };
    step([this] {
        if (receive_->Active())
            receive_->Stop();
    });
    step([this] {
        // A window that never got to load the layout or its place (its
        // tables failed, or it ends before its first activation) must not
        // save the defaults over them.
        if (!tablesFailed_ && !firstActivationPending_)
            SaveColumnLayout();
        ProcessMessages();
        // The lists let go of the tables before they close.
        outgoingModel_->Reload(nullptr);
        incomingModel_->Reload(nullptr);
        lists_.Close();
        ProcessMessages();
    });
    step([this] {
        if (!firstActivationPending_)
            SavePlacement(*this, app::SettingsFileName());
    });
    step([this] { app::SaveSettings(settings_); });
}

bool MainScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !settings_.On)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

QString MainScreen::StatusText() const
{
    return statusBar()->currentMessage();
}

app::FaxPage MainScreen::Page() const
{
    return tabs_->currentIndex() == 1 ? app::FaxPage::Incoming : app::FaxPage::Outgoing;
}

void MainScreen::SetPage(app::FaxPage page)
{
    tabs_->setCurrentIndex(page == app::FaxPage::Incoming ? 1 : 0);
}

QTableView* MainScreen::List(app::FaxPage page) const
{
    return page == app::FaxPage::Incoming ? incomingView_ : outgoingView_;
}

void MainScreen::PutBackAfterFailure()
{
    // A reload closes the table, dropping the change that could not be
    // written, and reads it again from its file.
    lists_.ReloadOutgoing();
    lists_.ReloadIncoming();
    // The lists must let go of the closed tables whatever happens next.
    outgoingModel_->Reload(lists_.Outgoing());
    incomingModel_->Reload(lists_.Incoming());
    RefreshLists();
}

void MainScreen::RefreshLists()
{
    lists_.KeepOrders();
    outgoingModel_->Reload(lists_.Outgoing());
    incomingModel_->Reload(lists_.Incoming());
    SelectCurrentRecord(app::FaxPage::Outgoing);
    SelectCurrentRecord(app::FaxPage::Incoming);
    UpdateCommands();
}

void MainScreen::SelectCurrentRecord(app::FaxPage page)
{
    store::Table* table = page == app::FaxPage::Incoming ? lists_.Incoming() : lists_.Outgoing();
    FaxListModel* model = page == app::FaxPage::Incoming ? incomingModel_ : outgoingModel_;
    QTableView* view = List(page);
    if (!table || !lists_.HasCurrent(page))
        return;
    const int row = model->RowOf(table->RecNo());
    if (row < 0)
        return;
    const QSignalBlocker blocker(view->selectionModel());
    view->selectionModel()->setCurrentIndex(model->index(row, 0),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->viewport()->update();
}

void MainScreen::CurrentRowChanged(app::FaxPage page)
{
    store::Table* table = page == app::FaxPage::Incoming ? lists_.Incoming() : lists_.Outgoing();
    FaxListModel* model = page == app::FaxPage::Incoming ? incomingModel_ : outgoingModel_;
    const int row = List(page)->selectionModel()->currentIndex().row();
    if (!table || row < 0)
        return;
    try {
        table->Go(model->RecordAt(row));
    } catch (const std::exception&) {
    }
    UpdateCommands();
}

}  // namespace vl::ui
