#include "merge/merged_output.h"

#include "merge/command_ids.h"
#include "merge/decisions.h"
#include "merge/disk_state.h"
#include "merge/frame.h"
#include "merge/merge_walk.h"
#include "merge/replacing_file.h"
#include "merge/result_copy.h"
#include "merge/save.h"
#include "settings/settings_record.h"

#include <algorithm>

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

bool binaryPair(const MergeModel& model) {
    return model.side(1).binary || model.side(2).binary;
}

std::string binaryDiffer(const MergeModel& model) {
    return "Binary files " + model.side(1).fileName + " and " + model.side(2).fileName +
           " differ";
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
        if (CopyResultFile(files, frame, inputs[0], target, inputs) != CopyOutcome::Copied) {
            return -1;
        }
        NoteWritten(model, target);
        model.decisionsUnsaved = false;
        return 0;
    }
    if (!ConfirmReplace(model, frame, target)) {
        return -1;
    }
    ReplacingFile file(files);
    const IoStatus opened = file.open(target, ResultPermissions(model));
    if (!opened.ok()) {
        frame.message(Severity::Error, withReason("Error opening output file " + target, opened));
        return -1;
    }
    FileSink sink(file, target,
                  settings.unixFormat != 0 ? LineEndPolicy::Own : LineEndPolicy::CrLf, frame);
    if (differencesOnly && binaryPair(model)) {
        if (!sink.put(binaryDiffer(model) + "\n")) {
            return -1;
        }
    } else if (!walk(model, frame, sink, differencesOnly)) {
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
    NoteWritten(model, target);
    model.decisionsUnsaved = false;
    return 0;
}

// A binary file is taken whole from one side or not at all.
bool bothSidesOfBinary(const MergeModel& model) {
    const std::int32_t n = std::min(model.side(1).segmentCount(), model.side(2).segmentCount());
    for (std::int32_t i = 0; i < n; ++i) {
        if (JudgingMark(model, i, 1) != CHOICE_NONE && JudgingMark(model, i, 2) != CHOICE_NONE) {
            return true;
        }
    }
    return false;
}

} // namespace

bool ReadyToProduce(const MergeModel& model, const SettingsRecord& settings, Frame& frame,
                    bool differencesOnly) {
    if (settings.notYetCompared != 0) {
        frame.message(Severity::Info, "Files have not been compared yet");
        return false;
    }
    if (differencesOnly) {
        return true;
    }
    if (AnyUnresolved(model)) {
        frame.message(Severity::Error, "You have unresolved difference(s) !");
        frame.postCommand(cmd::kNextUnresolved);
        return false;
    }
    if (binaryPair(model) && bothSidesOfBinary(model)) {
        frame.message(Severity::Error,
                      binaryDiffer(model) + ": a binary file is taken whole from one side, "
                                            "never merged with the other");
        return false;
    }
    return true;
}

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
    if (!ReadyToProduce(model, settings, frame, differencesOnly)) {
        return 1;
    }
    if (sink != OutputSink::File && binaryPair(model)) {
        frame.message(Severity::Info, (model.side(1).hasLists() ? binaryDiffer(model)
                                                                 : "The files are binary") +
                                          ": they are not shown as text");
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
