#include "panes/pane_scroll.h"

#include "panes/line_expansion.h"

#include <algorithm>
#include <cstdlib>

namespace tandel {

namespace {

constexpr std::int64_t kHorizontalPage = 16;

std::int32_t toInt32(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

std::int32_t clampTopLine(std::int64_t t, std::int64_t rowCount) {
    return toInt32(std::clamp<std::int64_t>(t, 0, std::max<std::int64_t>(rowCount - 1, 0)));
}

std::int32_t verticalScrollTarget(VerticalScroll code, std::int64_t topLine,
                                  std::int64_t visibleRows, std::int64_t rowCount,
                                  std::int64_t thumb) {
    std::int64_t t = topLine;
    switch (code) {
    case VerticalScroll::LineUp:
        t = topLine - 1;
        break;
    case VerticalScroll::LineDown:
        t = topLine + 1;
        break;
    case VerticalScroll::PageUp:
        t = topLine - visibleRows;
        break;
    case VerticalScroll::PageDown:
        t = topLine + visibleRows;
        break;
    case VerticalScroll::Thumb:
        t = thumb - 1;
        break;
    case VerticalScroll::Top:
        t = 0;
        break;
    case VerticalScroll::Bottom:
        t = rowCount;
        break;
    }
    return clampTopLine(t, rowCount);
}

HorizontalExtent horizontalExtentFor(std::int64_t widestColumns, std::int64_t visibleColumns) {
    const std::int64_t shown = std::clamp<std::int64_t>(visibleColumns, 0, kShownColumns);
    const std::int64_t widest = std::max<std::int64_t>(widestColumns, 0);
    const std::int64_t barEnd = std::clamp<std::int64_t>(widest - shown, 0, INT32_MAX);
    return {barEnd, std::clamp<std::int64_t>(widest - 1, barEnd, INT32_MAX)};
}

std::int64_t visibleColumnsOf(std::int64_t clientWidth, double columnWidth,
                              const PaneMetrics& metrics) {
    if (!(columnWidth > 0)) {
        return 0;
    }
    const auto room =
        static_cast<double>(std::max<std::int64_t>(clientWidth - textLeftEdge(metrics), 0));
    return static_cast<std::int64_t>(std::min(room / columnWidth, 1e15));
}

std::int32_t horizontalScrollTarget(HorizontalScroll code, std::int64_t offset,
                                    const HorizontalExtent& extent, std::int64_t thumb) {
    std::int64_t o = offset;
    switch (code) {
    case HorizontalScroll::LineLeft:
        o = offset - 1;
        break;
    case HorizontalScroll::LineRight:
        o = offset + 1;
        break;
    case HorizontalScroll::PageLeft:
        o = offset - kHorizontalPage;
        break;
    case HorizontalScroll::PageRight:
        o = offset + kHorizontalPage;
        break;
    case HorizontalScroll::Thumb:
        o = std::min(thumb, extent.barEnd);
        break;
    case HorizontalScroll::LeftEnd:
        o = 0;
        break;
    case HorizontalScroll::RightEnd:
        o = extent.barEnd;
        break;
    }
    if (o > offset) {
        o = std::min(o, std::max(extent.stepEnd, offset));
    }
    return toInt32(std::max<std::int64_t>(o, 0));
}

std::int32_t horizontalScrollBarPosition(std::int64_t offset, const HorizontalExtent& extent) {
    return toInt32(std::clamp<std::int64_t>(offset, 0, extent.barEnd));
}

std::optional<VerticalScroll> verticalScrollForKey(PaneKey key) {
    switch (key) {
    case PaneKey::Up:
        return VerticalScroll::LineUp;
    case PaneKey::Down:
        return VerticalScroll::LineDown;
    case PaneKey::PageUp:
        return VerticalScroll::PageUp;
    case PaneKey::PageDown:
        return VerticalScroll::PageDown;
    default:
        return std::nullopt;
    }
}

std::optional<HorizontalScroll> horizontalScrollForKey(PaneKey key) {
    switch (key) {
    case PaneKey::Left:
        return HorizontalScroll::LineLeft;
    case PaneKey::Right:
        return HorizontalScroll::LineRight;
    case PaneKey::Home:
        return HorizontalScroll::LeftEnd;
    case PaneKey::End:
        return HorizontalScroll::RightEnd;
    default:
        return std::nullopt;
    }
}

PixelStrip uncoveredStrip(std::int64_t d, std::int64_t lineHeight, std::int64_t visibleRows,
                          std::int64_t textHeight) {
    if (d == 0 || textHeight <= 0) {
        return {};
    }
    if (std::llabs(d) >= visibleRows) {
        return {0, textHeight};
    }
    PixelStrip strip;
    if (d > 0) {
        strip = {0, d * lineHeight};
    } else {
        // Two rows more than uncovered: the row that was cut at the bottom
        // edge is drawn whole again.
        strip = {(visibleRows + d - 2) * lineHeight - 1, textHeight};
    }
    strip.top = std::clamp<std::int64_t>(strip.top, 0, textHeight);
    strip.bottom = std::clamp<std::int64_t>(strip.bottom, strip.top, textHeight);
    return strip;
}

std::int64_t WheelAccumulator::topLineChange(int delta, int rowsPerNotch) {
    const std::int64_t scaled = static_cast<std::int64_t>(delta) * std::max(rowsPerNotch, 1);
    if (std::llabs(static_cast<long long>(delta)) > kSmallWheelDelta) {
        return -(scaled / kUnitsPerNotch);
    }
    if ((pending_ < 0 && delta > 0) || (pending_ > 0 && delta < 0)) {
        pending_ = 0;
    }
    pending_ += scaled;
    const std::int64_t rows = pending_ / kUnitsPerNotch;
    pending_ -= rows * kUnitsPerNotch;
    return -rows;
}

} // namespace tandel
