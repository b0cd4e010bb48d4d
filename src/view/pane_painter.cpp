#include "view/pane_painter.h"

#include <QPainter>
#include <QPalette>

#include <cmath>

#include "panes/line_expansion.h"
#include "panes/pane_rows.h"
#include "view/pane_colors.h"
#include "view/row_layout.h"

namespace tandel::ui {

namespace {

// LEFT-TO-RIGHT OVERRIDE: the row is not reordered by the bidirectional
// algorithm, so hit testing by prefix widths stays true.
constexpr char16_t kLeftToRightOverride = 0x202D;

// Fills the darker shade behind the row's changed characters, on whole
// pixels so that the shade's edges stay crisp.
void markChanged(QPainter& painter, const RowLayout& layout, const PaneScene& scene,
                 std::int64_t display, std::int64_t line, int y, const QColor& shade) {
    const std::vector<ByteSpan>* bytes = scene.changedBytes(display);
    if (bytes == nullptr || bytes->empty()) {
        return;
    }
    const SideRecord& side = *scene.side;
    const auto textLeft = static_cast<qreal>(textLeftEdge(scene.metrics));
    for (const ColumnSpan& span :
         shownColumnSpans(side.shownLine(line), scene.tabSize, side.firstVisibleColumn, *bytes)) {
        const auto left =
            std::lround(textLeft + layout.width(static_cast<std::size_t>(span.first)));
        const auto right =
            std::lround(textLeft + layout.width(static_cast<std::size_t>(span.last)));
        painter.fillRect(static_cast<int>(left), y, static_cast<int>(right - left),
                         scene.metrics.lineHeight, shade);
    }
}

// The current segment's outline, row by row so that a partial repaint draws
// its part: both sides always, the top on its first row, the bottom on its
// last.
void outlineCurrent(QPainter& painter, const PaneScene& scene, std::int64_t display, int y,
                    const QColor& ink) {
    const int h = scene.metrics.lineHeight;
    const int w = scene.width;
    constexpr int kPen = 2;
    painter.fillRect(0, y, kPen, h, ink);
    painter.fillRect(w - kPen, y, kPen, h, ink);
    if (display == 0 || describeRow(*scene.side, display - 1).segment != scene.currentSegment) {
        painter.fillRect(0, y, w, kPen, ink);
    }
    if (describeRow(*scene.side, display + 1).segment != scene.currentSegment) {
        painter.fillRect(0, y + h - kPen, w, kPen, ink);
    }
}

// The mark of a segment the three-way merge decided: an "A" in a box at the
// right edge on its first row, a line down from the box on the rows below,
// inside the current segment's outline.
void markAutomatic(QPainter& painter, const PaneScene& scene, AutomaticMark mark, int y) {
    if (mark == AutomaticMark::None) {
        return;
    }
    const int h = scene.metrics.lineHeight;
    const int left = scene.width - 4 - h;
    const QColor ink(0x50, 0x50, 0x50);
    if (mark == AutomaticMark::Stripe) {
        painter.fillRect(left + h / 2 - 1, y, 2, h, ink);
        return;
    }
    const QRect box(left, y + 1, h, h - 2);
    painter.fillRect(box, ink);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("A"));
}

} // namespace

void paintHint(QPainter& painter, const QRect& area, const QPalette& palette) {
    painter.setPen(palette.color(QPalette::PlaceholderText));
    painter.drawText(area.adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("Open file 1 (Ctrl+F1) and file 2 (Ctrl+F2),\n"
                                    "or drop a file on each pane.\n\n"
                                    "Compare two folders with Compare Dirs (Ctrl+O)."));
}

void paintRows(QPainter& painter, RowLayout& layout, const PaneScene& scene,
               const QPalette& palette, int firstRow, int lastRow) {
    const SideRecord& side = *scene.side;
    const int h = scene.metrics.lineHeight;
    const int textLeft = static_cast<int>(textLeftEdge(scene.metrics));
    std::u32string shown;
    for (int i = firstRow; i <= lastRow; ++i) {
        const PaneRow row = describeRow(side, scene.topLine + i);
        if (row.kind == PaneRowKind::PastEnd) {
            break;
        }
        const int y = i * h;
        const RowColors colors = rowColors(row.fill, palette);
        if (colors.background.isValid()) {
            painter.fillRect(0, y, scene.width, h, colors.background);
        }
        if (row.segment >= 0 && row.segment == scene.currentSegment) {
            outlineCurrent(painter, scene, scene.topLine + i, y,
                           palette.color(QPalette::Highlight));
        }
        // Drawn over the row's text, which may run under it.
        const AutomaticMark mark =
            row.automatic ? automaticMark(side, scene.topLine + i) : AutomaticMark::None;
        if (row.kind == PaneRowKind::Filler) {
            markAutomatic(painter, scene, mark, y);
            continue;
        }
        painter.setPen(colors.text);
        if (scene.metrics.lineNumbers) {
            const std::string label = lineNumberLabel(row.line);
            shown.assign(label.begin(), label.end());
            layout.setText(shown);
            // A number too long for its box is cut at the box's edge.
            const bool overflows = layout.width(shown.size()) > textLeft;
            if (overflows) {
                painter.save();
                painter.setClipRect(QRect(0, y, textLeft, h), Qt::IntersectClip);
            }
            layout.draw(painter, QPointF(0, y + scene.ascent));
            if (overflows) {
                painter.restore();
            }
        }
        shownTextOf(side.shownLine(row.line), scene.tabSize, side.firstVisibleColumn, shown);
        layout.setText(shown);
        if (row.segment >= 0 && colors.changed.isValid() && scene.changedBytes) {
            markChanged(painter, layout, scene, scene.topLine + i, row.line, y, colors.changed);
        }
        layout.draw(painter, QPointF(textLeft, y + scene.ascent));
        markAutomatic(painter, scene, mark, y);
    }
}

void invertRects(QPainter& painter, const std::vector<PixelRect>& rects) {
    if (rects.empty()) {
        return;
    }
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (const PixelRect& r : rects) {
        painter.fillRect(QRect(static_cast<int>(r.left), static_cast<int>(r.top),
                               static_cast<int>(r.right - r.left),
                               static_cast<int>(r.bottom - r.top)),
                         Qt::black);
    }
    painter.restore();
}

QString rowString(const std::u32string& shown, std::size_t count) {
    count = std::min(count, shown.size());
    QString text;
    text.reserve(static_cast<qsizetype>(count) + 1);
    text.append(QChar(kLeftToRightOverride));
    text.append(QString::fromUcs4(shown.data(), static_cast<qsizetype>(count)));
    return text;
}

} // namespace tandel::ui
