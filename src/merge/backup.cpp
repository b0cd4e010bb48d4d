// File existence, the overwrite question and the ".bak" backup; shared by the
// saves here and by the directory copy.
#include "merge/frame.h"
#include "merge/save.h"

#include <cstdio>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tandel {

namespace {

bool sameFile(const struct stat& a, const std::string& name) {
    struct stat b {};
    return !name.empty() && ::stat(name.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

bool hasBackupExtension(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return false;
    }
    return ::strcasecmp(name.c_str() + dot, ".bak") == 0;
}

} // namespace

bool FileExists(const std::string& name) {
    struct stat st {};
    return !name.empty() && ::stat(name.c_str(), &st) == 0;
}

bool ConfirmOverwrite(Frame& frame, const std::string& name) {
    return frame.confirmOverwrite("File " + name + " already exists.\nSave anyway ?");
}

int MakeBackup(const std::string& name, const std::vector<std::string>& keep) {
    if (hasBackupExtension(name)) {
        return 0;
    }
    const std::string backup = name + ".bak";
    struct stat old {};
    if (::lstat(backup.c_str(), &old) == 0) {
        // The old backup may be one of the files being merged: it is never
        // deleted then, and this backup is not made.
        for (const std::string& kept : keep) {
            if (sameFile(old, kept)) {
                return -1;
            }
        }
        if (S_ISDIR(old.st_mode) || ::unlink(backup.c_str()) != 0) {
            return -1;
        }
    }
    return ::rename(name.c_str(), backup.c_str()) == 0 ? 0 : -1;
}

} // namespace tandel
