#include "view/edit_cont.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QWheelEvent>

#include <algorithm>

#include "control/application.h"
#include "view/container_layout.h"
#include "view/diff_edit.h"
#include "view/diff_title.h"
#include "view/pane_group.h"
#include "view/position_bar.h"

namespace tandel {

namespace {

void place(QWidget* widget, const ui::Rect& r) {
    widget->setGeometry(r.x, r.y, std::max(0, r.width), std::max(0, r.height));
}

QTreeWidget* makeList(QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Date Modified"), QString()});
    return list;
}

} // namespace

edit_cont::edit_cont(Application& app, bool directoryWindow, QWidget* parent)
    : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("edcontainer"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    if (directoryWindow) {
        for (int s = 1; s <= 2; ++s) {
            lists_[index(s)] = makeList(this);
        }
        return;
    }
    group_ = new PaneGroup(app, this);
}

DiffEdit* edit_cont::pane(int side) const {
    return group_ != nullptr ? group_->pane(side) : nullptr;
}
DiffTitle* edit_cont::title(int side) const {
    return group_ != nullptr ? group_->title(side) : nullptr;
}
position_bar* edit_cont::positionBar() const {
    return group_ != nullptr ? group_->positionBar() : nullptr;
}
QTreeWidget* edit_cont::list(int side) const { return lists_[index(side)]; }

void edit_cont::setFonts(const QFont& text, const QFont& title) {
    if (group_ == nullptr) {
        return;
    }
    for (int s = 1; s <= 2; ++s) {
        group_->pane(s)->setFont(text);
        group_->title(s)->setFont(title);
    }
}

void edit_cont::relayout() {
    const int w = width();
    const int h = height();
    if (group_ == nullptr) {
        const ui::ListLayout layout = ui::listLayout(w, h);
        place(lists_[0], layout.list1);
        place(lists_[1], layout.list2);
        for (QTreeWidget* list : lists_) {
            list->setColumnWidth(
                2, ui::thirdColumnWidth(w, list->columnWidth(0), list->columnWidth(1)));
        }
        return;
    }
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const ui::PaneLayout layout = ui::paneLayout(w, h, app_.settings.record.titleHeight, extent);
    place(title(1), layout.title1);
    place(title(2), layout.title2);
    place(pane(1), layout.pane1);
    place(positionBar(), layout.positionBar);
    place(positionBar()->scrollBar(), layout.scrollBar);
    place(pane(2), layout.pane2);
}

void edit_cont::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void edit_cont::wheelEvent(QWheelEvent* event) {
    if (group_ == nullptr) {
        QWidget::wheelEvent(event);
        return;
    }
    group_->wheel(event->angleDelta().y());
    event->accept();
}

} // namespace tandel
