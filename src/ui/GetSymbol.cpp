#include "ui/GetSymbol.h"

#include <QFontDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/SymbolSelection.h"
#include "base/Cp1252.h"
#include "ui/DialogButtons.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

constexpr int kSymbolCount = app::kLastSymbolCode - app::kFirstSymbolCode + 1;

}  // namespace

GetSymbol::GetSymbol(const QFont& font, int code, QWidget* parent) : QDialog(parent), font_(font)
{
    setWindowTitle(QStringLiteral("Symbol Selector"));
    grid_ = new QTableWidget;
    grid_->setObjectName(QStringLiteral("symbols"));
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    fontButton_ = new QPushButton;
    fontButton_->setObjectName(QStringLiteral("font"));
    fontButton_->setAutoDefault(false);
    connect(fontButton_, &QPushButton::clicked, this, guard_.Slot([this] { FontClicked(); }));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(fontButton_);
    layout->addWidget(DialogButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
    Fill(code);
    resize(560, 440);
}

void GetSymbol::SetFont(const QFont& font)
{
    const int selected = Choice().code;
    font_ = font;
    Fill(selected);
}

// The grid holds the characters row by row; a character's place is its
// code less 32.
void GetSymbol::Fill(int selectedCode)
{
    const int columns = app::SymbolColumns(font_.pointSize());
    grid_->clear();
    grid_->setColumnCount(columns);
    grid_->setRowCount((kSymbolCount + columns - 1) / columns);
    grid_->setFont(font_);
    for (int i = 0; i < kSymbolCount; ++i) {
        const char byte = static_cast<char>(app::kFirstSymbolCode + i);
        auto* item = new QTableWidgetItem(ToQt(base::Cp1252ToUtf8(std::string_view(&byte, 1))));
        item->setTextAlignment(Qt::AlignCenter);
        grid_->setItem(i / columns, i % columns, item);
    }
    grid_->resizeColumnsToContents();
    grid_->resizeRowsToContents();
    const bool inRange = selectedCode >= app::kFirstSymbolCode && selectedCode <= app::kLastSymbolCode;
    const int index = inRange ? selectedCode - app::kFirstSymbolCode : 0;
    grid_->setCurrentCell(index / columns, index % columns);
    fontButton_->setText(ToQt(app::FontButtonCaption(FromQt(font_.family()), font_.pointSize(), font_.bold(),
                                                     font_.italic())));
}

SymbolChoice GetSymbol::Choice() const
{
    const int index = grid_->currentRow() * grid_->columnCount() + grid_->currentColumn();
    const bool valid = grid_->currentRow() >= 0 && index >= 0 && index < kSymbolCount;
    return {font_, app::kFirstSymbolCode + (valid ? index : 0)};
}

void GetSymbol::FontClicked()
{
    bool ok = false;
    const QFont picked = QFontDialog::getFont(&ok, font_, this, QStringLiteral("Font"));
    if (ok)
        SetFont(picked);
}

std::optional<SymbolChoice> GetSymbol::Choose(const QFont& font, int code, QWidget* mainWindow)
{
    GetSymbol form(font, code, mainWindow);
    if (!ExecCentred(form, mainWindow))
        return std::nullopt;
    return form.Choice();
}

}  // namespace vl::ui
