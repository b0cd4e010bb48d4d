// Copying files and whole trees into the destination, with the replace and
// backup-failure questions.
#pragma once

#include "base/file_system.h"
#include "dirmerge/to_all_answers.h"
#include "merge/command_ids.h"
#include "merge/frame.h"

#include <functional>
#include <string>

namespace tandel {

// Moves an existing file aside to its backup name: 0 done, -1 failed.
using BackupMaker = std::function<int(const std::string& path)>;

struct CopyServices {
    Frame& frame;
    ToAllAnswers& answers;
    BackupMaker makeBackup;
    FileSystem& files = realFileSystem();
};

// Copies a file or a directory tree. An existing destination directory
// receives the source (a file goes in under its own name, a directory's
// contents merge in). `replaceAnswer` is the replace answer for this copy and
// everything below it; a caller may pass a variable of its own. 0 when copied
// or skipped, nonzero when anything failed (each failure shown once).
int copyPath(CopyServices& services, const std::string& source, const std::string& destination,
             int& replaceAnswer);

} // namespace tandel
