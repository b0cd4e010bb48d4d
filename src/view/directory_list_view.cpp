#include "view/directory_list_view.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <array>

#include "view/directory_list_model.h"
#include "view/directory_row_delegate.h"

namespace tandel {

namespace {
// Left to right: the marker first, where the eye starts a row.
constexpr std::array<int, kColumnsPerList> kShownOrder = {kMarkerColumn, kNameColumn, kSizeColumn,
                                                          kDateColumn, kFillerColumn};
} // namespace

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
    // The hidden half keeps its places; this half's columns are put in order within its own.
    const int first = DirectoryListModel::columnOf(half(), 0);
    for (int i = 0; i < kColumnsPerList; ++i)
        head->moveSection(head->visualIndex(modelColumn(kShownOrder[static_cast<std::size_t>(i)])),
                          first + i);

    connect(head, &QHeaderView::sectionClicked, this, [this](int section) {
        const int column = section % DirectoryListModel::kColumnsPerHalf;
        if (column != kFillerColumn)
            emit sortColumnClicked(column);
    });
    connect(head, &QHeaderView::sectionResized, this, [this](int section) {
        if (section / DirectoryListModel::kColumnsPerHalf == half() &&
            section % DirectoryListModel::kColumnsPerHalf != kFillerColumn)
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

int DirectoryListView::topRow() const {
    return verticalScrollBar()->value();
}

void DirectoryListView::setTopRow(int row) {
    verticalScrollBar()->setValue(row);
}

int DirectoryListView::rowsPerPage() const {
    const int step = verticalScrollBar()->pageStep();
    if (model_->rowCount() > 0 && verticalScrollBar()->maximum() > 0)
        return std::max(1, step);
    // With nothing to scroll the scroll bar knows no page: measure one.
    const int rowHeight =
        std::max(1, sizeHintForRow(0) > 0 ? sizeHintForRow(0) : fontMetrics().height());
    return std::max(1, viewport()->height() / rowHeight);
}

ListColumnWidths DirectoryListView::columnWidths() const {
    return {columnWidth(modelColumn(kNameColumn)), columnWidth(modelColumn(kDateColumn)),
            columnWidth(modelColumn(kSizeColumn)), columnWidth(modelColumn(kMarkerColumn))};
}

void DirectoryListView::setColumnWidths(const ListColumnWidths& widths, int fillerWidth) {
    setColumnWidth(modelColumn(kNameColumn), widths.name);
    setColumnWidth(modelColumn(kDateColumn), widths.date);
    setColumnWidth(modelColumn(kSizeColumn), widths.size);
    setColumnWidth(modelColumn(kMarkerColumn), widths.marker);
    setColumnWidth(modelColumn(kFillerColumn), fillerWidth);
}

std::vector<int> DirectoryListView::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows(modelColumn(kNameColumn)))
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int DirectoryListView::selectedCurrentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isRowSelected(current.row(), {}) ? current.row()
                                                                                   : -1;
}

void DirectoryListView::selectOnly(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    selectionModel()->setCurrentIndex(model_->index(row, modelColumn(kNameColumn)),
                                      QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
}

void DirectoryListView::showRow(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    selectOnly(row);
    scrollTo(model_->index(row, modelColumn(kNameColumn)));
    setFocus();
}

void DirectoryListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    // The colour, or the selection band, runs on past the last column to the list's edge.
    const QRect band(0, option.rect.y(), viewport()->width(), option.rect.height());
    if (selectionModel()->isRowSelected(index.row(), {})) {
        painter->fillRect(band, option.palette.brush(QPalette::Active, QPalette::Highlight));
    } else if (const QColor colour = rowColour(model_->half(index.row(), half()).state);
               colour.isValid()) {
        painter->fillRect(band, colour);
    }
    QTreeView::drawRow(painter, option, index);
}

} // namespace tandel
