#include "view/directory_window.h"

#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>

#include "dirmerge/directory_merge.h"
#include "settings/settings_record.h"
#include "view/container_layout.h"
#include "view/directory_list_model.h"
#include "view/directory_list_view.h"

namespace tandel {

namespace {

QLabel* noteLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(6, 2, 6, 2);
    return label;
}

} // namespace

DirectoryWindow::DirectoryWindow(DirectoryMerge& directories, Settings& settings, QWidget* parent)
    : QWidget(parent), directories_(directories), settings_(settings),
      model_(new DirectoryListModel(directories.state, this)),
      lists_{new DirectoryListView(1, model_, this), new DirectoryListView(2, model_, this)},
      notice_(noteLabel("incompleteNote", this)), counts_(noteLabel("counts", this)) {
    // The warning's own colours, readable in light and dark palettes alike.
    notice_->setText(QStringLiteral("Scan cancelled: the list is incomplete. Press F5 to rescan."));
    notice_->setAutoFillBackground(true);
    QPalette warning = notice_->palette();
    warning.setColor(QPalette::Window, QColor(255, 224, 140));
    warning.setColor(QPalette::WindowText, Qt::black);
    notice_->setPalette(warning);
    notice_->hide();
    connectList(lists_[0], lists_[1]);
    connectList(lists_[1], lists_[0]);
    updateNotes();
}

DirectoryListView* DirectoryWindow::list(int side) const {
    return lists_[side == 2 ? 1 : 0];
}

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
    updateNotes();
}

void DirectoryWindow::rowsChanged() {
    model_->rowsChanged();
    updateNotes();
}

void DirectoryWindow::updateNotes() {
    counts_->setText(QString::fromStdString(countsLine(directories_.counts())));
    const bool incomplete = directories_.state.listIncomplete;
    if (incomplete != notice_->isVisibleTo(this)) {
        notice_->setVisible(incomplete);
        layOut();
    }
}

const std::vector<int>& DirectoryWindow::order() const {
    return model_->order();
}

void DirectoryWindow::activate(DirectoryListView* list, int listRow) {
    if (listRow < 0 || listRow >= model_->rowCount())
        return;
    // A child that could not be started is not reported.
    static_cast<void>(directories_.activateRow(
        model_->rowIndex(listRow), settings_.files.selectDir1, settings_.files.selectOutdir));
    list->setFocus();
}

void DirectoryWindow::sortBy(DirectoryListView* list, int column) {
    directories_.sort.click(column);
    model_->sortBy(list->half(), directories_.sort);
}

DirectoryListView* DirectoryWindow::selectingList() const {
    return lists_[1]->selectedRows().empty() ? lists_[0] : lists_[1];
}

void DirectoryWindow::step(bool forward) {
    DirectoryListView* chosen = selectingList();
    const int found =
        adjacentUnequalRow(order(), directories_.state.rows, chosen->selectedCurrentRow(),
                           lists_[0]->topRow(), forward);
    if (found < 0)
        return;
    chosen->selectOnly(found);
    chosen->setTopRow(
        topRevealing(chosen->topRow(), found, chosen->rowsPerPage(), model_->rowCount()));
    chosen->setFocus();
}

void DirectoryWindow::next() {
    step(true);
}

void DirectoryWindow::previous() {
    step(false);
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
            chosen.rows.push_back(model_->rowIndex(row));
        break;
    }
    return chosen;
}

void DirectoryWindow::showRow(int side, int row) {
    list(side)->showRow(row);
}

void DirectoryWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

bool DirectoryWindow::event(QEvent* event) {
    // The window passes its activation down to its children.
    if (event->type() == QEvent::WindowActivate && directories_.recheckMergeRuns())
        rowsChanged();
    return QWidget::event(event);
}

void DirectoryWindow::layOut() {
    const int w = width();
    const int noteHeight = notice_->isVisibleTo(this) ? notice_->sizeHint().height() : 0;
    const int countsHeight = counts_->sizeHint().height();
    notice_->setGeometry(0, 0, w, noteHeight);
    const int listsHeight = std::max(0, height() - noteHeight - countsHeight);
    counts_->setGeometry(0, noteHeight + listsHeight, w, countsHeight);
    const ui::ListLayout layout = ui::listLayout(w, listsHeight);
    for (int i = 0; i < 2; ++i) {
        const ui::Rect& r = i == 0 ? layout.list1 : layout.list2;
        lists_[i]->setGeometry(r.x, r.y + noteHeight, std::max(0, r.width), std::max(0, r.height));
    }
    if (w <= 0)
        return;
    for (DirectoryListView* list : lists_) {
        // The stored widths apply once the window's width is known.
        const ListColumnWidths widths =
            widthsPlaced_ ? list->columnWidths()
                          : startColumnWidths(settings_.geometry, list->side(), w);
        list->setColumnWidths(widths, fillerWidth(w, widths));
        recordColumnWidths(settings_.geometry, list->side(), widths);
    }
    widthsPlaced_ = true;
}

} // namespace tandel
