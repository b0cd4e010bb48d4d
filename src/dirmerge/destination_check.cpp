#include "dirmerge/destination_check.h"

#include <utility>
#include <vector>

namespace tandel {

namespace {

// Deeper than any real tree; only a file system that lies about ".." gets here.
constexpr int kMaxDepth = 4096;

bool identify(FileSystem& files, const std::string& path, FileStatus& out) {
    return files.status(path, out).ok() && out.kind != FileKind::Missing;
}

// Follows `path` one component at a time as the system and the making of
// the missing folders would: through what exists (links included, ".."
// resolved by the system from the real folder), and by the text of what does
// not exist yet. Gives the deepest existing folder it reaches; `exact` tells
// whether the path ends there rather than in folders still to be made.
std::string deepestExisting(FileSystem& files, const std::string& path, FileStatus& found,
                            bool& exact) {
    std::string reached = path.front() == '/' ? "/" : ".";
    std::vector<std::string> missing;
    std::size_t at = 0;
    while (at <= path.size()) {
        std::size_t end = path.find('/', at);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(at, end - at);
        at = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!missing.empty())
                missing.pop_back();
            else
                reached += reached.back() == '/' ? ".." : "/..";
            continue;
        }
        FileStatus next;
        const std::string deeper = reached + (reached.back() == '/' ? "" : "/") + part;
        if (missing.empty() && identify(files, deeper, next))
            reached = deeper;
        else
            missing.push_back(part);
    }
    exact = missing.empty();
    return identify(files, reached, found) ? reached : std::string();
}

} // namespace

Placement placementOf(FileSystem& files, const std::string& destination,
                      const std::string& directory) {
    FileStatus dir;
    if (destination.empty() || !identify(files, directory, dir) || !dir.isDirectory())
        return Placement::Apart;
    FileStatus here;
    bool exact = true;
    std::string path = deepestExisting(files, destination, here, exact);
    if (path.empty())
        return Placement::Apart;
    if (here.sameFileAs(dir))
        return exact ? Placement::Same : Placement::Below;
    // ".." is resolved by the system from the real folder, never from the
    // text, so climbing by it follows the real parents.
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        path += "/..";
        FileStatus parent;
        if (!identify(files, path, parent) || parent.sameFileAs(here))
            return Placement::Apart; // the root is its own parent
        if (parent.sameFileAs(dir))
            return Placement::Below;
        here = parent;
    }
    return Placement::Apart;
}

std::string destinationRefusal(FileSystem& files, const std::string& dir1, const std::string& dir2,
                               const std::string& destination) {
    const std::pair<const char*, const std::string*> sides[] = {{"Directory 1", &dir1},
                                                                {"Directory 2", &dir2}};
    for (const auto& [name, dir] : sides)
        if (placementOf(files, destination, *dir) == Placement::Below)
            return "The destination " + destination + " lies inside " + name + " " + *dir +
                   ".\nChoose a destination outside both directories.";
    return {};
}

} // namespace tandel
