// The phone book grid's model: the columns "Name" and "Fax #" over the rows
// of a PhoneBookList, each cell read from the table when the grid paints it.
#pragma once

#include <QAbstractTableModel>

namespace vl::app {
class PhoneBookList;
}

namespace vl::ui {

class PhoneBookModel : public QAbstractTableModel {
public:
    explicit PhoneBookModel(app::PhoneBookList& list, QObject* parent = nullptr);

    // After any change to the list's rows.
    void Reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    app::PhoneBookList& list_;
};

}  // namespace vl::ui
