#include "dirmerge/dir_listing.h"

#include "dirmerge/names.h"
#include "dirmerge/pattern.h"

#include <algorithm>
#include <cerrno>

namespace tandel {

namespace {

void takeStatus(DirEntry& entry, const FileStatus& status) {
    entry.creationTime = status.creationTime;
    entry.accessTime = status.accessTime;
    entry.writeTime = status.writeTime;
    entry.size = status.size;
    entry.permissions = status.permissions;
}

DirEntry entryOf(FileSystem& files, const std::string& folder, const FolderEntry& found) {
    DirEntry entry;
    entry.name = found.name;
    entry.kind = found.isLink ? FileKind::Link : found.kind;
    entry.statusKnown = found.statusKnown;
    // A folder whose status cannot be read is still a folder (the listing
    // says so): it is entered, and then reported as unreadable.
    if (entry.kind == FileKind::Directory)
        entry.attributes = kAttributeDirectory;
    if (found.statusKnown && !found.isLink) {
        takeStatus(entry, found.status);
        return entry;
    }
    const std::string path = joinPath(folder, found.name);
    FileStatus self;
    const IoStatus read = files.status(path, self, false);
    if (found.isLink) {
        // The link's own times; a dangling link is as listable as any other.
        entry.statusKnown = read.ok() && self.kind == FileKind::Link;
        if (entry.statusKnown)
            takeStatus(entry, self);
        entry.problem = files.readLink(path, entry.linkTarget);
        return entry;
    }
    if (entry.kind != FileKind::Directory)
        entry.problem =
            !read.ok() ? read : IoStatus::failure(self.kind == FileKind::Missing ? ENOENT : EIO);
    return entry;
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

DirListing listDirectory(const std::string& path, const ScanFilters& filters) {
    DirListing listing;
    listing.path = path;
    const std::string folder = path.empty() ? "." : path;
    std::vector<FolderEntry> found;
    listing.problem = filters.files->listFolder(folder, found);
    if (!listing.problem.ok())
        return listing;
    for (const FolderEntry& item : found) {
        const bool directory = !item.isLink && item.kind == FileKind::Directory;
        if (directory ? !filters.recursive : !passesFilters(item.name, filters))
            continue;
        listing.entries.push_back(entryOf(*filters.files, folder, item));
    }
    std::sort(
        listing.entries.begin(), listing.entries.end(),
        [](const DirEntry& a, const DirEntry& b) { return compareNames(a.name, b.name) < 0; });
    return listing;
}

bool entryAt(FileSystem& files, const std::string& path, DirEntry& entry) {
    FileStatus own;
    if (!files.status(path, own, false).ok() || own.kind == FileKind::Missing)
        return false;
    FolderEntry found;
    found.name = std::string(lastComponent(path));
    found.isLink = own.kind == FileKind::Link;
    found.kind = own.kind;
    found.statusKnown = true;
    found.status = own;
    const auto cut = path.rfind('/');
    const std::string folder = cut == std::string::npos ? "."
                               : cut == 0               ? "/"
                                                        : path.substr(0, cut);
    entry = entryOf(files, folder, found);
    return true;
}

} // namespace tandel
