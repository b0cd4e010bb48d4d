// How a loaded file is written, in words: what the title above its pane
// shows after the name, and what a binary file's row says.
#pragma once

#include "merge/side_record.h"

#include <cstdint>
#include <string>

namespace tandel {

// "LF", "CR LF", "mixed line ends", "binary" or "empty", with ", no newline
// at end" where the last line has none; empty while nothing is loaded.
std::string fileFormatLabel(const SideRecord& side);

// "Binary file, N bytes", and whether the pair was found to differ.
std::string binaryRowText(std::uint64_t bytes, bool differs);

} // namespace tandel
