#include "view/directory_list_view.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

#include "view/directory_list_model.h"
#include "view/directory_row_delegate.h"

namespace tandel {

DirectoryListView::DirectoryListView(int side, DirectoryListModel* model, QWidget* parent)
    : QTreeView(parent), side_(side == 2 ? 2 : 1), model_(model) {
    setObjectName(side_ == 1 ? QStringLiteral("list1") : QStringLiteral("list2"));
    setModel(model);
    setItemDelegate(new DirectoryRowDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setContextMenuPolicy(Qt::CustomContextMenu);

    QHeaderView* head = header();
    head->setStretchLastSection(false);
    head->setSectionsMovable(false);
    head->setSectionsClickable(true);
    head->setSortIndicatorShown(false);
    const int otherHalf = 1 - half();
    for (int c = 0; c < DirectoryListModel::kColumnsPerHalf; ++c)
        setColumnHidden(DirectoryListModel::columnOf(otherHalf, c), true);

    connect(head, &QHeaderView::sectionClicked, this, [this](int section) {
        const int column = section % DirectoryListModel::kColumnsPerHalf;
        if (column < 2)
            emit sortColumnClicked(column);
    });
    connect(head, &QHeaderView::sectionResized, this, [this](int section) {
        if (section == modelColumn(0) || section == modelColumn(1))
            emit columnsResized();
    });
    connect(this, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit rowActivated(index.row()); });
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { emit contextMenuWanted(viewport()->mapToGlobal(at)); });
}

int DirectoryListView::modelColumn(int column) const {
    return DirectoryListModel::columnOf(half(), column);
}

int DirectoryListView::topRow() const { return verticalScrollBar()->value(); }

void DirectoryListView::setTopRow(int row) { verticalScrollBar()->setValue(row); }

int DirectoryListView::rowsPerPage() const {
    const int step = verticalScrollBar()->pageStep();
    if (model_->rowCount() > 0 && verticalScrollBar()->maximum() > 0)
        return std::max(1, step);
    // With nothing to scroll the scroll bar knows no page: measure one.
    const int rowHeight = std::max(1, sizeHintForRow(0) > 0 ? sizeHintForRow(0)
                                                            : fontMetrics().height());
    return std::max(1, viewport()->height() / rowHeight);
}

ListColumnWidths DirectoryListView::columnWidths() const {
    return {columnWidth(modelColumn(0)), columnWidth(modelColumn(1))};
}

void DirectoryListView::setColumnWidths(const ListColumnWidths& widths, int thirdWidth) {
    setColumnWidth(modelColumn(0), widths.name);
    setColumnWidth(modelColumn(1), widths.date);
    setColumnWidth(modelColumn(2), thirdWidth);
}

std::vector<int> DirectoryListView::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows(modelColumn(0)))
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DirectoryListView::showRow(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    const QModelIndex index = model_->index(row, modelColumn(0));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
    setFocus();
}

void DirectoryListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    // The colour runs on past the last column to the list's edge.
    const QColor colour = rowColour(model_->half(index.row(), half()).state);
    if (colour.isValid())
        painter->fillRect(QRect(0, option.rect.y(), viewport()->width(), option.rect.height()),
                          colour);
    QTreeView::drawRow(painter, option, index);
}

} // namespace tandel
