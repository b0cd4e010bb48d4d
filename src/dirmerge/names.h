// Name order and path joining shared by the scan, the copy and the walk.
#pragma once

#include <string>
#include <string_view>

namespace tandel {

// Folds A-Z only, then compares unsigned bytes: "_" sorts before letters,
// digits before letters, and names that differ only in letter case are equal.
// For what people type (patterns, extensions), not for names on the disk.
int compareIgnoringCase(std::string_view a, std::string_view b);

// The order of names on the disk: letter case folded, so that "b" sorts
// between "A" and "C", then the unsigned bytes break the tie, because this
// file system keeps "Makefile" and "makefile" apart. Zero only for equal
// bytes: two listings sorted by it are merged by it without pairing two
// different names or missing a pair.
int compareNames(std::string_view a, std::string_view b);
inline bool namesEqual(std::string_view a, std::string_view b) {
    return a == b;
}

// Directory, one "/", name; no doubled separator when one side already has it.
std::string joinPath(std::string_view directory, std::string_view name);

// The text after the last "/" (the whole text when there is none).
std::string_view lastComponent(std::string_view path);

} // namespace tandel
