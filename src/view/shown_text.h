// Paths and names are bytes; the windows show them as UTF-8 when they are
// well-formed UTF-8 and byte by byte (Latin-1) otherwise, never with holes.
#pragma once

#include <QString>

#include <string_view>

namespace tandel {

QString shownText(std::string_view bytes);

} // namespace tandel
