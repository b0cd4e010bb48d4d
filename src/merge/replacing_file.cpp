#include "merge/replacing_file.h"

#include "merge/save.h"

#include <cerrno>
#include <vector>

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

// Hard links are the backup where the file system has them: the old file
// keeps its name until the new one takes it. These errors say it has none.
bool noHardLinks(const IoStatus& status) {
    const int e = status.error();
    return e == EPERM || e == ENOTSUP || e == EMLINK || e == EXDEV || e == ENOSYS;
}

IoStatus copyOld(FileSystem& files, const std::string& target, const FileStatus& old,
                 const std::string& name) {
    std::unique_ptr<FileReader> reader;
    std::unique_ptr<FileWriter> copy;
    IoStatus status = files.openReader(target, reader);
    if (status.ok()) {
        WriteOptions options;
        options.setPermissions = true;
        options.permissions = old.permissions;
        status = files.openWriter(name, options, copy);
    }
    std::vector<char> buffer(std::size_t{1} << 16);
    for (std::size_t got = 1; status.ok() && got > 0;) {
        status = reader->read(buffer.data(), buffer.size(), got);
        if (status.ok() && got > 0) {
            status = copy->write(std::string_view(buffer.data(), got));
        }
    }
    if (status.ok()) {
        status = copy->commit();
    }
    if (status.ok()) {
        // The copy is the backup all the same; only its times tell otherwise.
        (void)files.setTimes(name, old.accessTime, old.writeTime);
    }
    return status;
}

} // namespace

IoStatus keepOldFile(FileSystem& files, const std::string& target, const FileStatus& old,
                     const std::string& name) {
    const IoStatus linked = files.linkFile(target, name);
    return noHardLinks(linked) ? copyOld(files, target, old, name) : linked;
}

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
            (void)files_.remove(aside); // an empty file of ours: left, it holds nothing
            aside.clear();
        }
    }
    return made;
}

void ReplacingFile::putBack(const std::string& aside, const std::string& name) {
    if (aside.empty()) {
        return;
    }
    if (const IoStatus back = files_.rename(aside, name); !back.ok()) {
        note_ = withReason("The previous backup " + name + " could not be put back", back) +
                "; it is kept as " + aside + ".";
    }
}

IoStatus ReplacingFile::commit(bool backup, const std::vector<std::string>& keep,
                               const BackupFailed& goOnWithout) {
    if (!writer_)
        return IoStatus::failure(EBADF);
    backupName_.clear();
    note_.clear();
    // Everything is on the disk before any name changes.
    if (IoStatus done = writer_->finish(); !done.ok()) {
        writer_.reset();
        return done;
    }
    const std::string target = writer_->target();
    FileStatus old;
    const bool regular = files_.status(target, old).ok() && old.isRegular();
    std::string kept;  // the backup this save made
    std::string aside; // where the backup before it waits meanwhile
    if (backup && regular && !hasBackupExtension(target)) {
        IoStatus why;
        const std::string name = chooseBackupName(target, keep, why);
        if (why.ok()) {
            why = moveAside(name, aside);
        }
        if (why.ok()) {
            why = keepOldFile(files_, target, old, name);
        }
        if (why.ok()) {
            kept = name;
        } else {
            putBack(aside, name);
            aside.clear();
        }
        if (!why.ok() &&
            !(goOnWithout && goOnWithout(target, name.empty() ? target + ".bak" : name, why))) {
            writer_.reset();
            return IoStatus::failure(ECANCELED);
        }
    }
    // One rename: the target's name holds the old file until it holds the new.
    IoStatus done = writer_->commit();
    writer_.reset();
    if (!done.ok()) {
        // The target is the old file still; its backup goes, and the one
        // before it returns.
        if (!aside.empty()) {
            putBack(aside, kept);
        } else if (!kept.empty()) {
            // Left, it would only be a second copy of the target.
            (void)files_.remove(kept);
        }
        return done;
    }
    if (!aside.empty()) {
        if (const IoStatus removed = files_.remove(aside); !removed.ok()) {
            note_ = withReason("The previous backup, kept as " + aside + ", could not be removed",
                               removed) +
                    ".";
        }
    }
    backupName_ = kept;
    return done;
}

} // namespace tandel
