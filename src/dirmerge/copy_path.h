// Copying files, links and whole trees into the destination, with the
// replace and backup-failure questions.
#pragma once

#include "base/file_system.h"
#include "dirmerge/operation_count.h"
#include "dirmerge/to_all_answers.h"
#include "frame/command_ids.h"
#include "frame/frame.h"
#include "merge/backup_result.h"

#include <functional>
#include <string>

namespace tandel {

// Keeps an existing file under its backup name, the path with ".bak" added.
using BackupMaker = std::function<BackupResult(const std::string& path)>;

// Done when copied or skipped; Failed when anything failed (each failure has
// been shown once, with the system's reason).
enum class CopyResult { Done, Failed };

struct CopyServices {
    Frame& frame;
    ToAllAnswers& answers;
    BackupMaker makeBackup;
    FileSystem& files = realFileSystem();
    // Counts each file or link copied, each declined replacement and each
    // failure; none when nobody keeps the account.
    OperationCount* count = nullptr;
};

// Copies a file, a symbolic link (as a link holding the same text, never
// followed) or a directory tree. An existing destination directory receives
// the source (a file or link goes in under its own name, a directory's
// contents merge in). A file that replaces another keeps the permissions of
// the one it replaces; a new one gets its source's. `replaceAnswer` is the
// replace answer for this copy and everything below it; a caller may pass a
// variable of its own. A failed copy leaves the name it was to replace as it
// was: a file that had to give way is put back from its backup, and the
// message names the backup when that fails too.
[[nodiscard]] CopyResult copyPath(CopyServices& services, const std::string& source,
                                  const std::string& destination, int& replaceAnswer);

} // namespace tandel
