// Whether the two entries of a pair are equal. In directory mode equal means
// byte-identical: the comparison options of the panes play no part here.
#pragma once

#include "dirmerge/dir_listing.h"

#include <string>

namespace tandel {

enum class Sameness { Equal, Different, Unreadable };

struct PairVerdict {
    Sameness sameness = Sameness::Different;
    // For Unreadable: why each side could not be read (success for a side
    // that could).
    IoStatus left;
    IoStatus right;
};

// Same size and modification time: equal unread, but only when the user
// chose to trust time stamps.
bool sameSizeAndTime(const DirEntry& left, const DirEntry& right);

// Two regular files of different size differ unread; of equal size they are
// read in pieces side by side up to their ends. Two links are equal when they
// hold the same text. Anything else (a pipe, a device, a link against a
// file) is different and never opened.
[[nodiscard]] PairVerdict comparePair(FileSystem& files, const DirEntry& left,
                                      const std::string& leftPath, const DirEntry& right,
                                      const std::string& rightPath, bool trustTimeStamps);

// Whether comparePair would read the two files: regular, readable, of equal
// size, and not taken for equal by their stamps.
bool contentsDecide(const DirEntry& left, const DirEntry& right, bool trustTimeStamps);

// Both inputs read side by side to their ends, whatever size the listing saw
// (a file that grew or shrank since is judged by what it holds now); stops
// at the first piece that differs.
[[nodiscard]] PairVerdict compareContents(FileSystem& files, const std::string& leftPath,
                                          const std::string& rightPath);

} // namespace tandel
