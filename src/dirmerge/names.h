// Name order, path joining and file identity shared by the scan, the copy and the walk.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tandel {

// Folds A-Z only, then compares unsigned bytes: "_" sorts before letters, digits
// before letters, and names that differ only in letter case are equal.
int compareNames(std::string_view a, std::string_view b);
inline bool namesEqual(std::string_view a, std::string_view b) {
    return compareNames(a, b) == 0;
}

// Directory, one "/", name; no doubled separator when one side already has it.
std::string joinPath(std::string_view directory, std::string_view name);

// The text after the last "/" (the whole text when there is none).
std::string_view lastComponent(std::string_view path);

// A file's identity on this machine; two paths name the same file when their
// identities are equal, whatever their spelling.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool valid = false;
    bool operator==(const FileId&) const = default;
};

FileId fileIdentity(const std::string& path);
bool sameFile(const std::string& a, const std::string& b);

} // namespace tandel
