// Writes a result file so that its old contents survive every failure: the
// bytes go to a new file in the same folder, which takes the target's name
// only once it is complete. A device or a pipe is written where it is.
#pragma once

#include "base/file_system.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tandel {

class ReplacingFile {
public:
    explicit ReplacingFile(FileSystem& files) : files_(files) {}

    // Refuses a folder, a socket and the like; nothing has been changed then.
    // A file that replaces another keeps its permission bits; a new one gets
    // `newFilePermissions` when given.
    IoStatus open(const std::string& target,
                  std::optional<std::uint32_t> newFilePermissions = std::nullopt);
    // Buffered; a failure sticks.
    IoStatus write(std::string_view bytes);
    // Completes the file. With `backup`, an existing regular target is first
    // moved aside to its ".bak" name (never deleting a backup name that is one
    // of `keep`); a backup that cannot be made does not stop the save. On
    // failure the target still holds its old contents.
    IoStatus commit(bool backup, const std::vector<std::string>& keep);
    // Drops the new file; the target is untouched.
    void discard() { writer_.reset(); }

private:
    FileSystem& files_;
    std::unique_ptr<FileWriter> writer_;
};

} // namespace tandel
