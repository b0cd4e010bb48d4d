#include "merge/merged_output.h"

#include "frame/command_ids.h"
#include "frame/frame.h"
#include "merge/decisions.h"
#include "merge/disk_state.h"
#include "merge/merge_walk.h"
#include "merge/result_file.h"
#include "merge/save.h"
#include "settings/settings_record.h"

#include <algorithm>

namespace tandel {

namespace {

bool walk(const MergeModel& model, Frame& frame, LineSink& sink, bool differencesOnly) {
    if (differencesOnly) {
        if (differencesWalk(model, frame, sink)) {
            return true;
        }
        frame.message(Severity::Error, "Unable to show differences");
        return false;
    }
    if (mergeWalk(model, frame, sink)) {
        return true;
    }
    frame.message(Severity::Error, "Unable to merge files");
    return false;
}

bool binaryPair(const MergeModel& model) {
    return model.side(1).binary || model.side(2).binary;
}

std::string binaryDiffer(const MergeModel& model) {
    return "Binary files " + model.side(1).fileName + " and " + model.side(2).fileName + " differ";
}

ProduceResult produceFile(MergeModel& model, const SettingsRecord& settings, Frame& frame,
                          const std::string& target, bool differencesOnly) {
    FileSystem& files = *model.files;
    const bool identical = !model.side(1).hasLists() && !model.side(2).hasLists();
    if (identical) {
        // The result is file 1 as it was compared: nothing to write over
        // either input, else its bytes from memory.
        for (const SideRecord& side : model.sides) {
            if (target == side.fileName || sameFile(files, target, side.fileName)) {
                return ProduceResult::Done;
            }
        }
    }
    const std::string_view failure =
        identical || !differencesOnly ? "Unable to merge files" : "Unable to show differences";
    const WriteResult written = writeResultFile(
        model, frame, target,
        [&](ReplacingFile& file) {
            const LineEndPolicy ends =
                settings.unixFormat != 0 || identical ? LineEndPolicy::Own : LineEndPolicy::CrLf;
            FileSink sink(file, target, ends, frame);
            if (identical) {
                return mergeWalk(model, frame, sink);
            }
            if (differencesOnly && binaryPair(model)) {
                return sink.put(binaryDiffer(model) + "\n");
            }
            return walk(model, frame, sink, differencesOnly);
        },
        failure);
    return written == WriteResult::Written ? ProduceResult::Done : ProduceResult::Failed;
}

// A binary file is taken whole from one side or not at all.
bool bothSidesOfBinary(const MergeModel& model) {
    const std::int32_t n = std::min(model.side(1).segmentCount(), model.side(2).segmentCount());
    for (std::int32_t i = 0; i < n; ++i) {
        if (judgingMark(model, i, 1) != Choice::None && judgingMark(model, i, 2) != Choice::None) {
            return true;
        }
    }
    return false;
}

} // namespace

bool readyToProduce(const MergeModel& model, const SettingsRecord& settings, Frame& frame,
                    bool differencesOnly) {
    if (settings.notYetCompared != 0) {
        frame.message(Severity::Info, "Files have not been compared yet");
        return false;
    }
    // A large file stays mapped while it is shown: rewritten in place, its
    // lines are no longer the ones the choices were made on.
    for (const SideRecord& side : model.sides) {
        if (!side.lineBuffer.unchanged()) {
            frame.message(Severity::Error, "File " + side.fileName +
                                               " has changed on disk since it was loaded. "
                                               "Compare the files again before saving.");
            return false;
        }
    }
    if (differencesOnly) {
        return true;
    }
    if (anyUnresolved(model)) {
        frame.message(Severity::Error, "You have unresolved difference(s) !");
        frame.postCommand(cmd::kNextUnresolved);
        return false;
    }
    if (binaryPair(model) && bothSidesOfBinary(model)) {
        frame.message(Severity::Error, binaryDiffer(model) +
                                           ": a binary file is taken whole from one side, "
                                           "never merged with the other");
        return false;
    }
    return true;
}

ProduceResult produceResult(MergeModel& model, const SettingsRecord& settings, Frame& frame,
                            const std::string& target, OutputSink sink, bool differencesOnly,
                            bool directoryWindow) {
    if (sink == OutputSink::Printer && directoryWindow) {
        // The directory lists are printed as they stand: the pair the list
        // build compared last is neither a result to check nor to resolve.
        if (!frame.startPrint(kPrintDocumentName)) {
            return ProduceResult::Failed;
        }
        frame.printDirectoryLists();
        frame.endPrint();
        return ProduceResult::Done;
    }
    if (!readyToProduce(model, settings, frame, differencesOnly)) {
        return ProduceResult::Refused;
    }
    if (sink != OutputSink::File && binaryPair(model)) {
        frame.message(Severity::Info,
                      (model.side(1).hasLists() ? binaryDiffer(model) : "The files are binary") +
                          ": they are not shown as text");
        return ProduceResult::Refused;
    }
    switch (sink) {
    case OutputSink::File:
        return produceFile(model, settings, frame, target, differencesOnly);
    case OutputSink::Printer: {
        if (!frame.startPrint(kPrintDocumentName)) {
            return ProduceResult::Failed;
        }
        PrinterSink printer(frame);
        const bool ok = walk(model, frame, printer, differencesOnly);
        frame.endPrint();
        return ok ? ProduceResult::Done : ProduceResult::Failed;
    }
    case OutputSink::Preview: {
        if (frame.previewOpen()) {
            frame.setPreviewText({});
        } else {
            frame.openPreview();
        }
        TextSink buffer;
        if (!walk(model, frame, buffer, differencesOnly)) {
            return ProduceResult::Failed;
        }
        frame.setPreviewText(buffer.text());
        frame.setPreviewModified(false);
        return ProduceResult::Done;
    }
    }
    return ProduceResult::Failed;
}

std::string mergedText(const MergeModel& model, Frame& frame, bool differencesOnly) {
    TextSink buffer;
    if (differencesOnly) {
        differencesWalk(model, frame, buffer);
    } else {
        mergeWalk(model, frame, buffer);
    }
    return std::move(buffer.text());
}

} // namespace tandel
