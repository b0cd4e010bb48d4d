// The settings hold texts as bytes; the pages edit them as Qt strings. A text
// is shown as the panes show a line (UTF-8, else Latin-1), and an edit
// that still shows what it was given hands back the very bytes it was given.
#pragma once

#include <QString>

#include <string>

namespace tandel {

QString textForEdit(const std::string& bytes);

// `shownFrom` is the stored text the edit started with.
std::string bytesFromEdit(const QString& text, const std::string& shownFrom);

} // namespace tandel
