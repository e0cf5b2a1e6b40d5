#include "ui/FaxListModel.h"

#include <QBrush>
#include <QColor>
#include <QTableView>
#include <algorithm>
#include <chrono>

#include "store/Table.h"
#include "ui/UiText.h"

namespace vl::ui {

FaxListModel::FaxListModel(const std::vector<app::ListColumn>& columns, std::string programFolder, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns), programFolder_(std::move(programFolder)),
      format_(store::UserDateTimeFormat())
{
}

void FaxListModel::Reload(store::Table* table)
{
    beginResetModel();
    table_ = table;
    cache_.clear();
    records_ = table ? app::VisibleRecords(*table) : std::vector<std::uint32_t>{};
    endResetModel();
}

int FaxListModel::DefaultWidth(const QTableView& view, const app::ListColumn& column)
{
    const QFontMetrics& metrics = view.fontMetrics();
    int width = std::max(column.widthChars * metrics.averageCharWidth(), metrics.horizontalAdvance(ToQt(column.title)));
    using namespace std::chrono;
    if (column.field.rfind("DATE", 0) == 0)
        width = std::max(width, metrics.horizontalAdvance(
                                    ToQt(store::UserDateTimeFormat().shortDate(year_month_day{year{2026} / 12 / 31}))));
    else if (column.field.rfind("TIME", 0) == 0)
        width = std::max(width, metrics.horizontalAdvance("00:00"));
    return width + 16;
}

int FaxListModel::RowOf(std::uint32_t recno) const
{
    const auto it = std::find(records_.begin(), records_.end(), recno);
    return it == records_.end() ? -1 : static_cast<int>(it - records_.begin());
}

std::uint32_t FaxListModel::RecordAt(int row) const
{
    return row >= 0 && row < static_cast<int>(records_.size()) ? records_[static_cast<std::size_t>(row)] : 0;
}

int FaxListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(records_.size());
}

int FaxListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const FaxListModel::Row& FaxListModel::RowData(int row) const
{
    if (const auto it = cache_.find(row); it != cache_.end())
        return it->second;
    Row data;
    // The table's current record is the one the commands act on: read the
    // row's record and go back to it.
    const std::uint32_t current = table_->RecNo();
    try {
        table_->Go(records_[static_cast<std::size_t>(row)]);
        for (const app::ListColumn& column : columns_)
            data.cells.push_back(QString::fromStdString(app::CellText(*table_, column, programFolder_, format_)));
        data.archived = table_->Logical("ARCHIVED");
    } catch (const std::exception&) {
        // A record that cannot be read shows empty rather than stopping the list.
        data.cells.assign(columns_.size(), QString());
    }
    try {
        table_->Go(current);
    } catch (const std::exception&) {
    }
    return cache_.emplace(row, std::move(data)).first->second;
}

QVariant FaxListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !table_ || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole) {
        const Row& row = RowData(index.row());
        return row.cells[static_cast<std::size_t>(index.column())];
    }
    if (role == Qt::ForegroundRole && RowData(index.row()).archived)
        return QBrush(QColor(Qt::red));  // the selection draws it in the highlight text colour
    return {};
}

QVariant FaxListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString();  // the row indicator column, without numbers
    return QString::fromStdString(columns_[static_cast<std::size_t>(section)].title);
}

}  // namespace vl::ui
