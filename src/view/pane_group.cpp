#include "view/pane_group.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

#include "control/application.h"
#include "panes/pane_actions.h"
#include "view/diff_edit.h"
#include "view/diff_title.h"
#include "view/position_bar.h"
#include "view/scroll_keys.h"

namespace tandel {

namespace {

std::optional<VerticalScroll> verticalCode(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return VerticalScroll::LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return VerticalScroll::LineDown;
    case QAbstractSlider::SliderPageStepSub:
        return VerticalScroll::PageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return VerticalScroll::PageDown;
    case QAbstractSlider::SliderMove:
        return VerticalScroll::Thumb;
    case QAbstractSlider::SliderToMinimum:
        return VerticalScroll::Top;
    case QAbstractSlider::SliderToMaximum:
        return VerticalScroll::Bottom;
    default:
        return std::nullopt;
    }
}

std::optional<HorizontalScroll> horizontalCode(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return HorizontalScroll::LineLeft;
    case QAbstractSlider::SliderSingleStepAdd:
        return HorizontalScroll::LineRight;
    case QAbstractSlider::SliderPageStepSub:
        return HorizontalScroll::PageLeft;
    case QAbstractSlider::SliderPageStepAdd:
        return HorizontalScroll::PageRight;
    case QAbstractSlider::SliderMove:
        return HorizontalScroll::Thumb;
    case QAbstractSlider::SliderToMinimum:
        return HorizontalScroll::LeftEnd;
    case QAbstractSlider::SliderToMaximum:
        return HorizontalScroll::RightEnd;
    default:
        return std::nullopt;
    }
}

} // namespace

PaneGroup::PaneGroup(const Application& app, PaneCommands& commands, QWidget* container)
    : QObject(container), app_(app), commands_(commands) {
    for (std::size_t i = 0; i < 2; ++i) {
        const int s = static_cast<int>(i) + 1;
        titles_[i] = new DiffTitle(app, s, container);
        panes_[i] = new DiffEdit(app, commands, *this, s, container);
    }
    positionBar_ = new position_bar(app, container);
    QScrollBar* vertical = positionBar_->scrollBar();
    vertical->setFocusPolicy(Qt::NoFocus);
    // The wheel moves as many rows over the bar as over the panes.
    vertical->installEventFilter(this);
    connect(vertical, &QAbstractSlider::actionTriggered, this,
            [this, vertical](int action) { followBar(vertical, 0, action); });
    for (int s = 1; s <= 2; ++s) {
        QScrollBar* horizontal = pane(s)->horizontalBar();
        connect(horizontal, &QAbstractSlider::actionTriggered, this,
                [this, horizontal, s](int action) { followBar(horizontal, s, action); });
    }
    syncVerticalBar();
}

// The bar has moved its slider for the action already; the codes decide
// where the view goes, and the slider is put where the view went before the
// bar takes its value from it.
void PaneGroup::followBar(QScrollBar* bar, int side, int action) {
    const std::int64_t thumb = bar->sliderPosition();
    if (side == 0) {
        if (const std::optional<VerticalScroll> code = verticalCode(action)) {
            scrollVertically(*code, thumb);
        }
        bar->setSliderPosition(app_.settings.record.topLine + 1);
        return;
    }
    if (const std::optional<HorizontalScroll> code = horizontalCode(action)) {
        scrollHorizontally(side, *code, thumb);
    }
    bar->setSliderPosition(horizontalScrollBarPosition(app_.model.side(side).firstVisibleColumn,
                                                       pane(side)->horizontalExtent()));
}

void PaneGroup::scrollToLine(std::int64_t t) {
    const SettingsRecord& record = app_.settings.record;
    const std::int32_t top = clampTopLine(t, record.rowCount);
    const std::int64_t d = static_cast<std::int64_t>(record.topLine) - top;
    commands_.setTopLine(top);
    syncVerticalBar();
    if (d == 0) {
        return;
    }
    for (DiffEdit* p : panes_) {
        p->scrollRows(d);
    }
    emit viewMoved();
}

void PaneGroup::scrollVertically(VerticalScroll code, std::int64_t thumb) {
    const SettingsRecord& record = app_.settings.record;
    scrollToLine(
        verticalScrollTarget(code, record.topLine, record.visibleRows, record.rowCount, thumb));
}

void PaneGroup::scrollHorizontally(int side, HorizontalScroll code, std::int64_t thumb) {
    const std::array<bool, 2> changed =
        commands_.scrollSideways(side, code, pane(side)->visibleColumns(), thumb);
    for (int s = 1; s <= 2; ++s) {
        if (changed[static_cast<std::size_t>(s - 1)]) {
            pane(s)->syncHorizontalBar();
            pane(s)->update();
        }
    }
    if (changed[0]) {
        emit viewMoved();
    }
}

void PaneGroup::wheel(int delta) {
    const std::int64_t change = wheel_.topLineChange(delta, QApplication::wheelScrollLines());
    if (change != 0) {
        scrollToLine(app_.settings.record.topLine + change);
    }
}

bool PaneGroup::key(const QKeyEvent& event) {
    const std::optional<PaneKey> k = ui::scrollKeyOf(event);
    if (!k) {
        return false;
    }
    if (const std::optional<VerticalScroll> code = verticalScrollForKey(*k)) {
        scrollVertically(*code);
    } else if (const std::optional<HorizontalScroll> across = horizontalScrollForKey(*k)) {
        scrollHorizontally(sideUnderMouse(), *across);
    }
    return true;
}

int PaneGroup::sideUnderMouse() const {
    const DiffEdit* first = pane(1);
    return first->rect().contains(first->mapFromGlobal(QCursor::pos())) ? 1 : 2;
}

void PaneGroup::repaintPanes() {
    for (DiffEdit* p : panes_) {
        p->syncHorizontalBar();
        p->update();
    }
    emit viewMoved();
}

void PaneGroup::syncVerticalBar() {
    if (positionBar_ == nullptr) {
        return; // still being built
    }
    const SettingsRecord& record = app_.settings.record;
    QScrollBar* bar = positionBar_->scrollBar();
    bar->setRange(1, std::max(1, record.rowCount));
    bar->setPageStep(std::max(1, record.visibleRows));
    bar->setValue(record.topLine + 1);
}

bool PaneGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched == positionBar_->scrollBar()) {
        wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tandel
