#include "panes/print_layout.h"

#include <algorithm>
#include <limits>

namespace tandel {

std::int32_t printerFontHeight(std::int32_t fontHeight, std::int32_t screenDpi,
                               std::int32_t printerDpi) {
    if (screenDpi <= 0 || printerDpi <= 0) {
        return fontHeight;
    }
    const std::int64_t product = std::int64_t{fontHeight} * printerDpi;
    const std::int64_t half = screenDpi / 2;
    const std::int64_t scaled =
        product >= 0 ? (product + half) / screenDpi : -((-product + half) / screenDpi);
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(scaled, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

std::int64_t PageLayout::lineY(std::int64_t n) const {
    return n < 0 ? 0 : n % linesPerPage * lineHeight;
}

std::int64_t PageLayout::pageOf(std::int64_t n) const {
    return n < 0 ? 0 : n / linesPerPage;
}

std::int64_t PageLayout::pageCount(std::int64_t lines) const {
    return lines <= 0 ? 1 : pageOf(lines - 1) + 1;
}

PageLayout makePageLayout(std::int32_t characterHeight, std::int32_t pageHeight) {
    PageLayout layout;
    layout.lineHeight = characterHeight > 2 ? characterHeight - 2 : std::max(characterHeight, 1);
    layout.linesPerPage = std::max(pageHeight / layout.lineHeight, 1);
    return layout;
}

} // namespace tandel
