#include "dirmerge/dir_listing.h"

#include "dirmerge/names.h"
#include "dirmerge/pattern.h"

#include <algorithm>

namespace tandel {

namespace {

DirEntry entryOf(const FolderEntry& found) {
    DirEntry entry;
    entry.name = found.name;
    entry.kind = found.kind;
    entry.statusKnown = found.statusKnown;
    if (found.statusKnown) {
        entry.attributes = found.status.isDirectory() ? kAttributeDirectory : 0;
        entry.creationTime = found.status.creationTime;
        entry.accessTime = found.status.accessTime;
        entry.writeTime = found.status.writeTime;
        entry.size = found.status.size;
    }
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
    std::vector<FolderEntry> found;
    if (!filters.files->listFolder(path.empty() ? "." : path, found).ok())
        return listing;
    for (const FolderEntry& item : found) {
        DirEntry entry = entryOf(item);
        if (entry.isDirectory()) {
            if (!filters.recursive || item.isLink)
                continue;
        } else if (!passesFilters(entry.name, filters)) {
            continue;
        }
        listing.entries.push_back(std::move(entry));
    }
    std::stable_sort(
        listing.entries.begin(), listing.entries.end(),
        [](const DirEntry& a, const DirEntry& b) { return compareNames(a.name, b.name) < 0; });
    return listing;
}

} // namespace tandel
