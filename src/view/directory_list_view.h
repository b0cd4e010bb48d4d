// One of the two directory lists: a report-style view of one half of the
// shared model, its rows coloured across the whole width by their state,
// the selected rows in a band of the selection colour, both scroll bars
// always shown, scrolled an item at a time. Its columns read "State",
// "Name", "Size", "Date Modified" and an untitled one to the right edge.
#pragma once

#include <QTreeView>

#include <vector>

#include "dirmerge/list_geometry.h"

namespace tandel {

class DirectoryListModel;

class DirectoryListView : public QTreeView {
    Q_OBJECT
public:
    // `side` 1 is the left list (left halves), 2 the right one.
    DirectoryListView(int side, DirectoryListModel* model, QWidget* parent);

    int side() const { return side_; }
    int half() const { return side_ - 1; }

    // The first row shown, and the rows one page shows.
    int topRow() const;
    void setTopRow(int row);
    int rowsPerPage() const;

    ListColumnWidths columnWidths() const;
    void setColumnWidths(const ListColumnWidths& widths, int fillerWidth);

    // The selected list rows, top to bottom.
    std::vector<int> selectedRows() const;
    // The current row while it is selected, else -1.
    int selectedCurrentRow() const;
    // Selects `row` alone and makes it current; the caller scrolls.
    void selectOnly(int row);
    // Selects `row` alone, shows it and takes the focus.
    void showRow(int row);

signals:
    // Double click or Enter on a row.
    void rowActivated(int listRow);
    // A click on the header of a column that sorts (a ListColumn).
    void sortColumnClicked(int column);
    // A titled column was resized by the user.
    void columnsResized();
    void contextMenuWanted(const QPoint& globalPosition);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;

private:
    int modelColumn(int column) const;

    int side_;
    DirectoryListModel* model_;
};

} // namespace tandel
