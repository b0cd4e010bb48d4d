// One directory's entries, filtered and in name order, as the tree cursor and
// the copy use them.
#pragma once

#include "base/file_system.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tandel {

inline constexpr std::uint32_t kAttributeDirectory = 0x10;

struct DirEntry {
    std::uint32_t attributes = 0;
    // The birth time where the file system reports one, else the inode change time.
    FileTime creationTime;
    FileTime accessTime;
    FileTime writeTime;
    std::uint64_t size = 0;
    std::string name;
    // What the entry is; only a regular file is ever opened, compared or copied.
    FileKind kind = FileKind::Regular;
    // False for a dangling link or a file removed during the scan: its times
    // and size are unknown, and it never counts as equal to anything.
    bool statusKnown = true;

    bool isDirectory() const { return (attributes & kAttributeDirectory) != 0; }
    bool isRegular() const { return kind == FileKind::Regular && statusKnown; }
};

// The include and exclude patterns and the include-subdirectories flag.
struct ScanFilters {
    std::vector<std::string> include;
    std::vector<std::string> exclude;
    bool recursive = false;
    // The file layer the scan, the comparison and the copies go through.
    FileSystem* files = &realFileSystem();
};

struct DirListing {
    std::vector<DirEntry> entries;
    std::string path; // as the caller gave it, no separator added
    std::size_t current = 0;

    bool exhausted() const { return current >= entries.size(); }
    const DirEntry& entry() const { return entries[current]; }
    std::size_t count() const { return entries.size(); }
    std::string currentPath() const;
};

// Whether a file of this name passes the filters: an exclude match drops it;
// otherwise a non-empty include list must match.
bool passesFilters(std::string_view name, const ScanFilters& filters);

// A missing or unreadable directory gives an empty listing. Directories are
// listed only with `recursive`; the patterns apply to everything else, pipes,
// devices and entries whose status cannot be read included, which are listed
// but never opened. Symbolic links to directories are left out so that a link
// cycle cannot make a recursive scan or copy endless.
DirListing listDirectory(const std::string& path, const ScanFilters& filters);

} // namespace tandel
