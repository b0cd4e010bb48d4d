// Paints one cell of a directory list: its text on one line, cut at the
// cell's edge, over the selection band or the row's own colour. Far cheaper
// than the style's item painting, which lays each text out and elides it,
// so that a page of thousands of rows scrolls at once.
#pragma once

#include <QStyledItemDelegate>

namespace tandel {

// The text colour that reads on a row colour: the fixed row colours are
// light whatever the palette, so a dark palette's light text would vanish
// on them.
QColor textOn(const QColor& background);

class DirectoryRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace tandel
