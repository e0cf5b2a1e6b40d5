#include "ui/DMForm.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/DateSelector.h"
#include "ui/DeleteForConditions.h"
#include "ui/DialogButtons.h"
#include "ui/FaxListModel.h"
#include "ui/HelpButton.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

using store::CleanupPage;

namespace {

constexpr CleanupPage kPages[] = {CleanupPage::Outgoing, CleanupPage::Incoming};

// The hourglass while a pass runs, however it ends.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

DMForm::DMForm(app::FaxLists& lists, QWidget* parent)
    : QDialog(parent), lists_(lists), cleanup_(lists.ProgramFolder())
{
    setWindowTitle(QStringLiteral("Fax Log Cleanup Utility"));
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(BuildMenus());
    layout->addWidget(BuildPages(), 1);
    layout->addLayout(BuildButtons());
    resize(860, 460);
    RemoveFilters();
    SetPage(CleanupPage::Outgoing);
}

DMForm::~DMForm()
{
    try {
        RestoreFilters();
    } catch (const std::exception&) {
        // A filter the table took before takes again; nothing to tell here.
    }
}

QWidget* DMForm::BuildMenus()
{
    auto* bar = new QMenuBar(this);
    actions_ = bar->addMenu(QStringLiteral("Actions"));
    for (const app::CleanupItemInfo& info : app::CleanupItems()) {
        QAction* action = actions_->addAction(QString::fromUtf8(info.menuText.data(), info.menuText.size()));
        connect(action, &QAction::triggered, this, guard_.Slot([this, item = info.item] { ItemChosen(item); }));
        items_[info.item] = action;
    }
    popup_ = new QMenu(this);
    connect(popup_->addAction(QStringLiteral("Delete")), &QAction::triggered, this,
            guard_.Slot([this] { ItemChosen(app::CleanupItem::Current); }));
    return bar;
}

QWidget* DMForm::BuildPages()
{
    tabs_ = new QTabWidget(this);
    for (CleanupPage page : kPages)
        tabs_->addTab(BuildList(page), TabText(page));
    connect(tabs_, &QTabWidget::currentChanged, this, guard_.Slot([this] { UpdateState(); }));
    return tabs_;
}

QWidget* DMForm::BuildList(CleanupPage page)
{
    const bool outgoing = page == CleanupPage::Outgoing;
    auto* model = new FaxListModel(outgoing ? app::CleanupOutgoingColumns() : app::CleanupIncomingColumns(),
                                   lists_.ProgramFolder(), this);
    auto* view = new QTableView;
    view->setObjectName(outgoing ? QStringLiteral("outgoing") : QStringLiteral("incoming"));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->verticalHeader()->setFixedWidth(14);
    for (std::size_t i = 0; i < model->Columns().size(); ++i)
        view->setColumnWidth(static_cast<int>(i), FaxListModel::DefaultWidth(*view, model->Columns()[i]));
    // The selected row is the table's current record, which "Delete Current
    // Fax" acts on.
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, page, model](const QModelIndex& index) {
                guard_.Run([&] {
                    if (const uint32_t recno = model->RecordAt(index.row()))
                        TableOf(page).Go(recno);
                });
            });
    connect(view, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() == 0)
            guard_.Run([this] { ItemChosen(app::CleanupItem::Current); });
    });
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& at) { popup_->popup(view->viewport()->mapToGlobal(at)); });
    views_[Index(page)] = view;
    models_[Index(page)] = model;
    return view;
}

QLayout* DMForm::BuildButtons()
{
    QPushButton* close = NamedButton("Close", "close");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return RightAlignedRow({HelpButton(QStringLiteral("Help"), app::HelpTopic::LogCleanup, this), close});
}

store::Table& DMForm::TableOf(CleanupPage page)
{
    return *lists_.List(page == CleanupPage::Outgoing ? app::FaxPage::Outgoing : app::FaxPage::Incoming);
}

// Archived faxes are cleaned up too, so every fax is shown while the window
// is open.
void DMForm::RemoveFilters()
{
    for (CleanupPage page : kPages) {
        filters_[Index(page)] = TableOf(page).Filter();
        TableOf(page).SetFilter("");
        Reload(page);
    }
    filtersRemoved_ = true;
}

void DMForm::RestoreFilters()
{
    if (!std::exchange(filtersRemoved_, false))
        return;
    for (CleanupPage page : kPages) {
        TableOf(page).SetFilter(filters_[Index(page)]);
        lists_.KeepCurrentListed(page == CleanupPage::Outgoing ? app::FaxPage::Outgoing : app::FaxPage::Incoming);
    }
}

void DMForm::done(int result)
{
    guard_.Run([this] { RestoreFilters(); });
    QDialog::done(result);
}

CleanupPage DMForm::Page() const
{
    return tabs_->currentIndex() == 0 ? CleanupPage::Outgoing : CleanupPage::Incoming;
}

void DMForm::SetPage(CleanupPage page)
{
    tabs_->setCurrentIndex(Index(page));
    UpdateState();
}

QString DMForm::TabText(CleanupPage page) const
{
    const bool outgoing = page == CleanupPage::Outgoing;
    const FaxListModel* model = models_[Index(page)];
    if (model && model->rowCount() == 0)
        return outgoing ? QStringLiteral("OutGoing Faxes (none)") : QStringLiteral("Incoming Faxes (none)");
    return outgoing ? QStringLiteral("Outgoing Faxes") : QStringLiteral("Incoming Faxes");
}

void DMForm::Reload(CleanupPage page)
{
    store::Table& table = TableOf(page);
    FaxListModel& model = *models_[Index(page)];
    const uint32_t current = table.RecNo();
    model.Reload(&table);
    int row = model.RowOf(current);
    if (row < 0 && model.rowCount() > 0)
        row = 0;
    if (row >= 0)
        views_[Index(page)]->selectRow(row);
}

void DMForm::UpdateState()
{
    const bool outgoing = Page() == CleanupPage::Outgoing;
    for (const app::CleanupItemInfo& info : app::CleanupItems())
        items_[info.item]->setVisible(outgoing || !info.outgoingOnly);
    for (CleanupPage page : kPages) {
        QTableView* view = views_[Index(page)];
        const bool filled = models_[Index(page)]->rowCount() > 0;
        view->setEnabled(filled);
        view->setContextMenuPolicy(filled ? Qt::CustomContextMenu : Qt::NoContextMenu);
        tabs_->setTabText(Index(page), TabText(page));
    }
    actions_->menuAction()->setEnabled(views_[Index(Page())]->isEnabled());
}

void DMForm::ItemChosen(app::CleanupItem item)
{
    const CleanupPage page = Page();
    if (models_[Index(page)]->rowCount() == 0)
        return;
    if (item == app::CleanupItem::Current) {
        DeleteCurrent(page);
        return;
    }
    const std::string condition = ConditionFor(item, page);
    if (!condition.empty())
        DeleteWhere(page, condition);
}

std::string DMForm::ConditionFor(app::CleanupItem item, CleanupPage page)
{
    const std::string caption(app::CleanupItemOf(item).caption);
    if (item == app::CleanupItem::Conditions) {
        store::Table& table = TableOf(page);
        ConditionValues values;
        if (!table.Eof()) {
            if (page == CleanupPage::Outgoing)
                values = {"", table.Text("RECIPIENT"), table.Text("PHONE")};
            else
                values.from = table.Text("FROM");
        }
        return DeleteForConditions::Ask(page, values, this).value_or("");
    }
    if (item == app::CleanupItem::BeforeDate) {
        const std::optional<QDate> date = DateSelector::Ask(QStringLiteral("Delete all before..."), this);
        if (!date)
            return {};
        const std::string longDate = FromQt(QLocale().toString(*date, QLocale::LongFormat));
        if (!AskYesNo(app::CleanupQuestion(item, page, longDate), caption, this))
            return {};
        using namespace std::chrono;
        return store::BeforeDateCondition(
            page, year_month_day{year{date->year()}, month{static_cast<unsigned>(date->month())},
                                 day{static_cast<unsigned>(date->day())}});
    }
    if (!AskYesNo(app::CleanupQuestion(item, page), caption, this))
        return {};
    return std::string(app::FixedCleanupCondition(item));
}

void DMForm::DeleteCurrent(CleanupPage page)
{
    // The fax of the selected row, wherever the table has been moved since.
    const uint32_t recno = models_[Index(page)]->RecordAt(views_[Index(page)]->currentIndex().row());
    if (recno == 0)
        return;
    store::Table& table = TableOf(page);
    table.Go(recno);
    const app::CleanupItem item = app::CleanupItem::Current;
    if (!AskYesNo(app::CleanupQuestion(item, page), std::string(app::CleanupItemOf(item).caption), this))
        return;
    cleanup_.DeleteCurrent(table, page);
    Reload(page);
    UpdateState();
}

void DMForm::DeleteWhere(CleanupPage page, const std::string& condition)
{
    int count = 0;
    {
        const BusyCursor busy;
        count = cleanup_.DeleteMatching(TableOf(page), page, condition);
    }
    Reload(page);
    UpdateState();
    ShowInformation(std::to_string(count) + std::string(app::kDeletedSuffix), this);
}

bool DMForm::Run(app::FaxLists& lists, QWidget* mainWindow)
{
    DMForm form(lists, mainWindow);
    ExecCentred(form, mainWindow);
    return form.DeletedAnything();
}

}  // namespace vl::ui
