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

class ReplacingFile {
public:
    // Asked when the old target cannot be kept as a backup: true to replace
    // it anyway. Gets the target, the backup name tried and why it failed.
    using BackupFailed = std::function<bool(const std::string& target,
                                            const std::string& backup, const IoStatus& why)>;

    explicit ReplacingFile(FileSystem& files) : files_(files) {}

    // Refuses a folder, a socket and the like; nothing has been changed then.
    // A file that replaces another keeps its permission bits; a new one gets
    // `newFilePermissions` when given.
    IoStatus open(const std::string& target,
                  std::optional<std::uint32_t> newFilePermissions = std::nullopt);
    // Buffered; a failure sticks.
    IoStatus write(std::string_view bytes);
    // Completes the file. With `backup`, an existing regular target (unless
    // its name ends in ".bak") is first kept under its ".bak" name; a previous
    // backup there is moved aside, not deleted, until the new file is in
    // place. When ".bak" names one of `keep` (an input), the next free
    // ".bak.N" is used. A backup that cannot be made stops the save unless
    // `goOnWithout` agrees (ECANCELED then). On any failure the folder is as
    // it was.
    IoStatus commit(bool backup, const std::vector<std::string>& keep,
                    const BackupFailed& goOnWithout = {});
    // After a commit: where the old target was kept, or empty.
    const std::string& backupName() const { return backupName_; }
    // Drops the new file; the target is untouched.
    void discard() { writer_.reset(); }

private:
    // The name the old target is kept under; empty after a failure in `why`.
    std::string chooseBackupName(const std::string& target, const std::vector<std::string>& keep,
                                 IoStatus& why);
    // Moves an old backup at `name` out of the way; `aside` is where it went.
    IoStatus moveAside(const std::string& name, std::string& aside);

    FileSystem& files_;
    std::unique_ptr<FileWriter> writer_;
    std::string backupName_;
};

} // namespace tandel
