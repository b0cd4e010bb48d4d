#include "view/directory_row_delegate.h"

#include <QPainter>

#include "dirmerge/directory_lists.h"
#include "view/directory_list_model.h"

namespace tandel {

namespace {
constexpr int kTextMargin = 3;
} // namespace

QColor textOn(const QColor& background) {
    return background.lightnessF() > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
}

void DirectoryRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QVariant background = index.data(Qt::BackgroundRole);
    const QColor rowColour = background.isValid() ? background.value<QColor>() : QColor();
    const bool marker = index.column() % DirectoryListModel::kColumnsPerHalf == kMarkerColumn;
    QColor pen = rowColour.isValid() ? textOn(rowColour) : option.palette.color(QPalette::Text);
    if ((option.state & QStyle::State_Selected) != 0) {
        // The band is the active colour even in a list without the focus:
        // the inactive one can be a faint tint, lost on the row colours.
        // The marker keeps the row's colour, so the state stays readable.
        if (marker && rowColour.isValid()) {
            painter->fillRect(option.rect, rowColour);
        } else if (marker) {
            painter->fillRect(option.rect, option.palette.brush(QPalette::Active, QPalette::Base));
            pen = option.palette.color(QPalette::Active, QPalette::Text);
        } else {
            painter->fillRect(option.rect,
                              option.palette.brush(QPalette::Active, QPalette::Highlight));
            pen = option.palette.color(QPalette::Active, QPalette::HighlightedText);
        }
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    // One line drawn at a point and clipped to the cell: no layout, no eliding.
    const QRect cell = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const QFontMetrics& metrics = option.fontMetrics;
    const int baseline = cell.top() + (cell.height() - metrics.height()) / 2 + metrics.ascent();
    const bool right = (index.data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight) != 0;
    const int x = right ? cell.right() + 1 - metrics.horizontalAdvance(text) : cell.left();
    painter->save();
    painter->setClipRect(cell, Qt::IntersectClip);
    painter->setPen(pen);
    painter->drawText(QPoint(x, baseline), text);
    painter->restore();
}

QSize DirectoryRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    return {option.fontMetrics.horizontalAdvance(text) + 2 * kTextMargin,
            option.fontMetrics.height() + 2};
}

} // namespace tandel
