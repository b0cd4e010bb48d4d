#include "view/edit_cont.h"

#include <QStyle>
#include <QWheelEvent>

#include "control/application.h"
#include "view/base_pane.h"
#include "view/container_layout.h"
#include "view/diff_edit.h"
#include "view/diff_title.h"
#include "view/directory_window.h"
#include "view/pane_group.h"
#include "view/place_widget.h"
#include "view/position_bar.h"

namespace tandel {

edit_cont::edit_cont(const Application& app, PaneCommands& commands, QWidget* parent)
    : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("edcontainer"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    group_ = new PaneGroup(app, commands, this);
    basePane_ = new BasePane(app, this);
    basePane_->hide();
    // It follows the panes wherever they go.
    connect(group_, &PaneGroup::viewMoved, basePane_, [this] {
        if (basePane_->isVisible()) {
            basePane_->update();
        }
    });
}

edit_cont::edit_cont(const Application& app, DirectoryWindow* lists, QWidget* parent)
    : QWidget(parent), app_(app), directoryWindow_(lists) {
    setObjectName(QStringLiteral("edcontainer"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    lists->setParent(this);
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
DirectoryListView* edit_cont::list(int side) const {
    return directoryWindow_ != nullptr ? directoryWindow_->list(side) : nullptr;
}

void edit_cont::setFonts(const QFont& text, const QFont& title) {
    if (group_ == nullptr) {
        return;
    }
    for (int s = 1; s <= 2; ++s) {
        group_->pane(s)->setFont(text);
        group_->title(s)->setFont(title);
    }
    basePane_->setFont(text);
}

void edit_cont::updateBasePane() {
    if (basePane_ == nullptr) {
        return;
    }
    const bool wanted = app_.settings.record.basePane != 0 && app_.model.threeWay;
    if (wanted == basePane_->isHidden()) {
        basePane_->setVisible(wanted);
        relayout();
    }
    basePane_->update();
}

void edit_cont::relayout() {
    const int w = width();
    const int h = height();
    if (directoryWindow_ != nullptr) {
        ui::place(directoryWindow_, {0, 0, w, h});
        return;
    }
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // The base pane takes the lower third.
    const int baseHeight = !basePane_->isHidden() ? h / 3 : 0;
    ui::place(basePane_, {0, h - baseHeight, w, baseHeight});
    const ui::PaneLayout layout =
        ui::paneLayout(w, h - baseHeight, app_.settings.record.titleHeight, extent);
    ui::place(title(1), layout.title1);
    ui::place(title(2), layout.title2);
    ui::place(pane(1), layout.pane1);
    ui::place(positionBar(), layout.positionBar);
    ui::place(positionBar()->scrollBar(), layout.scrollBar);
    ui::place(pane(2), layout.pane2);
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
