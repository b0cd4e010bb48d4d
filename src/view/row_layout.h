// The glyphs of one pane row, left to right. Most rows hold characters that
// map one to one onto glyphs of the text font and need no shaping (Latin,
// Greek, Cyrillic, symbols, the control pictures...): those are placed
// straight from the font's tables, which costs a small part of a full text
// layout. A row with any other character (a combining mark, a script whose
// letters join or reorder, a character the font lacks) goes through Qt's text
// engine as one left-to-right run. Painting and hit testing use the same
// layout, so a click lands on the character drawn under it.
#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>

#include <cstddef>
#include <string>
#include <vector>

class QPainter;

namespace tandel::ui {

class RowLayout {
public:
    explicit RowLayout(const QFont& font);

    // Lays out the first `count` characters of `shown`.
    void setText(const std::u32string& shown, std::size_t count);
    void setText(const std::u32string& shown) { setText(shown, shown.size()); }
    // Width of the first `count` laid out characters.
    qreal width(std::size_t count) const;
    // Draws the row with its base line starting at `origin`.
    void draw(QPainter& painter, QPointF origin) const;

    // Whether the row was placed straight from the font's tables.
    bool direct() const { return direct_; }

private:
    bool placeDirectly();

    QFont font_;
    QRawFont raw_;
    std::u32string shown_;
    QString utf16_;
    QList<quint32> glyphs_;
    QList<QPointF> positions_;
    std::vector<qreal> lefts_; // x of each character, then the row's end
    bool direct_ = false;
};

} // namespace tandel::ui
