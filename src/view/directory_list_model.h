// One model over the comparison rows for both directory lists. Row r of the
// model is the same comparison row in both lists; columns 0 to 4 are the left
// half (see ListColumn: "Name", "Date Modified", untitled, "Size", "State"),
// 5 to 9 the right half, and each list shows its own five. No item exists
// per row: the texts are read from the rows as the lists paint. The texts
// are for the eye only (the name below its directory, a link as "name ->
// target", a name that is not UTF-8 in its Latin-1 reading); whatever acts
// on a row reaches its bytes through the row index.
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "dirmerge/comparison_row.h"
#include "dirmerge/directory_lists.h"

namespace tandel {

struct DirectoryOperationState;

class DirectoryListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnsPerHalf = kColumnsPerList;

    // `state` holds the rows of directory merging and the directories they
    // were listed from; it outlives the model, whose rows are only read at
    // the positions that fill() was given.
    explicit DirectoryListModel(const DirectoryOperationState& state, QObject* parent = nullptr);

    // Shows these comparison rows in this order.
    void fill(std::vector<int> order);
    // Orders the shown rows by one half; the selections move with their rows.
    void sortBy(int half, const ListSort& sort);
    // The shown rows were changed in place (a copy, a merge run).
    void rowsChanged();

    // The comparison row of each list row, in list order.
    const std::vector<int>& order() const { return order_; }
    int rowIndex(int listRow) const;
    const ComparisonRow& row(int listRow) const;
    const RowHalf& half(int listRow, int half) const;

    // The model column of a half's column.
    static int columnOf(int half, int column) { return half * kColumnsPerHalf + column; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString displayText(const ComparisonRow& row, int half, int column) const;
    QString toolTip(const ComparisonRow& row, int half, int column) const;

    const DirectoryOperationState& state_;
    std::vector<int> order_;
};

// The colour a half's state paints its row with; none for an equal half.
QColor rowColour(RowState state);

} // namespace tandel
