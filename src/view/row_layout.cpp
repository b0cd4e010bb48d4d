#include "view/row_layout.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>

#include "view/pane_painter.h"

namespace tandel::ui {

namespace {

// Characters drawn as one glyph each with no shaping, in fonts that have them.
bool standsAlone(char32_t c) {
    return c < 0x0300 || (c >= 0x0370 && c < 0x0483) || (c >= 0x048A && c < 0x0591) ||
           (c >= 0x1E00 && c < 0x200B) || (c >= 0x2010 && c < 0x2028) ||
           (c >= 0x2030 && c < 0x2060) || (c >= 0x2070 && c < 0x20D0) ||
           (c >= 0x2100 && c < 0x2E80) || (c >= 0x3000 && c < 0xA000) ||
           (c >= 0xAC00 && c < 0xD7A4) || (c >= 0xF900 && c < 0xFB00) ||
           (c >= 0xFF00 && c < 0xFFF0) || c == 0xFFFD;
}

} // namespace

RowLayout::RowLayout(const QFont& font) : font_(font), raw_(QRawFont::fromFont(font)) {}

void RowLayout::setText(const std::u32string& shown, std::size_t count) {
    shown_.assign(shown, 0, std::min(count, shown.size()));
    direct_ = placeDirectly();
    if (direct_) {
        return;
    }
    // Qt's engine measures prefixes itself (width()); the run is drawn whole.
    lefts_.clear();
    utf16_ = rowString(shown_, shown_.size());
}

bool RowLayout::placeDirectly() {
    if (!raw_.isValid() ||
        !std::all_of(shown_.begin(), shown_.end(), [](char32_t c) { return standsAlone(c); })) {
        return false;
    }
    const auto n = static_cast<int>(shown_.size());
    lefts_.assign(1, 0);
    if (n == 0) {
        return true;
    }
    utf16_.resize(n);
    for (int i = 0; i < n; ++i) {
        utf16_[i] = QChar(static_cast<char16_t>(shown_[static_cast<std::size_t>(i)]));
    }
    glyphs_.resize(n);
    int glyphCount = n;
    if (!raw_.glyphIndexesForChars(utf16_.constData(), n, glyphs_.data(), &glyphCount) ||
        glyphCount != n ||
        std::any_of(glyphs_.cbegin(), glyphs_.cend(), [](quint32 g) { return g == 0; })) {
        return false; // a character this font lacks: Qt's engine finds another font
    }
    positions_.resize(n);
    if (!raw_.advancesForGlyphIndexes(glyphs_.constData(), positions_.data(), n,
                                      QRawFont::SeparateAdvances)) {
        return false;
    }
    lefts_.resize(static_cast<std::size_t>(n) + 1);
    qreal x = 0;
    for (int i = 0; i < n; ++i) {
        const qreal advance = positions_[i].x();
        positions_[i] = QPointF(x, 0);
        lefts_[static_cast<std::size_t>(i)] = x;
        x += advance;
    }
    lefts_[static_cast<std::size_t>(n)] = x;
    return true;
}

qreal RowLayout::width(std::size_t count) const {
    count = std::min(count, shown_.size());
    if (direct_) {
        return lefts_[count];
    }
    return QFontMetricsF(font_).horizontalAdvance(rowString(shown_, count));
}

void RowLayout::draw(QPainter& painter, QPointF origin) const {
    if (shown_.empty()) {
        return;
    }
    if (!direct_) {
        painter.drawText(origin, utf16_);
        return;
    }
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(glyphs_);
    run.setPositions(positions_);
    painter.drawGlyphRun(origin, run);
}

} // namespace tandel::ui
