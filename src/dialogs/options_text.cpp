#include "dialogs/options_text.h"

#include <algorithm>

#include "merge/display_text.h"

namespace tandel {
namespace {

// The same reading as the panes give a line.
bool isUtf8(const std::string& bytes) {
    return lineEncodingOf(bytes) == LineEncoding::Utf8;
}

bool fitsLatin1(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xff; });
}

std::string toBytes(const QByteArray& array) {
    return std::string(array.constData(), static_cast<std::size_t>(array.size()));
}

} // namespace

QString textForEdit(const std::string& bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
    return isUtf8(bytes) ? QString::fromUtf8(bytes.data(), size)
                         : QString::fromLatin1(bytes.data(), size);
}

std::string bytesFromEdit(const QString& text, const std::string& shownFrom) {
    if (text == textForEdit(shownFrom)) {
        return shownFrom;
    }
    // A text that came in as Latin-1 goes on in Latin-1 while it can.
    if (!isUtf8(shownFrom) && fitsLatin1(text)) {
        return toBytes(text.toLatin1());
    }
    return toBytes(text.toUtf8());
}

} // namespace tandel
