#include "merge/replacing_file.h"

#include "merge/save.h"

#include <cerrno>

namespace tandel {

IoStatus ReplacingFile::open(const std::string& target,
                             std::optional<std::uint32_t> newFilePermissions) {
    writer_.reset();
    WriteOptions options;
    if (newFilePermissions && kindOf(files_, target) == FileKind::Missing) {
        options.setPermissions = true;
        options.permissions = *newFilePermissions;
    }
    return files_.openWriter(target, options, writer_);
}

IoStatus ReplacingFile::write(std::string_view bytes) {
    if (!writer_)
        return IoStatus::failure(EBADF);
    return writer_->write(bytes);
}

IoStatus ReplacingFile::commit(bool backup, const std::vector<std::string>& keep) {
    if (!writer_)
        return IoStatus::failure(EBADF);
    const std::string target = writer_->target();
    FileStatus old;
    const bool regular = files_.status(target, old).ok() && old.isRegular();
    const bool movedAside = backup && regular && MakeBackup(files_, target, keep) == 0 &&
                            kindOf(files_, target) == FileKind::Missing;
    IoStatus done = writer_->commit();
    writer_.reset();
    if (!done.ok() && movedAside) {
        // Put the old file back under its name.
        (void)files_.rename(target + ".bak", target);
    }
    return done;
}

} // namespace tandel
