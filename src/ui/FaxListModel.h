// One fax list as a grid model: the visible records of a table in its order
// and filter, read a row at a time as the grid asks for them.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/FaxListColumns.h"
#include "store/FaxRecordColumns.h"

class QTableView;

namespace vl::store {
class Table;
}

namespace vl::ui {

class FaxListModel : public QAbstractTableModel {
public:
    FaxListModel(const std::vector<app::ListColumn>& columns, std::string programFolder, QObject* parent = nullptr);

    // Takes the table's records afresh (after any change); null empties the list.
    void Reload(store::Table* table);
    // The row of a record number, -1 when it is not listed.
    int RowOf(std::uint32_t recno) const;
    std::uint32_t RecordAt(int row) const;
    const std::vector<app::ListColumn>& Columns() const { return columns_; }
    // A column's width in pixels in the view's font: its width in
    // characters, widened to its title and, for dates and times, to the
    // widest value they can show.
    static int DefaultWidth(const QTableView& view, const app::ListColumn& column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        std::vector<QString> cells;
        bool archived = false;
    };
    const Row& RowData(int row) const;

    std::vector<app::ListColumn> columns_;
    std::string programFolder_;
    store::DateTimeFormat format_;
    store::Table* table_ = nullptr;
    std::vector<std::uint32_t> records_;
    // Rows read so far; reading one moves the table, so it is done once.
    mutable std::unordered_map<int, Row> cache_;
};

}  // namespace vl::ui
