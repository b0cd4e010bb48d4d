#pragma once

// What of a settings file's text the ini parser is given. The parser skips a
// line it cannot understand, and a save would then drop it; here such a line
// becomes a comment instead, so that it is written back, and the file is
// marked as not read cleanly. Comments after the last entry, which the parser
// would drop as well, are held apart and written back at the end.

#include <cstddef>
#include <string>
#include <string_view>

namespace tandel {

struct ProfileText {
    // False when the bytes are no text at all (NUL bytes: UTF-16, or binary):
    // nothing of them is parsed, and both strings stay empty.
    bool isText = true;
    // Lines kept as comments because they were not understood.
    std::size_t unreadLines = 0;
    std::size_t firstUnreadLine = 0; // 1 for the first line of the file
    std::string parserText;          // every line with a line feed
    std::string trailer;             // comment lines after the last entry
};

ProfileText prepareProfileText(std::string_view bytes);

// A space or a tab: the blanks a value or a list item may be padded with.
bool isSpaceOrTab(char c);

// The section that holds the options.
inline constexpr const char* kOptionsSection = "Options";

} // namespace tandel
