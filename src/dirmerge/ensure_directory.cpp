#include "dirmerge/ensure_directory.h"

#include <cerrno>
#include <sys/stat.h>

namespace tandel {

int ensureDirectory(Frame& frame, const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return 0;
        frame.message(Severity::Error, path + " is not a directory");
        return -1;
    }
    if (errno != ENOENT) {
        frame.message(Severity::Error, "Unknown error");
        return -1;
    }
    std::string parent = path;
    while (!parent.empty() && (parent.back() == ' ' || parent.back() == '/'))
        parent.pop_back();
    const auto cut = parent.rfind('/');
    if (cut != std::string::npos) {
        parent.resize(cut);
        if (!parent.empty() && ensureDirectory(frame, parent) != 0)
            return -1;
    }
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) {
        frame.message(Severity::Error, "Unable to create directory " + path);
        return -1;
    }
    return 0;
}

int ensureNamedDirectory(Frame& frame, const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT &&
        !frame.confirmOverwrite({QuestionKind::MakeDirectory, path,
                                 "Directory " + path + " does not exist.\nCreate it?"}))
        return -1;
    return ensureDirectory(frame, path);
}

int ensureDestination(Frame& frame, const std::string& destination) {
    if (destination.empty()) {
        frame.message(Severity::Error, "No destination directory was given");
        return -1;
    }
    return ensureNamedDirectory(frame, destination);
}

} // namespace tandel
