#include "dirmerge/dir_listing.h"

#include "dirmerge/names.h"
#include "dirmerge/pattern.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace tandel {

namespace {

struct DirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
};

FileTime fromStatx(const struct statx_timestamp& t) {
    return {static_cast<std::int64_t>(t.tv_sec), static_cast<std::int64_t>(t.tv_nsec)};
}

bool statEntry(int dirFd, const char* name, int flags, DirEntry& entry) {
    struct statx sx {};
    if (::statx(dirFd, name, flags | AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &sx) !=
        0)
        return false;
    entry.attributes = S_ISDIR(sx.stx_mode) ? kAttributeDirectory : 0;
    entry.creationTime =
        (sx.stx_mask & STATX_BTIME) ? fromStatx(sx.stx_btime) : fromStatx(sx.stx_ctime);
    entry.accessTime = fromStatx(sx.stx_atime);
    entry.writeTime = fromStatx(sx.stx_mtime);
    entry.size = sx.stx_size;
    return true;
}

} // namespace

std::string DirListing::currentPath() const {
    return exhausted() ? std::string() : joinPath(path, entry().name);
}

bool passesFilters(std::string_view name, const ScanFilters& filters) {
    for (const auto& pattern : filters.exclude)
        if (matchPattern(name, pattern))
            return false;
    if (filters.include.empty())
        return true;
    return std::any_of(filters.include.begin(), filters.include.end(),
                       [&](const std::string& p) { return matchPattern(name, p); });
}

bool readEntry(const std::string& path, DirEntry& entry) {
    entry.name = std::string(lastComponent(path));
    return statEntry(AT_FDCWD, path.c_str(), 0, entry);
}

DirListing listDirectory(const std::string& path, const ScanFilters& filters) {
    DirListing listing;
    listing.path = path;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(path.empty() ? "." : path.c_str()));
    if (!dir)
        return listing;
    const int fd = ::dirfd(dir.get());
    while (const dirent* d = ::readdir(dir.get())) {
        const std::string_view name(d->d_name);
        if (name == "." || name == "..")
            continue;
        DirEntry entry;
        if (!statEntry(fd, d->d_name, 0, entry))
            continue; // a dangling link or a file that vanished meanwhile
        if (entry.isDirectory()) {
            if (!filters.recursive)
                continue;
            DirEntry self;
            if (d->d_type == DT_LNK ||
                (d->d_type == DT_UNKNOWN && statEntry(fd, d->d_name, AT_SYMLINK_NOFOLLOW, self) &&
                 !self.isDirectory()))
                continue;
        } else if (!passesFilters(name, filters)) {
            continue;
        }
        entry.name = std::string(name);
        listing.entries.push_back(std::move(entry));
    }
    std::stable_sort(
        listing.entries.begin(), listing.entries.end(),
        [](const DirEntry& a, const DirEntry& b) { return compareNames(a.name, b.name) < 0; });
    return listing;
}

} // namespace tandel
