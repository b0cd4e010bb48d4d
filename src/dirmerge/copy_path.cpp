#include "dirmerge/copy_path.h"

#include "dirmerge/file_copy.h"
#include "dirmerge/names.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

namespace tandel {

namespace {

bool hasBakExtension(const std::string& path) {
    const std::string_view name = lastComponent(path);
    return name.size() >= 4 && compareIgnoringCase(name.substr(name.size() - 4), ".bak") == 0;
}

class CopyJob {
public:
    CopyJob(CopyServices& services, int& replaceAnswer) : s_(services), replace_(replaceAnswer) {}

    CopyResult copy(const std::string& source, const std::string& destination, bool destinationNew);

private:
    void requestCancel() { s_.frame.postCommand(cmd::kWalkCancel); }
    void add(int OperationCount::*what) {
        if (s_.count != nullptr)
            ++(s_.count->*what);
    }
    CopyResult fail(const std::string& text) {
        s_.frame.message(Severity::Error, text);
        add(&OperationCount::failed);
        return CopyResult::Failed;
    }
    // A copy that failed after the old file was kept as `backup` (empty when
    // it was not) puts it back first when its name had to give way, and else
    // drops the backup just made, so that the destination is as it was.
    CopyResult failRestoring(const std::string& text, const std::string& destination,
                             const std::string& backup);

    // True to go on, false to skip.
    bool decideReplace(const std::string& source, const std::string& destination);
    enum class GoOn { Yes, Skip, Cancel };
    GoOn decideAfterFailedBackup(const std::string& destination);
    CopyResult copyTree(const std::string& source, const std::string& destination,
                        bool destinationNew);
    [[nodiscard]] IoStatus copyLink(const std::string& text, const std::string& destination);

    CopyServices& s_;
    int& replace_;
    // Destination directories of this copy: a source directory among them is
    // the copy's own output (destination inside the source) and is not copied
    // again, or the copy would never end.
    std::vector<FileStatus> outputDirs_;
};

bool CopyJob::decideReplace(const std::string& source, const std::string& destination) {
    const Question question{QuestionKind::ReplaceFile, destination,
                            "Destination file " + destination +
                                " already exists.\nReplace it with " + source + " ?"};
    switch (replace_) {
    case kAskWithMessageBox: {
        const Answer a = s_.frame.askYesNoCancel("Confirm file operation", question);
        if (a == Answer::Yes)
            return true;
        if (a == Answer::Cancel)
            requestCancel();
        return false;
    }
    case kNoToAll:
        return false;
    case kYesToAll:
        return true;
    default:
        break;
    }
    switch (s_.frame.askPermission(question)) {
    case Answer::Yes:
        return true;
    case Answer::YesToAll:
        replace_ = kYesToAll;
        return true;
    case Answer::NoToAll:
        replace_ = kNoToAll;
        return false;
    case Answer::Cancel:
        requestCancel();
        return false;
    default:
        return false;
    }
}

CopyJob::GoOn CopyJob::decideAfterFailedBackup(const std::string& destination) {
    int& answer = s_.answers.backupFailure;
    if (answer == kNoToAll)
        return GoOn::Skip;
    if (answer == kYesToAll)
        return GoOn::Yes;
    switch (
        s_.frame.askPermission({QuestionKind::BackupFailed, destination,
                                "Unable to back up " + destination +
                                    ".\nWould you like to proceed with overriding this file?"})) {
    case Answer::Yes:
        return GoOn::Yes;
    case Answer::YesToAll:
        answer = kYesToAll;
        return GoOn::Yes;
    case Answer::NoToAll:
        answer = kNoToAll;
        return GoOn::Skip;
    case Answer::Cancel:
        requestCancel();
        return GoOn::Cancel;
    default:
        return GoOn::Skip;
    }
}

CopyResult CopyJob::failRestoring(const std::string& text, const std::string& destination,
                                  const std::string& backup) {
    if (backup.empty())
        return fail(text);
    FileStatus left;
    if (s_.files.status(destination, left, false).ok() && left.kind != FileKind::Missing) {
        // The old file still has its name: the backup was a second name for it.
        static_cast<void>(s_.files.remove(backup)); // best effort: a spare copy of the old file
        return fail(text);
    }
    const IoStatus restored = s_.files.rename(backup, destination);
    if (restored.ok())
        return fail(text);
    return fail(text + "\n" +
                withReason("The file it was to replace is kept as " + backup, restored));
}

CopyResult CopyJob::copy(const std::string& source, const std::string& destination,
                         bool destinationNew) {
    FileStatus src;
    const IoStatus looked = s_.files.status(source, src, false);
    if (!looked.ok() || src.kind == FileKind::Missing)
        return fail(
            withReason("Can not open " + source, looked.ok() ? IoStatus::failure(ENOENT) : looked));
    const bool sourceIsLink = src.kind == FileKind::Link;
    const bool sourceIsDir = src.isDirectory();
    if (!sourceIsLink && !sourceIsDir && !src.isRegular()) {
        // A pipe or a device would be read for ever, or be replaced by a copy.
        return fail("Can not copy " + source + ": not a regular file");
    }
    std::string linkText;
    if (sourceIsLink) {
        if (const IoStatus read = s_.files.readLink(source, linkText); !read.ok())
            return fail(withReason("Can not copy " + source, read));
    }
    bool destinationIsDir = false;
    std::optional<std::uint32_t> keepPermissions;
    std::string backup; // where the replaced file went, when it was moved aside
    FileStatus dst;
    // A link takes the place of the name itself; anything else goes where
    // the name leads.
    if (!destinationNew &&
        (!s_.files.status(destination, dst, !sourceIsLink).ok() || dst.kind == FileKind::Missing))
        destinationNew = true;
    if (!destinationNew) {
        // The same file under another spelling: nothing to do, and backing
        // it up first would move the source away.
        if (dst.sameFileAs(src))
            return CopyResult::Done;
        destinationIsDir = dst.isDirectory();
        if (!sourceIsDir && destinationIsDir)
            return fail(destination + ": cannot overwrite directory with non-directory");
        std::string oldText;
        if (sourceIsLink && dst.kind == FileKind::Link &&
            s_.files.readLink(destination, oldText).ok() && oldText == linkText)
            return CopyResult::Done; // that very link is there already
        if (!sourceIsDir && !decideReplace(source, destination)) {
            add(&OperationCount::skipped);
            return CopyResult::Done;
        }
        if (!destinationIsDir) {
            if (dst.isRegular())
                keepPermissions = dst.permissions;
            if (hasBakExtension(destination)) {
                // overwritten without a backup of its own
            } else if (s_.makeBackup && s_.makeBackup(destination) == BackupResult::Made) {
                backup = destination + ".bak";
            } else {
                switch (decideAfterFailedBackup(destination)) {
                case GoOn::Yes:
                    break;
                case GoOn::Skip:
                    add(&OperationCount::skipped);
                    return CopyResult::Done;
                case GoOn::Cancel:
                    return CopyResult::Failed;
                }
            }
            destinationNew = true;
        }
    }

    if (sourceIsDir) {
        if (destinationNew || !destinationIsDir) {
            // A file that gives way to the folder is kept as its backup, if any.
            IoStatus made;
            FileStatus left;
            if (!backup.empty() && s_.files.status(destination, left, false).ok() &&
                left.kind != FileKind::Missing)
                made = s_.files.remove(destination);
            if (made.ok())
                made = s_.files.makeFolder(destination);
            if (!made.ok())
                return failRestoring(withReason("can not create directory " + destination, made),
                                     destination, backup);
        }
        return copyTree(source, destination, destinationNew);
    }
    const IoStatus copied = sourceIsLink
                                ? copyLink(linkText, destination)
                                : copyFileReplacing(s_.files, source, destination, keepPermissions);
    if (!copied.ok())
        return failRestoring(withReason("Can not copy " + source, copied), destination, backup);
    add(&OperationCount::copied);
    return CopyResult::Done;
}

IoStatus CopyJob::copyLink(const std::string& text, const std::string& destination) {
    const IoStatus made = s_.files.makeLink(text, destination);
    if (made.error() != EEXIST)
        return made;
    // What stayed under the name (no backup was wanted or could be made, and
    // the user chose to go on) gives way to the link.
    if (const IoStatus removed = s_.files.remove(destination); !removed.ok())
        return removed;
    return s_.files.makeLink(text, destination);
}

CopyResult CopyJob::copyTree(const std::string& source, const std::string& destination,
                             bool destinationNew) {
    FileStatus output;
    if (s_.files.status(destination, output).ok() && output.isDirectory())
        outputDirs_.push_back(output);
    std::vector<FolderEntry> entries;
    if (const IoStatus listed = s_.files.listFolder(source, entries); !listed.ok())
        return fail(withReason("Can not copy " + source, listed));

    CopyResult result = CopyResult::Done;
    for (const FolderEntry& entry : entries) {
        const bool ownOutput =
            !entry.isLink && entry.statusKnown &&
            std::any_of(outputDirs_.begin(), outputDirs_.end(),
                        [&](const FileStatus& dir) { return dir.sameFileAs(entry.status); });
        if (ownOutput)
            continue;
        if (copy(joinPath(source, entry.name), joinPath(destination, entry.name), destinationNew) !=
            CopyResult::Done)
            result = CopyResult::Failed;
    }
    return result;
}

} // namespace

CopyResult copyPath(CopyServices& services, const std::string& source,
                    const std::string& destination, int& replaceAnswer) {
    FileSystem& files = services.files;
    FileStatus self;
    const bool isLink = files.status(source, self, false).ok() && self.kind == FileKind::Link;
    FileStatus target;
    if (isLink ? files.status(destination, target, false).ok() && self.sameFileAs(target)
               : sameFile(files, source, destination))
        return CopyResult::Done;
    CopyJob job(services, replaceAnswer);
    FileStatus dst;
    if (!files.status(destination, dst).ok() || dst.kind == FileKind::Missing)
        return job.copy(source, destination, true);
    if (!dst.isDirectory())
        return job.copy(source, destination, false);

    std::string src = source;
    while (src.size() > 1 && src.back() == '/')
        src.pop_back();
    FileStatus st;
    if (files.status(src, st, false).ok() && st.isDirectory())
        return job.copy(src, destination, false);
    const std::string_view last = lastComponent(src);
    const std::string into = last == ".." ? destination : joinPath(destination, last);
    return job.copy(src, into, false);
}

} // namespace tandel
