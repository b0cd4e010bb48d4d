#include "dirmerge/copy_path.h"

#include "dirmerge/file_copy.h"
#include "dirmerge/names.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <vector>

namespace tandel {

namespace {

bool hasBakExtension(const std::string& path) {
    const std::string_view name = lastComponent(path);
    return name.size() >= 4 && compareIgnoringCase(name.substr(name.size() - 4), ".bak") == 0;
}

FileId idOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino), true};
}

class CopyJob {
public:
    CopyJob(CopyServices& services, int& replaceAnswer) : s_(services), replace_(replaceAnswer) {}

    int copy(const std::string& source, const std::string& destination, bool destinationNew);

private:
    void error(const std::string& text) { s_.frame.message(Severity::Error, text); }
    void requestCancel() { s_.frame.postCommand(cmd::kWalkCancel); }

    // 1 go on, 0 skip.
    int decideReplace(const std::string& source, const std::string& destination);
    // 1 go on, 0 skip, -1 cancelled.
    int decideAfterFailedBackup(const std::string& destination);
    int copyTree(const std::string& source, const std::string& destination, bool destinationNew);

    CopyServices& s_;
    int& replace_;
    // Destination directories of this copy: a source directory among them is
    // the copy's own output (destination inside the source) and is not copied
    // again, or the copy would never end.
    std::vector<FileId> outputDirs_;
};

int CopyJob::decideReplace(const std::string& source, const std::string& destination) {
    const Question question{QuestionKind::ReplaceFile, destination,
                            "Destination file " + destination +
                                " already exists.\nReplace it with " + source + " ?"};
    switch (replace_) {
    case kAskWithMessageBox: {
        const int a = s_.frame.askYesNoCancel("Confirm file operation", question);
        if (a == kAnswerYes)
            return 1;
        if (a == kAnswerCancel)
            requestCancel();
        return 0;
    }
    case kNoToAll:
        return 0;
    case kYesToAll:
        return 1;
    default:
        break;
    }
    switch (s_.frame.askPermission(question)) {
    case kAnswerYes:
        return 1;
    case kAnswerYesToAll:
        replace_ = kYesToAll;
        return 1;
    case kAnswerNoToAll:
        replace_ = kNoToAll;
        return 0;
    case kAnswerCancel:
        requestCancel();
        return 0;
    default:
        return 0;
    }
}

int CopyJob::decideAfterFailedBackup(const std::string& destination) {
    int& answer = s_.answers.backupFailure;
    if (answer == kNoToAll)
        return 0;
    if (answer == kYesToAll)
        return 1;
    switch (
        s_.frame.askPermission({QuestionKind::BackupFailed, destination,
                                "Unable to back up " + destination +
                                    ".\nWould you like to proceed with overriding this file?"})) {
    case kAnswerYes:
        return 1;
    case kAnswerYesToAll:
        answer = kYesToAll;
        return 1;
    case kAnswerNoToAll:
        answer = kNoToAll;
        return 0;
    case kAnswerCancel:
        requestCancel();
        return -1;
    default:
        return 0;
    }
}

int CopyJob::copy(const std::string& source, const std::string& destination, bool destinationNew) {
    struct stat src {};
    if (::stat(source.c_str(), &src) != 0) {
        error("Can not open " + source);
        return 1;
    }
    const bool sourceIsDir = S_ISDIR(src.st_mode);
    if (!sourceIsDir && !S_ISREG(src.st_mode)) {
        // A pipe or a device would be read for ever, or be replaced by a copy.
        error("Can not copy " + source + ": not a regular file");
        return 1;
    }
    bool destinationIsDir = false;
    if (!destinationNew) {
        struct stat dst {};
        if (::stat(destination.c_str(), &dst) != 0) {
            destinationNew = true;
        } else {
            // The same file under another spelling: nothing to do, and
            // backing it up first would move the source away.
            if (idOf(dst) == idOf(src))
                return 0;
            destinationIsDir = S_ISDIR(dst.st_mode);
            if (!sourceIsDir && destinationIsDir) {
                error(destination + ": cannot overwrite directory with non-directory");
                return 1;
            }
            if (!sourceIsDir && decideReplace(source, destination) == 0)
                return 0;
            if (!destinationIsDir) {
                if (!hasBakExtension(destination) &&
                    (!s_.makeBackup || s_.makeBackup(destination) != 0)) {
                    const int go = decideAfterFailedBackup(destination);
                    if (go <= 0)
                        return go < 0 ? 1 : 0;
                }
                destinationNew = true;
            }
        }
    }

    if (sourceIsDir) {
        if (destinationNew || !destinationIsDir) {
            if (::mkdir(destination.c_str(), 0777) != 0) {
                error("can not create directory " + destination);
                return 1;
            }
        }
        return copyTree(source, destination, destinationNew);
    }

    if (copyFileReplacing(s_.files, source, destination) != 0) {
        error("Can not copy " + source);
        return 1;
    }
    return 0;
}

int CopyJob::copyTree(const std::string& source, const std::string& destination,
                      bool destinationNew) {
    outputDirs_.push_back(fileIdentity(destination));
    std::vector<FolderEntry> entries;
    if (!s_.files.listFolder(source, entries).ok()) {
        error("Can not copy " + source);
        return 1;
    }
    std::vector<std::string> names;
    for (FolderEntry& entry : entries) {
        if (entry.isLink && entry.kind == FileKind::Directory)
            continue; // a linked directory could lead back into this tree
        names.push_back(std::move(entry.name));
    }

    int result = 0;
    for (const auto& name : names) {
        const std::string from = joinPath(source, name);
        const FileId id = fileIdentity(from);
        if (id.valid && std::find(outputDirs_.begin(), outputDirs_.end(), id) != outputDirs_.end())
            continue;
        if (copy(from, joinPath(destination, name), destinationNew) != 0)
            result = 1;
    }
    return result;
}

} // namespace

int copyPath(CopyServices& services, const std::string& source, const std::string& destination,
             int& replaceAnswer) {
    if (sameFile(source, destination))
        return 0;
    CopyJob job(services, replaceAnswer);
    struct stat dst {};
    if (::stat(destination.c_str(), &dst) != 0)
        return job.copy(source, destination, true);
    if (!S_ISDIR(dst.st_mode))
        return job.copy(source, destination, false);

    std::string src = source;
    while (src.size() > 1 && src.back() == '/')
        src.pop_back();
    struct stat st {};
    if (::stat(src.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return job.copy(src, destination, false);
    const std::string_view last = lastComponent(src);
    const std::string target = last == ".." ? destination : joinPath(destination, last);
    return job.copy(src, target, false);
}

} // namespace tandel
