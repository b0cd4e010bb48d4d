// Stored font descriptions to fonts and back, and the measures the panes and
// titles are laid out by.
#pragma once

#include <QFont>

#include "settings/settings_record.h"

class QPaintDevice;

namespace tandel::ui {

// A negative height is the character height in pixels; a positive one the
// cell height, which includes the leading above the characters. A face this
// system lacks is replaced by the nearest one of the same family kind.
QFont fontFromDescription(const FontDescription& description);

// The description of `font`, keeping what a font does not carry (the character
// set) from `previous`. Heights in points are turned into pixels at `dpi`.
FontDescription descriptionFromFont(const QFont& font, const FontDescription& previous, int dpi);

struct TextMeasures {
    int lineHeight = 0;       // the character height of a row
    int averageCharWidth = 0; // never less than 1
};
TextMeasures measureFont(const QFont& font, QPaintDevice* device);

// The title windows are the title font's character height plus this.
inline constexpr int kTitleMargin = 8;

} // namespace tandel::ui
