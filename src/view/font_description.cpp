#include "view/font_description.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace tandel::ui {

namespace {

// The stored pitch-and-family byte: pitch in the low two bits, family in the
// high nibble.
constexpr int kFixedPitch = 1;
constexpr int kFamilyRoman = 0x10;
constexpr int kFamilySwiss = 0x20;
constexpr int kFamilyModern = 0x30;
constexpr int kFamilyScript = 0x40;
constexpr int kFamilyDecorative = 0x50;

QFont::StyleHint hintOf(int pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case kFamilyRoman:
        return QFont::Serif;
    case kFamilySwiss:
        return QFont::SansSerif;
    case kFamilyModern:
        return QFont::TypeWriter;
    case kFamilyScript:
        return QFont::Cursive;
    case kFamilyDecorative:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

int familyOf(const QFont& font) {
    switch (font.styleHint()) {
    case QFont::Serif:
        return kFamilyRoman;
    case QFont::SansSerif:
        return kFamilySwiss;
    case QFont::TypeWriter:
        return kFamilyModern;
    case QFont::Cursive:
        return kFamilyScript;
    case QFont::Decorative:
        return kFamilyDecorative;
    default:
        return 0;
    }
}

// Cell heights run about this much above character heights.
constexpr double kCellPerCharacter = 1.2;
constexpr int kLargestPixelSize = 500;

} // namespace

QFont fontFromDescription(const FontDescription& description) {
    QFont font;
    if (!description.faceName.empty()) {
        font.setFamily(QString::fromStdString(description.faceName));
    }
    font.setStyleHint(hintOf(description.pitchAndFamily));
    font.setFixedPitch((description.pitchAndFamily & 0x03) == kFixedPitch);
    // Height 0 asks for the default size; anything absurd is held to a size
    // that can still be drawn.
    if (description.height != 0) {
        const double h = std::abs(static_cast<double>(description.height));
        const double pixels = description.height < 0 ? h : h / kCellPerCharacter;
        font.setPixelSize(std::clamp(static_cast<int>(std::lround(pixels)), 1, kLargestPixelSize));
    }
    // 0 is "any weight"; Qt takes the same 1 to 1000 scale as the stored value.
    const int weight = description.weight <= 0 ? 400 : std::min(description.weight, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(description.italic != 0);
    return font;
}

FontDescription descriptionFromFont(const QFont& font, const FontDescription& previous, int dpi) {
    FontDescription description = previous;
    description.faceName = font.family().toStdString();
    description.weight = static_cast<int>(font.weight());
    description.italic = font.italic() ? 1 : 0;
    int pixels = font.pixelSize();
    if (pixels <= 0) {
        pixels = static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0));
    }
    description.height = -std::max(1, pixels);
    const int pitch = font.fixedPitch() ? kFixedPitch : 2;
    description.pitchAndFamily = familyOf(font) | pitch;
    return description;
}

TextMeasures measureFont(const QFont& font, QPaintDevice* device) {
    const QFontMetrics metrics =
        device != nullptr ? QFontMetrics(font, device) : QFontMetrics(font);
    return {metrics.height(), std::max(1, metrics.averageCharWidth())};
}

} // namespace tandel::ui
