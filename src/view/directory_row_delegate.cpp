#include "view/directory_row_delegate.h"

#include <QPainter>

namespace tandel {

namespace {
constexpr int kTextMargin = 3;
} // namespace

void DirectoryRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QPalette::ColorGroup group = (option.state & QStyle::State_Active) != 0
                                           ? QPalette::Active
                                           : QPalette::Inactive;
    QPalette::ColorRole textRole = QPalette::Text;
    if ((option.state & QStyle::State_Selected) != 0) {
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        textRole = QPalette::HighlightedText;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    // One line drawn at a point and clipped to the cell: no layout, no eliding.
    const QRect cell = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const QFontMetrics& metrics = option.fontMetrics;
    const int baseline = cell.top() + (cell.height() - metrics.height()) / 2 + metrics.ascent();
    painter->save();
    painter->setClipRect(cell, Qt::IntersectClip);
    painter->setPen(option.palette.color(group, textRole));
    painter->drawText(QPoint(cell.left(), baseline), text);
    painter->restore();
}

QSize DirectoryRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    return {option.fontMetrics.horizontalAdvance(text) + 2 * kTextMargin,
            option.fontMetrics.height() + 2};
}

} // namespace tandel
