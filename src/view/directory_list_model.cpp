#include "view/directory_list_model.h"

#include <QColor>

#include "dialogs/options_text.h"

namespace tandel {

QColor rowColour(RowState state) {
    switch (state) {
    case ROW_DIFFERENT:
        return QColor(0, 255, 0);
    case ROW_ABSENT:
        return QColor(255, 255, 0);
    case ROW_UNREADABLE:
        return QColor(255, 150, 150);
    case ROW_SAME:
        break;
    }
    return {};
}

DirectoryListModel::DirectoryListModel(const std::vector<ComparisonRow>& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows) {}

void DirectoryListModel::fill(std::vector<int> order) {
    beginResetModel();
    order_ = std::move(order);
    endResetModel();
}

void DirectoryListModel::sortBy(int half, const ListSort& sort) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> before = order_;
    sortRows(order_, rows_, half, sort);
    // Where each comparison row went, so that selections follow their rows.
    std::vector<int> newPosition(rows_.size(), 0);
    for (std::size_t i = 0; i < order_.size(); ++i)
        newPosition[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from) {
        const int row = before[static_cast<std::size_t>(index.row())];
        to.append(this->index(newPosition[static_cast<std::size_t>(row)], index.column()));
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int DirectoryListModel::rowIndex(int listRow) const {
    return order_[static_cast<std::size_t>(listRow)];
}

const RowHalf& DirectoryListModel::half(int listRow, int half) const {
    return rows_[static_cast<std::size_t>(rowIndex(listRow))].half(half);
}

int DirectoryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int DirectoryListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2 * kColumnsPerHalf;
}

QVariant DirectoryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const RowHalf& h = half(index.row(), index.column() / kColumnsPerHalf);
    const int column = index.column() % kColumnsPerHalf;
    switch (role) {
    case Qt::DisplayRole:
        if (column == 0)
            return h.isLink ? textForEdit(h.path + " -> " + h.linkTarget) : textForEdit(h.path);
        if (column == 1)
            return textForEdit(h.dateText);
        return {};
    case Qt::BackgroundRole: {
        const QColor colour = rowColour(h.state);
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::UserRole:
        return rowIndex(index.row());
    default:
        return {};
    }
}

QVariant DirectoryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section % kColumnsPerHalf) {
    case 0:
        return QStringLiteral("Name");
    case 1:
        return QStringLiteral("Date Modified");
    default:
        return QString();
    }
}

} // namespace tandel
