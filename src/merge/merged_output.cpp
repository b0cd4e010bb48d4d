#include "merge/merged_output.h"

#include "merge/command_ids.h"
#include "merge/decisions.h"
#include "merge/frame.h"
#include "merge/merge_walk.h"
#include "merge/replacing_file.h"
#include "merge/result_copy.h"
#include "merge/save.h"
#include "settings/settings_record.h"

namespace tandel {

namespace {

bool walk(const MergeModel& model, Frame& frame, LineSink& sink, bool differencesOnly) {
    if (differencesOnly) {
        if (DifferencesWalk(model, frame, sink)) {
            return true;
        }
        frame.message(Severity::Error, "Unable to show differences");
        return false;
    }
    if (MergeWalk(model, frame, sink)) {
        return true;
    }
    frame.message(Severity::Error, "Unable to merge files");
    return false;
}

int produceFile(MergeModel& model, const SettingsRecord& settings, Frame& frame,
                const std::string& target, bool differencesOnly) {
    FileSystem& files = *model.files;
    const std::vector<std::string> inputs = {model.side(1).fileName, model.side(2).fileName};
    if (!model.side(1).hasLists() && !model.side(2).hasLists()) {
        // Identical files: the result is file 1 as it is on disk.
        if (target == inputs[0] || sameFile(files, target, inputs[0]) ||
            sameFile(files, target, inputs[1])) {
            return 0;
        }
        return CopyResultFile(files, frame, inputs[0], target, inputs) == CopyOutcome::Copied ? 0
                                                                                              : -1;
    }
    if (FileExists(files, target) && !ConfirmOverwrite(frame, target)) {
        return -1;
    }
    ReplacingFile file(files);
    const IoStatus opened = file.open(target);
    if (!opened.ok()) {
        frame.message(Severity::Error, withReason("Error opening output file " + target, opened));
        return -1;
    }
    FileSink sink(file, target, settings.unixFormat != 0, frame);
    if (!walk(model, frame, sink, differencesOnly)) {
        return -1;
    }
    const IoStatus committed = file.commit(true, inputs);
    if (!committed.ok()) {
        frame.message(Severity::Error,
                      withReason("Error writing output file " + target, committed));
        frame.message(Severity::Error,
                      differencesOnly ? "Unable to show differences" : "Unable to merge files");
        return -1;
    }
    return 0;
}

} // namespace

int Produce(MergeModel& model, const SettingsRecord& settings, Frame& frame,
            const std::string& target, OutputSink sink, bool differencesOnly,
            bool directoryWindow) {
    if (sink == OutputSink::Printer && directoryWindow) {
        // The directory lists are printed as they stand: the pair the list
        // build compared last is neither a result to check nor to resolve.
        if (!frame.startPrint(kPrintDocumentName)) {
            return -1;
        }
        frame.printDirectoryLists();
        frame.endPrint();
        return 0;
    }
    if (settings.notYetCompared != 0) {
        frame.message(Severity::Info, "Files have not been compared yet");
        return 1;
    }
    if (!differencesOnly && AnyUnresolved(model)) {
        frame.message(Severity::Error, "You have unresolved difference(s) !");
        frame.postCommand(cmd::kNextUnresolved);
        return 1;
    }
    switch (sink) {
    case OutputSink::File:
        return produceFile(model, settings, frame, target, differencesOnly);
    case OutputSink::Printer: {
        if (!frame.startPrint(kPrintDocumentName)) {
            return -1;
        }
        PrinterSink printer(frame);
        const bool ok = walk(model, frame, printer, differencesOnly);
        frame.endPrint();
        return ok ? 0 : -1;
    }
    case OutputSink::Preview: {
        if (frame.previewOpen()) {
            frame.setPreviewText({});
        } else {
            frame.openPreview();
        }
        TextSink buffer;
        if (!walk(model, frame, buffer, differencesOnly)) {
            return -1;
        }
        frame.setPreviewText(buffer.text());
        frame.setPreviewModified(false);
        return 0;
    }
    }
    return -1;
}

std::string MergedText(const MergeModel& model, Frame& frame, bool differencesOnly) {
    TextSink buffer;
    if (differencesOnly) {
        DifferencesWalk(model, frame, buffer);
    } else {
        MergeWalk(model, frame, buffer);
    }
    return std::move(buffer.text());
}

} // namespace tandel
