// Whether two files of a pair hold the same contents.
#pragma once

#include "dirmerge/dir_listing.h"

#include <functional>
#include <string>

namespace tandel {

// Runs the comparison driver quietly on two paths: 1 identical, 0 different,
// -1 failure.
using PairComparer = std::function<int(const std::string& left, const std::string& right)>;

// Same size, last write time and creation time: taken as equal unread.
bool sameStamps(const DirEntry& left, const DirEntry& right);

// 1 when equal, 0 otherwise. Without a comparer only the stamps decide.
int filesEqual(const DirEntry& left, const std::string& leftPath, const DirEntry& right,
               const std::string& rightPath, const PairComparer& compare);

} // namespace tandel
