// Writes a result file so that its old contents survive every failure: the
// bytes go to a new file in the same folder, which is written and synced
// completely before anything is renamed, and takes the target's name only
// then. A device or a pipe is written where it is.
#pragma once

#include "base/file_system.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tandel {

// Gives the file `target`, whose status is `old`, the free name `name` too (a
// hard link), or copies it there where the file system has no hard links.
[[nodiscard]] IoStatus keepOldFile(FileSystem& files, const std::string& target,
                                   const FileStatus& old, const std::string& name);

class ReplacingFile {
public:
    // Asked when the old target cannot be kept as a backup: true to replace
    // it anyway. Gets the target, the backup name tried and why it failed.
    using BackupFailed = std::function<bool(const std::string& target, const std::string& backup,
                                            const IoStatus& why)>;

    explicit ReplacingFile(FileSystem& files) : files_(files) {}

    // Refuses a folder, a socket and the like; nothing has been changed then.
    // A file that replaces another keeps its permission bits; a new one gets
    // `newFilePermissions` when given.
    [[nodiscard]] IoStatus open(const std::string& target,
                                std::optional<std::uint32_t> newFilePermissions = std::nullopt);
    // Buffered; a failure sticks.
    [[nodiscard]] IoStatus write(std::string_view bytes);
    // Completes the file. With `backup`, an existing regular target (unless
    // its name ends in ".bak") is first kept under its ".bak" name as a second
    // name of the old file (a copy where the file system has no such names);
    // a previous backup there is moved aside, not deleted, until the new file
    // is in place. When ".bak" names one of `keep` (an input), the next free
    // ".bak.N" is used. A backup that cannot be made stops the save unless
    // `goOnWithout` agrees (ECANCELED then). The new file then takes the
    // target's name in one rename, so the name never goes missing: it holds
    // the old file until the save has succeeded. On a failure the folder is
    // as it was, or note() says what could not be put back.
    [[nodiscard]] IoStatus commit(bool backup, const std::vector<std::string>& keep,
                                  const BackupFailed& goOnWithout = {});
    // After a commit: where the old target was kept, or empty.
    const std::string& backupName() const { return backupName_; }
    // After a commit: a sentence about a previous backup that could not be put
    // back under its name or removed, naming both places; empty when none.
    const std::string& note() const { return note_; }
    // Drops the new file; the target is untouched.
    void discard() { writer_.reset(); }

private:
    // The name the old target is kept under; empty after a failure in `why`.
    std::string chooseBackupName(const std::string& target, const std::vector<std::string>& keep,
                                 IoStatus& why);
    // Moves an old backup at `name` out of the way; `aside` is where it went.
    [[nodiscard]] IoStatus moveAside(const std::string& name, std::string& aside);
    // Puts a previous backup from `aside` back under `name`; says so in note_
    // when it cannot.
    void putBack(const std::string& aside, const std::string& name);

    FileSystem& files_;
    std::unique_ptr<FileWriter> writer_;
    std::string backupName_;
    std::string note_;
};

} // namespace tandel
