#include "merge/replacing_file.h"

#include "merge/save.h"

#include <cerrno>

namespace tandel {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

bool isOneOf(FileSystem& files, const std::string& name, const std::vector<std::string>& keep) {
    for (const std::string& kept : keep) {
        if (!kept.empty() && (kept == name || sameFile(files, name, kept))) {
            return true;
        }
    }
    return false;
}

} // namespace

IoStatus ReplacingFile::open(const std::string& target,
                             std::optional<std::uint32_t> newFilePermissions) {
    writer_.reset();
    backupName_.clear();
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

std::string ReplacingFile::chooseBackupName(const std::string& target,
                                            const std::vector<std::string>& keep, IoStatus& why) {
    const std::string plain = target + ".bak";
    if (!isOneOf(files_, plain, keep)) {
        return plain;
    }
    // The usual backup is one of the files being merged: it stays, and the
    // old target goes to the next free name.
    for (int n = 1; n < 100; ++n) {
        const std::string name = plain + "." + std::to_string(n);
        FileStatus there;
        if (!files_.status(name, there, false).ok()) {
            continue;
        }
        if (there.kind == FileKind::Missing) {
            return name;
        }
    }
    why = IoStatus::failure(EEXIST);
    return {};
}

IoStatus ReplacingFile::moveAside(const std::string& name, std::string& aside) {
    FileStatus old;
    IoStatus looked = files_.status(name, old, false);
    if (!looked.ok() || old.kind == FileKind::Missing) {
        return looked;
    }
    // Only an old backup (a plain file or a link) is ours to move; a folder,
    // a device or a pipe under that name is the user's.
    if (old.kind != FileKind::Regular && old.kind != FileKind::Link) {
        return IoStatus::failure(old.kind == FileKind::Directory ? EISDIR : EEXIST);
    }
    IoStatus made = files_.createUnique(folderOf(name), ".tandel-old-backup.", aside);
    if (made.ok()) {
        made = files_.rename(name, aside);
        if (!made.ok()) {
            (void)files_.remove(aside);
            aside.clear();
        }
    }
    return made;
}

IoStatus ReplacingFile::commit(bool backup, const std::vector<std::string>& keep,
                               const BackupFailed& goOnWithout) {
    if (!writer_)
        return IoStatus::failure(EBADF);
    backupName_.clear();
    // Everything is on the disk before any name changes.
    if (IoStatus done = writer_->finish(); !done.ok()) {
        writer_.reset();
        return done;
    }
    const std::string target = writer_->target();
    FileStatus old;
    const bool regular = files_.status(target, old).ok() && old.isRegular();
    std::string kept;
    std::string aside;
    if (backup && regular && !HasBackupExtension(target)) {
        IoStatus why;
        const std::string name = chooseBackupName(target, keep, why);
        if (why.ok()) {
            why = moveAside(name, aside);
        }
        if (why.ok()) {
            why = files_.rename(target, name);
            if (why.ok()) {
                kept = name;
            } else if (!aside.empty()) {
                (void)files_.rename(aside, name);
                aside.clear();
            }
        }
        if (!why.ok() && !(goOnWithout && goOnWithout(target, name.empty() ? target + ".bak" : name,
                                                       why))) {
            writer_.reset();
            return IoStatus::failure(ECANCELED);
        }
    }
    IoStatus done = writer_->commit();
    writer_.reset();
    if (!done.ok()) {
        // Put the old file, and the old backup, back under their names.
        if (!kept.empty()) {
            (void)files_.rename(kept, target);
        }
        if (!aside.empty()) {
            (void)files_.rename(aside, kept); // an old backup was moved only for `kept`
        }
        return done;
    }
    if (!aside.empty()) {
        (void)files_.remove(aside); // the new backup took its place
    }
    backupName_ = kept;
    return done;
}

} // namespace tandel
