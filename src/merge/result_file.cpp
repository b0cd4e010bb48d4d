#include "merge/result_file.h"

#include "frame/frame.h"
#include "merge/disk_state.h"

#include <cerrno>

namespace tandel {

WriteResult writeResultFile(MergeModel& model, Frame& frame, const std::string& target,
                            const std::function<bool(ReplacingFile&)>& fill,
                            std::string_view failure) {
    FileSystem& files = *model.files;
    if (!confirmReplace(model, frame, target)) {
        return WriteResult::NotWritten;
    }
    ReplacingFile file(files);
    const IoStatus opened = file.open(target, resultPermissions(model));
    if (!opened.ok()) {
        frame.message(Severity::Error, withReason("Error opening output file " + target, opened));
        return WriteResult::NotWritten;
    }
    if (!fill(file)) {
        return WriteResult::NotWritten;
    }
    const auto goOnWithout = [&frame, &target](const std::string& old, const std::string& backup,
                                               const IoStatus& why) {
        const Question question{QuestionKind::BackupFailed, target,
                                "Unable to back up " + old + " (" + withReason(backup, why) +
                                    ").\nWould you like to proceed with overriding this file?"};
        const Answer answer = frame.askPermission(question);
        return answer == Answer::Yes || answer == Answer::YesToAll;
    };
    const IoStatus committed =
        file.commit(true, {model.side(1).fileName, model.side(2).fileName}, goOnWithout);
    const auto sayNote = [&frame, &file] {
        if (!file.note().empty()) {
            frame.message(Severity::Warning, file.note());
        }
    };
    if (committed.error() == ECANCELED) {
        sayNote();
        return WriteResult::NotWritten; // the user said no; the question said why
    }
    if (!committed.ok()) {
        frame.message(Severity::Error,
                      withReason("Error writing output file " + target, committed));
        if (!failure.empty()) {
            frame.message(Severity::Error, std::string(failure));
        }
        sayNote();
        return WriteResult::NotWritten;
    }
    sayNote();
    if (!file.backupName().empty() && file.backupName() != target + ".bak") {
        frame.message(Severity::Info, "The old " + target + " was kept as " + file.backupName());
    }
    noteWritten(model, target);
    model.decisionsUnsaved = false;
    frame.notice("Saved to " + target);
    return WriteResult::Written;
}

} // namespace tandel
