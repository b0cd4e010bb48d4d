#include "view/base_pane.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <string>
#include <vector>

#include "control/application.h"
#include "merge/base_lines.h"
#include "panes/line_expansion.h"
#include "panes/pane_geometry.h"
#include "view/pane_colors.h"
#include "view/row_layout.h"

namespace tandel {

BasePane::BasePane(const Application& app, QWidget* parent)
    : QWidget(parent), app_(app), layout_(std::make_unique<ui::RowLayout>(font())) {
    setObjectName(QStringLiteral("basePane"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

BasePane::~BasePane() = default;

void BasePane::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        layout_ = std::make_unique<ui::RowLayout>(font());
    }
    QWidget::changeEvent(event);
}

std::int64_t BasePane::topLine() const {
    return baseLineAtRow(app_.model, app_.settings.record.topLine);
}

int BasePane::rowsTop() const {
    return std::max(1, app_.settings.record.lineHeight) + 2;
}

void BasePane::paintLine(QPainter& painter, std::int64_t line, int y) {
    const SettingsRecord& record = app_.settings.record;
    const PaneMetrics metrics{record.lineHeight, record.charWidth, record.lineNumbers != 0};
    const int textLeft = static_cast<int>(textLeftEdge(metrics));
    const int ascent = fontMetrics().ascent();
    std::u32string shown;
    if (metrics.lineNumbers) {
        const std::string label = lineNumberLabel(line);
        shown.assign(label.begin(), label.end());
        layout_->setText(shown);
        painter.save();
        painter.setClipRect(QRect(0, y, textLeft, metrics.lineHeight), Qt::IntersectClip);
        layout_->draw(painter, QPointF(0, y + ascent));
        painter.restore();
    }
    // Sideways as far as the left pane.
    shownTextOf(app_.model.base.line(line), effectiveTabSize(record.tabSize),
                app_.model.side(1).firstVisibleColumn, shown);
    layout_->setText(shown);
    layout_->draw(painter, QPointF(textLeft, y + ascent));
}

void BasePane::paintEvent(QPaintEvent* /*event*/) {
    const SettingsRecord& record = app_.settings.record;
    const MergeModel& model = app_.model;
    const SideRecord& base = model.base;
    const int h = std::max(1, record.lineHeight);
    const int rowsAt = rowsTop();
    const int w = width();
    QPainter painter(this);
    const QPalette& colors = palette();
    painter.fillRect(0, 0, w, rowsAt, colors.color(QPalette::Window));
    painter.fillRect(0, rowsAt - 1, w, 1, colors.color(QPalette::Mid));
    painter.setPen(colors.color(QPalette::WindowText));
    painter.drawText(QRect(4, 0, w - 8, rowsAt - 1), Qt::AlignCenter,
                     QStringLiteral("Base: ") + QFile::decodeName(base.fileName.c_str()));
    if (base.binary) {
        return;
    }
    painter.setClipRect(QRect(0, rowsAt, w, height() - rowsAt));
    const std::int64_t top = topLine();
    const int rows = (height() - rowsAt + h - 1) / h;
    const std::vector<BaseSegment> marks = baseSegmentsIn(model, top, top + rows);
    const ui::RowColors plain = ui::rowColors(RowFill::None, colors);
    const ui::RowColors changed = ui::rowColors(RowFill::Green, colors);
    // Lines far off the pane are drawn just off it.
    const auto yOf = [&](std::int64_t line) {
        return rowsAt + static_cast<int>(std::clamp<std::int64_t>(line - top, -1, rows + 1)) * h;
    };
    const auto marked = [&](std::int64_t line) {
        return std::any_of(marks.begin(), marks.end(), [line](const BaseSegment& m) {
            return m.lines.first <= line && line < m.lines.end;
        });
    };
    for (const BaseSegment& mark : marks) {
        const std::int64_t first = std::max(mark.lines.first, top);
        const std::int64_t end = std::min(mark.lines.end, top + rows);
        if (first < end) {
            painter.fillRect(0, yOf(first), w, static_cast<int>(end - first) * h,
                             changed.background);
        }
    }

    for (std::int64_t line = top; line < top + rows && line < base.lineCount; ++line) {
        painter.setPen(marked(line) ? changed.text : plain.text);
        paintLine(painter, line, yOf(line));
    }

    // The current segment outlined as in the panes; a place where lines were
    // added is a line between two rows.
    const QColor current = colors.color(QPalette::Highlight);
    for (const BaseSegment& mark : marks) {
        const bool isCurrent = mark.segment == model.currentSegment;
        const int y = yOf(mark.lines.first);
        if (mark.lines.empty()) {
            painter.fillRect(0, y - 1, w, 2, isCurrent ? current : changed.changed);
        } else if (isCurrent) {
            const int bottom = yOf(mark.lines.end);
            painter.fillRect(0, y, 2, bottom - y, current);
            painter.fillRect(w - 2, y, 2, bottom - y, current);
            painter.fillRect(0, y, w, 2, current);
            painter.fillRect(0, bottom - 2, w, 2, current);
        }
    }
}

} // namespace tandel
