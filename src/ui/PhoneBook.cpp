#include "ui/PhoneBook.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/PhoneBookList.h"
#include "app/ProgramFolders.h"
#include "ui/DialogButtons.h"
#include "ui/HelpButton.h"
#include "ui/MessageBoxes.h"
#include "ui/PhoneBookEditor.h"
#include "ui/PhoneBookModel.h"
#include "ui/UiText.h"

namespace vl::ui {

PhoneBook::PhoneBook(Layout layout, const std::string& programFolder, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), list_(std::make_unique<app::PhoneBookList>(programFolder))
{
    setWindowTitle(QStringLiteral("Phone Book Browser"));
    auto* left = new QVBoxLayout;
    left->addLayout(BuildSearch());
    left->addWidget(BuildGrid(), 1);
    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left, 1);
    whole->addLayout(BuildButtons(layout));
    whole->setMenuBar(BuildMenu());
    resize(620, 440);
    Select(0);
    UpdateButtons();
    search_->setFocus();
}

PhoneBook::~PhoneBook() = default;

QLayout* PhoneBook::BuildSearch()
{
    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("Search"));
    search_->setMaxLength(35);
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::textEdited, this, [this](const QString& typed) { Search(typed); });
    auto* label = new QLabel(QStringLiteral("&Find:"));
    label->setBuddy(search_);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(search_, 1);
    return row;
}

QTableView* PhoneBook::BuildGrid()
{
    model_ = new PhoneBookModel(*list_, this);
    grid_ = new QTableView;
    grid_->setObjectName(QStringLiteral("Grid"));
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setTabKeyNavigation(false);
    // Rows of one height, so that a long book is laid out without reading it.
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->setFixedWidth(14);  // the row indicator column
    grid_->setColumnWidth(0, 50 * grid_->fontMetrics().averageCharWidth());
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->installEventFilter(this);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { UpdateButtons(); });
    return grid_;
}

QPushButton* PhoneBook::AddButton(QLayout* column, const char* caption, const char* name,
                                  void (PhoneBook::*command)())
{
    QPushButton* button = NamedButton(caption, name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, guard_.Slot([this, command] { (this->*command)(); }));
    column->addWidget(button);
    return button;
}

QLayout* PhoneBook::BuildButtons(Layout layout)
{
    auto* column = new QVBoxLayout;
    AddButton(column, "&New", "New", &PhoneBook::NewEntry);
    edit_ = AddButton(column, "&Edit", "Edit", &PhoneBook::EditEntry);
    delete_ = AddButton(column, "&Delete", "Delete", &PhoneBook::DeleteEntry);
    column->addSpacing(12);
    if (layout == Layout::Pick) {
        accept_ = AddButton(column, "&Accept", "Accept", &PhoneBook::AcceptEntry);
        accept_->setDefault(true);
    }
    QPushButton* close = NamedButton(layout == Layout::Pick ? "Cance&l" : "C&lose",
                                     layout == Layout::Pick ? "Cancel" : "Close");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    column->addWidget(close);
    column->addStretch(1);
    column->addWidget(HelpButton(QStringLiteral("&Help"), app::HelpTopic::PhoneBook, this));
    return column;
}

void PhoneBook::Browse(QWidget* mainWindow)
{
    PhoneBook window(Layout::Browse, app::ProgramFolder(), mainWindow);
    ExecCentred(window, mainWindow);
}

std::optional<PhoneBook::Entry> PhoneBook::Pick(QWidget* owner)
{
    PhoneBook window(Layout::Pick, app::ProgramFolder(), owner);
    if (!ExecCentred(window, owner))
        return std::nullopt;
    return window.Picked();
}

int PhoneBook::CurrentRow() const
{
    const int row = grid_->selectionModel()->currentIndex().row();
    return row < list_->Count() ? row : -1;
}

void PhoneBook::Select(int row, QAbstractItemView::ScrollHint hint)
{
    if (list_->Count() == 0)
        return;
    const QModelIndex index = model_->index(std::clamp(row, 0, list_->Count() - 1), 0);
    grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_->scrollTo(index, hint);
}

void PhoneBook::Reload(int row)
{
    list_->Refresh();
    model_->Reload();
    Select(row);
    UpdateButtons();
}

void PhoneBook::Search(const QString& typed)
{
    // The entry found in the middle, with its neighbours in name order
    // around it.
    const int row = list_->Find(FromQt(typed));
    if (row >= 0)
        Select(row, QAbstractItemView::PositionAtCenter);
}

void PhoneBook::UpdateButtons()
{
    const bool entries = list_->Count() > 0;
    edit_->setEnabled(entries);
    delete_->setEnabled(entries);
    if (accept_)
        accept_->setEnabled(entries);
}

void PhoneBook::NewEntry()
{
    std::string name, phone;
    if (PhoneBookEditor::Edit(name, phone, this))
        Reload(list_->Add(name, phone));
}

void PhoneBook::EditEntry()
{
    const int row = CurrentRow();
    if (row < 0) {
        QApplication::beep();
        return;
    }
    std::string name = list_->Name(row);
    std::string phone = list_->Phone(row);
    if (PhoneBookEditor::Edit(name, phone, this))
        Reload(list_->Change(row, name, phone));
}

void PhoneBook::DeleteEntry()
{
    const int row = CurrentRow();
    if (row < 0) {
        QApplication::beep();
        return;
    }
    if (AskYesNoDefaultNo("Delete the current phone book entry?:\r" + list_->Name(row), "Delete", this))
        list_->Remove(row);
    Reload(row);
}

void PhoneBook::AcceptEntry()
{
    const int row = CurrentRow();
    if (row < 0) {
        QApplication::beep();
        return;
    }
    picked_ = {list_->Name(row), list_->Phone(row)};
    accept();
}

void PhoneBook::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        UpdateButtons();
}

bool PhoneBook::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool typing = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (typing) {
            search_->setFocus();
            search_->insert(key->text());
            Search(search_->text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vl::ui
