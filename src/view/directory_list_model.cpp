#include "view/directory_list_model.h"

#include <QColor>
#include <QLocale>

#include "dialogs/options_text.h"
#include "dirmerge/directory_state.h"
#include "dirmerge/row_kind.h"

namespace tandel {

QColor rowColour(RowState state) {
    switch (state) {
    case RowState::Different:
        return QColor(0, 255, 0);
    case RowState::Absent:
        return QColor(255, 255, 0);
    case RowState::Unreadable:
        return QColor(255, 150, 150);
    case RowState::Same:
        break;
    }
    return {};
}

DirectoryListModel::DirectoryListModel(const DirectoryOperationState& state, QObject* parent)
    : QAbstractTableModel(parent), state_(state) {}

void DirectoryListModel::fill(std::vector<int> order) {
    beginResetModel();
    order_ = std::move(order);
    endResetModel();
}

void DirectoryListModel::sortBy(int half, const ListSort& sort) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> before = order_;
    sortRows(order_, state_.rows, half, sort);
    // Where each comparison row went, so that selections follow their rows.
    std::vector<int> newPosition(state_.rows.size(), 0);
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

void DirectoryListModel::rowsChanged() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int DirectoryListModel::rowIndex(int listRow) const {
    return order_[static_cast<std::size_t>(listRow)];
}

const ComparisonRow& DirectoryListModel::row(int listRow) const {
    return state_.rows[static_cast<std::size_t>(rowIndex(listRow))];
}

const RowHalf& DirectoryListModel::half(int listRow, int half) const {
    return row(listRow).half(half);
}

int DirectoryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int DirectoryListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2 * kColumnsPerHalf;
}

QString DirectoryListModel::displayText(const ComparisonRow& row, int half, int column) const {
    const RowHalf& h = row.half(half);
    switch (column) {
    case kNameColumn: {
        const std::string name =
            relativeName(h.path, half == 0 ? state_.listedDir1 : state_.listedDir2);
        return textForEdit(h.isLink ? name + " -> " + h.linkTarget : name);
    }
    case kDateColumn:
        return textForEdit(h.dateText);
    case kSizeColumn:
        return h.sizeKnown ? QLocale().toString(static_cast<qulonglong>(h.size)) : QString();
    case kMarkerColumn:
        return QString::fromStdString(markerText(row, half));
    default:
        return {};
    }
}

QString DirectoryListModel::toolTip(const ComparisonRow& row, int half, int column) const {
    const RowHalf& h = row.half(half);
    if (column == kMarkerColumn)
        return QString::fromStdString(markerTip(row, half));
    if (column != kNameColumn || h.path.empty())
        return {};
    return textForEdit(h.isLink ? h.path + " -> " + h.linkTarget : h.path);
}

QVariant DirectoryListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ComparisonRow& r = row(index.row());
    const int half = index.column() / kColumnsPerHalf;
    const int column = index.column() % kColumnsPerHalf;
    switch (role) {
    case Qt::DisplayRole:
        return displayText(r, half, column);
    case Qt::ToolTipRole: {
        const QString tip = toolTip(r, half, column);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::TextAlignmentRole:
        return column == kSizeColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::BackgroundRole: {
        const QColor colour = rowColour(r.half(half).state);
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::UserRole:
        return rowIndex(index.row());
    default:
        return {};
    }
}

QVariant DirectoryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    const int column = section % kColumnsPerHalf;
    if (role == Qt::TextAlignmentRole)
        return column == kSizeColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    switch (column) {
    case kNameColumn:
        return QStringLiteral("Name");
    case kDateColumn:
        return QStringLiteral("Date Modified");
    case kSizeColumn:
        return QStringLiteral("Size");
    case kMarkerColumn:
        return QStringLiteral("State");
    default:
        return QString();
    }
}

} // namespace tandel
