// Whether two files of a pair hold the same contents.
#pragma once

#include "dirmerge/dir_listing.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tandel {

// Runs the comparison driver quietly on two paths: 1 identical, 0 different,
// -1 failure.
using PairComparer = std::function<int(const std::string& left, const std::string& right)>;

// Same size, last write time and creation time: taken as equal unread.
bool sameStamps(const DirEntry& left, const DirEntry& right);

// True when both files can be read and hold the same bytes; `size` is the
// size the listing reported, which sizes the reads.
bool sameBytes(const std::string& leftPath, const std::string& rightPath, std::uint64_t size);

// 1 when equal, 0 otherwise; never equal unless both are regular files with a
// known status. Stamps first; then byte-identical files are equal
// without a comparison run, since no comparison option can tell identical
// texts apart; everything else goes to the comparer (without one, not equal).
int filesEqual(const DirEntry& left, const std::string& leftPath, const DirEntry& right,
               const std::string& rightPath, const PairComparer& compare);

} // namespace tandel
