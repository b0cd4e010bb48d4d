// Definition texts: the custom character set and custom separators as the user
// writes them ("0-9.\-", "\t;", "\w", "\x7f" ...).
#pragma once

#include <array>
#include <string_view>

namespace tandel {

enum DefinitionMode : int {
    kDefinitionSeparators = 0, // all bytes start as column bytes; listed ones become separators
    kDefinitionCharset = 1,    // no byte starts as a column byte; listed ones become column bytes
};

// Fills `table` from `text`. Every byte value of the text, above 127 included,
// names only its own entry.
void parseDefinitionText(std::array<unsigned char, 256>& table, std::string_view text, int mode);

} // namespace tandel
