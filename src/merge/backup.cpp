// File existence, the overwrite question and the ".bak" backup; shared by the
// saves here and by the directory copy.
#include "frame/frame.h"
#include "merge/replacing_file.h"
#include "merge/save.h"

#include <strings.h>

namespace tandel {

bool hasBackupExtension(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return false;
    }
    return ::strcasecmp(name.c_str() + dot, ".bak") == 0;
}

bool fileExists(FileSystem& files, const std::string& name) {
    return kindOf(files, name) != FileKind::Missing;
}

bool askToOverwrite(Frame& frame, const std::string& name) {
    return frame.confirmOverwrite(
        {QuestionKind::Overwrite, name, "File " + name + " already exists.\nSave anyway ?"});
}

BackupResult makeBackupFile(FileSystem& files, const std::string& name,
                            const std::vector<std::string>& keep) {
    if (hasBackupExtension(name)) {
        return BackupResult::NotNeeded;
    }
    FileStatus target;
    if (!files.status(name, target).ok() || !target.isRegular()) {
        return BackupResult::Impossible; // only a regular file is moved aside
    }
    const std::string backup = name + ".bak";
    FileStatus old;
    if (!files.status(backup, old, false).ok()) {
        return BackupResult::Impossible;
    }
    if (old.kind != FileKind::Missing) {
        // The old backup may be one of the files being merged: it is never
        // deleted then, and this backup is not made. Nor is anything removed
        // that is not a plain file or a link: a folder, a device or a pipe
        // under that name is the user's, not an old backup.
        for (const std::string& kept : keep) {
            if (sameFile(files, backup, kept)) {
                return BackupResult::Impossible;
            }
        }
        const bool removable = old.kind == FileKind::Regular || old.kind == FileKind::Link;
        if (!removable || !files.remove(backup).ok()) {
            return BackupResult::Impossible;
        }
    }
    // A second name, not a move: the file keeps its own name until whatever
    // replaces it is complete.
    return keepOldFile(files, name, target, backup).ok() ? BackupResult::Made
                                                         : BackupResult::Impossible;
}

} // namespace tandel
