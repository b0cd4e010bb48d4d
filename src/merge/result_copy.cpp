#include "merge/result_copy.h"

#include "merge/command_ids.h"
#include "merge/frame.h"
#include "merge/replacing_file.h"
#include "merge/save.h"

namespace tandel {

namespace {

std::string intoFolder(const std::string& folder, const std::string& source) {
    const std::size_t slash = source.rfind('/');
    const std::string name = slash == std::string::npos ? source : source.substr(slash + 1);
    return (folder.back() == '/' ? folder : folder + "/") + name;
}

// Yes or Yes to All go on; Cancel also ends a walk.
bool agreed(Frame& frame, int answer) {
    if (answer == kAnswerCancel) {
        frame.postCommand(cmd::kWalkCancel);
    }
    return answer == kAnswerYes || answer == kAnswerYesToAll;
}

} // namespace

CopyOutcome CopyResultFile(FileSystem& files, Frame& frame, const std::string& source,
                           const std::string& requested, const std::vector<std::string>& keep) {
    InputBytes input;
    const IoStatus read = files.readInput(source, 0, input);
    if (!read.ok()) {
        frame.message(Severity::Error, withReason("Can not open " + source, read));
        return CopyOutcome::Failed;
    }
    std::string target = requested;
    FileStatus to;
    if (files.status(target, to).ok() && to.isDirectory()) {
        target = intoFolder(target, source);
    }
    const IoStatus looked = files.status(target, to);
    if (!looked.ok()) {
        frame.message(Severity::Error,
                      withReason("Can not copy " + source + " to " + target, looked));
        return CopyOutcome::Failed;
    }
    bool movedAside = false;
    if (to.kind != FileKind::Missing) {
        if (to.sameFileAs(input.status)) {
            return CopyOutcome::Copied;
        }
        if (to.isDirectory()) {
            frame.message(Severity::Error,
                          target + ": cannot overwrite directory with non-directory");
            return CopyOutcome::Failed;
        }
        const Question replace{QuestionKind::ReplaceFile, target,
                               "Destination file " + target + " already exists.\nReplace it with " +
                                   source + " ?"};
        if (!agreed(frame, frame.askYesNoCancel("Confirm file operation", replace))) {
            return CopyOutcome::Skipped;
        }
        // A ".bak" target is overwritten without a backup, and without a question.
        if (to.isRegular() && !HasBackupExtension(target)) {
            movedAside =
                MakeBackup(files, target, keep) == 0 && kindOf(files, target) == FileKind::Missing;
            const Question overwrite{QuestionKind::BackupFailed, target,
                                     "Unable to back up " + target +
                                         ".\nWould you like to proceed with overriding this file?"};
            if (!movedAside && !agreed(frame, frame.askPermission(overwrite))) {
                return CopyOutcome::Skipped;
            }
        }
    }
    ReplacingFile out(files);
    // A new copy is as executable, or as private, as its source.
    IoStatus copied = out.open(target, input.status.isRegular()
                                           ? std::optional<std::uint32_t>(input.status.permissions)
                                           : std::nullopt);
    if (copied.ok()) {
        copied = out.write(std::string_view(input.bytes.data(), input.length));
    }
    if (copied.ok()) {
        copied = out.commit(false, keep);
    }
    if (!copied.ok()) {
        out.discard();
        if (movedAside) {
            (void)files.rename(target + ".bak", target); // the old file goes back
        }
        frame.message(Severity::Error,
                      withReason("Can not copy " + source + " to " + target, copied));
        return CopyOutcome::Failed;
    }
    if (input.status.isRegular() && kindOf(files, target) == FileKind::Regular) {
        // Best effort: a file system that refuses times still has the copy.
        (void)files.setTimes(target, input.status.accessTime, input.status.writeTime);
    }
    return CopyOutcome::Copied;
}

} // namespace tandel
