#include "view/shown_text.h"

#include "merge/display_text.h"

namespace tandel {

QString shownText(std::string_view bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
    return LineEncodingOf(bytes) == LineEncoding::Utf8 ? QString::fromUtf8(bytes.data(), size)
                                                       : QString::fromLatin1(bytes.data(), size);
}

} // namespace tandel
