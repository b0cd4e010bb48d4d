// The preview edits the merged result as text, but the result is bytes and is
// saved back as bytes when the user changed it. These conversions make that
// round trip exact: valid UTF-8 becomes characters, and every byte the text
// view would change or drop (an invalid sequence, NUL, carriage return, the
// characters the document takes as paragraph or frame breaks) becomes a lone
// surrogate that carries the byte, and is written back as that byte.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tandel::ui {

QString previewTextFromBytes(std::string_view bytes);

// Takes the document's raw text: paragraph separators become line feeds.
std::string previewBytesFromText(const QString& text);

// Where document position `position` of the raw text falls in its bytes.
std::size_t previewByteOffset(const QString& text, qsizetype position);
// The first document position at or after byte `offset` of the raw text's
// bytes; the text's end for an offset past it.
qsizetype previewPosition(const QString& text, std::size_t offset);

} // namespace tandel::ui
