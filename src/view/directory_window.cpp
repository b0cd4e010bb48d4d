#include "view/directory_window.h"

#include <QMenu>
#include <QScrollBar>

#include <algorithm>

#include "dirmerge/directory_merge.h"
#include "settings/settings_record.h"
#include "view/container_layout.h"
#include "view/directory_list_model.h"
#include "view/directory_list_view.h"

namespace tandel {

DirectoryWindow::DirectoryWindow(DirectoryMerge& directories, Settings& settings, QWidget* parent)
    : QWidget(parent),
      directories_(directories),
      settings_(settings),
      model_(new DirectoryListModel(directories.state.rows, this)),
      lists_{new DirectoryListView(1, model_, this), new DirectoryListView(2, model_, this)} {
    connectList(lists_[0], lists_[1]);
    connectList(lists_[1], lists_[0]);
}

DirectoryListView* DirectoryWindow::list(int side) const { return lists_[side == 2 ? 1 : 0]; }

void DirectoryWindow::connectList(DirectoryListView* list, DirectoryListView* other) {
    // The other list's top row follows; both have the same rows and height.
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, other,
            [other](int top) { other->setTopRow(top); });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, other](const QItemSelection& selected) {
                if (clearingOther_ || selected.isEmpty())
                    return;
                clearingOther_ = true;
                other->clearSelection();
                clearingOther_ = false;
            });
    connect(list, &DirectoryListView::rowActivated, this,
            [this, list](int row) { activate(list, row); });
    connect(list, &DirectoryListView::sortColumnClicked, this,
            [this, list](int column) { sortBy(list, column); });
    connect(list, &DirectoryListView::columnsResized, this, [this, list] {
        recordColumnWidths(settings_.geometry, list->side(), list->columnWidths());
    });
    connect(list, &DirectoryListView::contextMenuWanted, this, [this](const QPoint& at) {
        if (contextMenu_ != nullptr)
            contextMenu_->popup(at);
    });
}

void DirectoryWindow::fill() {
    model_->fill(directories_.shownRows());
}

const std::vector<int>& DirectoryWindow::order() const { return model_->order(); }

void DirectoryWindow::activate(DirectoryListView* list, int listRow) {
    if (listRow < 0 || listRow >= model_->rowCount())
        return;
    // A child that could not be started is not reported.
    [[maybe_unused]] const int started = directories_.activateRow(
        model_->rowIndex(listRow), settings_.files.selectDir1, settings_.files.selectOutdir);
    list->setFocus();
}

void DirectoryWindow::sortBy(DirectoryListView* list, int column) {
    directories_.sort.click(column);
    model_->sortBy(list->half(), directories_.sort);
}

void DirectoryWindow::revealLeftRow(int listRow) {
    DirectoryListView* left = lists_[0];
    left->setTopRow(
        topRevealing(left->topRow(), listRow, left->rowsPerPage(), model_->rowCount()));
}

void DirectoryWindow::next() {
    const int found = findNextRow(order(), directories_.state.rows, lists_[0]->topRow());
    if (found >= 0)
        revealLeftRow(found);
}

void DirectoryWindow::previous() {
    const int found = findPreviousRow(order(), directories_.state.rows, lists_[0]->topRow());
    if (found >= 0)
        revealLeftRow(found);
}

void DirectoryWindow::scrollByKey(PaneKey key) {
    DirectoryListView* left = lists_[0];
    left->setTopRow(topAfterKey(key, left->topRow(), left->rowsPerPage(), model_->rowCount()));
}

ListSelection DirectoryWindow::selection() const {
    ListSelection chosen;
    for (DirectoryListView* list : lists_) {
        const std::vector<int> rows = list->selectedRows();
        if (rows.empty())
            continue;
        chosen.side = list->side();
        for (int row : rows)
            chosen.itemTexts.push_back(model_->half(row, list->half()).path);
        break;
    }
    return chosen;
}

void DirectoryWindow::showRow(int side, int row) { list(side)->showRow(row); }

void DirectoryWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void DirectoryWindow::layOut() {
    const int w = width();
    const ui::ListLayout layout = ui::listLayout(w, height());
    for (int i = 0; i < 2; ++i) {
        const ui::Rect& r = i == 0 ? layout.list1 : layout.list2;
        lists_[i]->setGeometry(r.x, r.y, std::max(0, r.width), std::max(0, r.height));
    }
    if (w <= 0)
        return;
    for (DirectoryListView* list : lists_) {
        // The stored widths apply once the window's width is known.
        const ListColumnWidths widths = widthsPlaced_
                                            ? list->columnWidths()
                                            : startColumnWidths(settings_.geometry, list->side(), w);
        list->setColumnWidths(widths, ui::thirdColumnWidth(w, widths.name, widths.date));
        recordColumnWidths(settings_.geometry, list->side(), widths);
    }
    widthsPlaced_ = true;
}

} // namespace tandel
