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
    std::uint32_t permissions = 0;
    std::string name;
    // What the entry is; only a regular file is ever opened, compared or copied
    // by content. A symbolic link is Link whatever it points to: it is listed,
    // compared and copied as the text it holds, never followed.
    FileKind kind = FileKind::Regular;
    // False when the entry's status could not be read: its times and size are
    // unknown, and it never counts as equal to anything.
    bool statusKnown = true;
    // A link's text.
    std::string linkTarget{};
    // Why the entry could not be read (its status, or a link's text).
    IoStatus problem{};

    bool isDirectory() const { return (attributes & kAttributeDirectory) != 0; }
    bool isRegular() const { return kind == FileKind::Regular && statusKnown; }
    bool isLink() const { return kind == FileKind::Link; }
    bool unreadable() const { return !problem.ok(); }
};

// The include and exclude patterns and the include-subdirectories flag.
struct ScanFilters {
    std::vector<std::string> include;
    std::vector<std::string> exclude;
    bool recursive = false;
    // Equal size and equal modification times make two files equal unread.
    bool trustTimeStamps = false;
    // The file layer the scan, the comparison and the copies go through.
    FileSystem* files = &realFileSystem();
};

struct DirListing {
    std::vector<DirEntry> entries;
    std::string path; // as the caller gave it, no separator added
    std::size_t current = 0;
    // Why the directory could not be listed; its listing is then empty.
    IoStatus problem{};

    bool exhausted() const { return current >= entries.size(); }
    const DirEntry& entry() const { return entries[current]; }
    std::size_t count() const { return entries.size(); }
    std::string currentPath() const;
};

// Whether a file of this name passes the filters: an exclude match drops it;
// otherwise a non-empty include list must match.
bool passesFilters(std::string_view name, const ScanFilters& filters);

// Directories are listed only with `recursive`; the patterns apply to
// everything else: links, pipes, devices and entries whose status cannot be
// read included, which are listed but never opened. A directory that cannot
// be listed gives an empty listing and says why in `problem`.
DirListing listDirectory(const std::string& path, const ScanFilters& filters);

// The entry one path names, read as a listing reads it (a link is never
// followed); false when nothing is there or its status cannot be read.
bool entryAt(FileSystem& files, const std::string& path, DirEntry& entry);

} // namespace tandel
