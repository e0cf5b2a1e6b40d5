#include "ui/PhoneBookModel.h"

#include "app/PhoneBookList.h"
#include "ui/UiText.h"

namespace vl::ui {

PhoneBookModel::PhoneBookModel(app::PhoneBookList& list, QObject* parent) : QAbstractTableModel(parent), list_(list)
{
}

void PhoneBookModel::Reload()
{
    beginResetModel();
    endResetModel();
}

int PhoneBookModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : list_.Count();
}

int PhoneBookModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant PhoneBookModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= list_.Count())
        return {};
    try {
        return ToQt(index.column() == 0 ? list_.Name(index.row()) : list_.Phone(index.row()));
    } catch (const std::exception&) {
        // A record that cannot be read shows empty rather than stopping the grid.
        return QString();
    }
}

QVariant PhoneBookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString();  // the row indicator column, without numbers
    return section == 0 ? QStringLiteral("Name") : QStringLiteral("Fax #");
}

}  // namespace vl::ui
