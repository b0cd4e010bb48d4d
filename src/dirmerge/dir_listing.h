// One directory's entries, filtered and in name order, as the tree cursor and
// the copy use them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tandel {

inline constexpr std::uint32_t kAttributeDirectory = 0x10;

// Seconds and nanoseconds since the epoch. Equality uses both, so two files
// written within the same second are not taken for one another.
struct FileTime {
    std::int64_t seconds = 0;
    std::int64_t nanoseconds = 0;
    bool operator==(const FileTime&) const = default;
};

struct DirEntry {
    std::uint32_t attributes = 0;
    // The birth time where the file system reports one, else the inode change time.
    FileTime creationTime;
    FileTime accessTime;
    FileTime writeTime;
    std::uint64_t size = 0;
    std::string name;

    bool isDirectory() const { return (attributes & kAttributeDirectory) != 0; }
};

// The include and exclude patterns and the include-subdirectories flag.
struct ScanFilters {
    std::vector<std::string> include;
    std::vector<std::string> exclude;
    bool recursive = false;
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
// listed only with `recursive`; the patterns apply to files only. Symbolic
// links to directories are left out so that a link cycle cannot make a
// recursive scan or copy endless.
DirListing listDirectory(const std::string& path, const ScanFilters& filters);

// Reads one path's entry data (following symbolic links); false when it cannot.
bool readEntry(const std::string& path, DirEntry& entry);

} // namespace tandel
