#include "view/diff_edit.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "control/application.h"
#include "control/pane_commands.h"
#include "frame/command_ids.h"
#include "merge/comparison_driver.h"
#include "merge/side_loader.h"
#include "panes/line_expansion.h"
#include "panes/pane_actions.h"
#include "view/pane_group.h"
#include "view/pane_painter.h"
#include "view/row_layout.h"
#include "view/split_cursor.h"

namespace tandel {

namespace {

// How often a held button scrolls on while the mouse rests near an edge.
constexpr int kAutoscrollIntervalMs = 50;

std::vector<std::string> droppedFiles(const QMimeData& data) {
    std::vector<std::string> names;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile()) {
            names.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        }
    }
    return names;
}

} // namespace

DiffEdit::DiffEdit(const Application& app, PaneCommands& commands, PaneGroup& group, int side,
                   QWidget* parent)
    : QWidget(parent), app_(app), commands_(commands), group_(group), side_(side),
      horizontalBar_(new QScrollBar(Qt::Horizontal, this)), autoscrollTimer_(new QTimer(this)) {
    setObjectName(side == 2 ? QStringLiteral("edit2") : QStringLiteral("edit1"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::ClickFocus);
    setAcceptDrops(true);
    horizontalBar_->setObjectName(QStringLiteral("HorzScr"));
    horizontalBar_->setFocusPolicy(Qt::NoFocus);
    horizontalBar_->setRange(0, 0);
    autoscrollTimer_->setInterval(kAutoscrollIntervalMs);
    layout_ = std::make_unique<ui::RowLayout>(font());
    connect(autoscrollTimer_, &QTimer::timeout, this, [this] {
        // The release may have gone elsewhere (a popup took the mouse).
        if (QGuiApplication::mouseButtons().testFlag(Qt::LeftButton)) {
            dragTo(dragPosition_);
        } else {
            autoscrollTimer_->stop();
        }
    });
}

DiffEdit::~DiffEdit() = default;

void DiffEdit::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        layout_ = std::make_unique<ui::RowLayout>(font());
        // The rows' height and the columns that fit came with the font.
        countVisibleRows();
        syncHorizontalBar();
    }
    QWidget::changeEvent(event);
}

int DiffEdit::textHeight() const {
    return std::max(0, height() - horizontalBar_->height());
}

PaneMetrics DiffEdit::metrics() const {
    const SettingsRecord& record = app_.settings.record;
    return {record.lineHeight, record.charWidth, record.lineNumbers != 0};
}

void DiffEdit::scrollRows(std::int64_t d) {
    const QRect area(0, 0, width(), textHeight());
    if (std::llabs(d) >= app_.settings.record.visibleRows) {
        update(area);
        return;
    }
    scroll(0, static_cast<int>(d * app_.settings.record.lineHeight), area);
}

std::int64_t DiffEdit::visibleColumns() const {
    // A column is as wide as a digit, as in style sheets (in a fixed-width
    // font, as wide as every character), measured over a run of them since
    // advances may be fractions of a pixel.
    constexpr int kRun = 16;
    const double run = QFontMetricsF(font()).horizontalAdvance(QString(kRun, QLatin1Char('0')));
    return visibleColumnsOf(width(), run / kRun, metrics());
}

HorizontalExtent DiffEdit::horizontalExtent() const {
    return commands_.paneExtent(side_, visibleColumns());
}

void DiffEdit::syncHorizontalBar() {
    const HorizontalExtent extent = horizontalExtent();
    const auto columns =
        static_cast<int>(std::clamp<std::int64_t>(visibleColumns(), 1, kShownColumns));
    horizontalBar_->setRange(0, static_cast<int>(extent.barEnd));
    horizontalBar_->setPageStep(columns);
    horizontalBar_->setValue(
        horizontalScrollBarPosition(app_.model.side(side_).firstVisibleColumn, extent));
}

void DiffEdit::paintEvent(QPaintEvent* event) {
    const SideRecord& side = app_.model.side(side_);
    const SettingsRecord& record = app_.settings.record;
    const PaneMetrics m = metrics();
    const MergeModel& model = app_.model;
    if (side_ == 1 && model.side(1).fileName.empty() && model.side(2).fileName.empty()) {
        QPainter painter(this);
        ui::paintHint(painter, rect(), palette());
        return;
    }
    if (side.lineCount <= 0 || m.lineHeight <= 0) {
        return; // the background alone
    }
    QPainter painter(this);
    ui::PaneScene scene{&side,  record.topLine, effectiveTabSize(record.tabSize),
                        m,      width(),        fontMetrics().ascent(),
                        nullptr};
    scene.currentSegment = model.currentSegment;
    if (record.highlightChanges != 0) {
        scene.changedBytes = [this, rules = spanRulesFor(engineSwitches(app_))](std::int64_t row) {
            const PairSpans* pair = group_.changedSpans().displayRow(app_.model, rules, row);
            return pair == nullptr ? nullptr : side_ == 2 ? &pair->side2 : &pair->side1;
        };
    }
    const QRect area = event->rect();
    ui::paintRows(painter, *layout_, scene, palette(), area.top() / m.lineHeight,
                  area.bottom() / m.lineHeight);
    const TextSelection& selection = app_.frameState.selection;
    if (selection.side == side_) {
        ui::invertRects(painter, selectionRects(selection, record.topLine, record.visibleRows,
                                                side.firstVisibleColumn, width(), m));
    }
}

void DiffEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int barHeight = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    horizontalBar_->setGeometry(0, height() - barHeight, width(), barHeight);
    countVisibleRows();
    syncHorizontalBar();
    update();
}

void DiffEdit::countVisibleRows() {
    commands_.setVisibleRows(visibleRowsOf(height(), horizontalBar_->height(), metrics()));
    group_.syncVerticalBar();
}

std::int64_t DiffEdit::rowAt(int y) const {
    const int h = std::max(1, app_.settings.record.lineHeight);
    // Rounded down, so that a point above the pane is on a row above it.
    return y >= 0 ? y / h : -((-y + h - 1) / h);
}

SelectionPoint DiffEdit::hitAt(QPoint position) const {
    const SettingsRecord& record = app_.settings.record;
    // The same layout as painted: the row is laid out once, then measured.
    const std::u32string* laidOut = nullptr;
    return hitRow(app_.model.side(side_), record.topLine + rowAt(position.y()), position.x(),
                  effectiveTabSize(record.tabSize), metrics(),
                  [this, &laidOut](const std::u32string& shown, std::size_t count) {
                      if (laidOut != &shown) {
                          layout_->setText(shown);
                          laidOut = &shown;
                      }
                      return static_cast<std::int64_t>(std::lround(layout_->width(count)));
                  });
}

void DiffEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (QMenu* menu = group_.contextMenu()) {
            menu->popup(event->globalPosition().toPoint());
        }
        return;
    }
    if (event->button() != Qt::LeftButton || app_.frameState.splitArmed) {
        return;
    }
    dragPosition_ = event->position().toPoint();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        // Only Shift with the left button alone selects.
        if (modifiers == Qt::ShiftModifier && event->buttons() == Qt::LeftButton) {
            commands_.beginSelection(side_, hitAt(dragPosition_));
        }
        return;
    }
    commands_.click(side_, rowAt(dragPosition_.y()), modifiers.testFlag(Qt::ControlModifier));
}

void DiffEdit::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons().testFlag(Qt::LeftButton)) {
        dragTo(event->position().toPoint());
    }
}

void DiffEdit::dragTo(QPoint position) {
    dragPosition_ = position;
    const AutoscrollStep step =
        autoscrollFor(position.x(), position.y(), width(), height(), horizontalBar_->height());
    if (step.rows != 0) {
        group_.scrollVertically(step.rows < 0 ? VerticalScroll::LineUp : VerticalScroll::LineDown);
    }
    if (step.columns != 0) {
        group_.scrollHorizontally(side_, step.columns < 0 ? HorizontalScroll::LineLeft
                                                          : HorizontalScroll::LineRight);
    }
    if (step.rows == 0 && step.columns == 0) {
        autoscrollTimer_->stop();
    } else if (!autoscrollTimer_->isActive()) {
        autoscrollTimer_->start();
    }
    if (commands_.extendSelection(side_, hitAt(position))) {
        update();
    }
}

void DiffEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    autoscrollTimer_->stop();
    if (app_.frameState.splitArmed) {
        commands_.releaseSplit(rowAt(event->position().toPoint().y()));
        ui::showSplitCursor(window(), false);
        return;
    }
    commands_.endSelection();
}

void DiffEdit::wheelEvent(QWheelEvent* event) {
    group_.wheel(event->angleDelta().y());
    event->accept();
}

void DiffEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && app_.settings.record.directoryWalk == 0) {
        event->acceptProposedAction();
    }
}

void DiffEdit::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    commands_.drop(side_, droppedFiles(*event->mimeData()));
}

} // namespace tandel
