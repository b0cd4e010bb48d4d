#include "dirmerge/ensure_directory.h"

#include <cerrno>

namespace tandel {

namespace {

// The status of `path`, or false after a message when it cannot be read.
bool look(FileSystem& files, Frame& frame, const std::string& path, FileStatus& out) {
    const IoStatus looked = files.status(path, out);
    if (!looked.ok())
        frame.message(Severity::Error, withReason("Cannot read " + path, looked));
    return looked.ok();
}

// The folder that holds `path`, or empty at the top.
std::string parentOf(std::string path) {
    while (!path.empty() && (path.back() == ' ' || path.back() == '/'))
        path.pop_back();
    const auto cut = path.rfind('/');
    path.resize(cut == std::string::npos ? 0 : cut);
    return path;
}

} // namespace

bool ensureDirectory(FileSystem& files, Frame& frame, const std::string& path) {
    FileStatus st;
    if (!look(files, frame, path, st))
        return false;
    if (st.kind != FileKind::Missing) {
        if (st.isDirectory())
            return true;
        frame.message(Severity::Error, path + " is not a directory");
        return false;
    }
    if (const std::string parent = parentOf(path);
        !parent.empty() && !ensureDirectory(files, frame, parent))
        return false;
    // Another process may have made it meanwhile: that is as good.
    if (const IoStatus made = files.makeFolder(path); !made.ok() && made.error() != EEXIST) {
        frame.message(Severity::Error, withReason("Unable to create directory " + path, made));
        return false;
    }
    return true;
}

bool ensureNamedDirectory(FileSystem& files, Frame& frame, const std::string& path) {
    FileStatus st;
    if (!look(files, frame, path, st))
        return false;
    if (st.kind != FileKind::Missing)
        return ensureDirectory(files, frame, path);
    // A file in the way is said before anything is asked.
    for (std::string up = parentOf(path); !up.empty(); up = parentOf(up)) {
        FileStatus above;
        if (!look(files, frame, up, above))
            return false;
        if (above.kind == FileKind::Missing)
            continue;
        if (!above.isDirectory()) {
            frame.message(Severity::Error, up + " is not a directory");
            return false;
        }
        break;
    }
    if (!frame.confirmOverwrite({QuestionKind::MakeDirectory, path,
                                 "Directory " + path + " does not exist.\nCreate it?"}))
        return false;
    return ensureDirectory(files, frame, path);
}

bool ensureDestination(FileSystem& files, Frame& frame, const std::string& destination) {
    if (destination.empty()) {
        frame.message(Severity::Error, "No destination directory was given");
        return false;
    }
    return ensureNamedDirectory(files, frame, destination);
}

} // namespace tandel
