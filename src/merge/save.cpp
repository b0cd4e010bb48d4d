#include "merge/save.h"

#include "frame/command_ids.h"
#include "frame/frame.h"
#include "merge/disk_state.h"
#include "merge/merged_output.h"
#include "merge/output_sinks.h"
#include "merge/result_file.h"
#include "merge/side_loader.h"
#include "settings/settings_record.h"

#include <strings.h>

namespace tandel {

namespace {

std::string baseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Save As: the chosen name, or empty when the dialog was cancelled.
std::string chooseTarget(MergeModel& model, Settings& settings, Frame& frame) {
    if (model.saveNameFromSwitch) {
        return model.saveName;
    }
    std::string proposal;
    const std::string base1 = baseName(model.side(1).fileName);
    const std::string base2 = baseName(model.side(2).fileName);
    if (!base1.empty() && ::strcasecmp(base1.c_str(), base2.c_str()) == 0) {
        const std::string& directory = settings.files.outDir;
        proposal = directory.empty() || directory.back() == '/' ? directory + base1
                                                                : directory + "/" + base1;
    }
    std::string chosen;
    if (!frame.chooseSaveFile(settings.files.outDir, proposal, chosen) || chosen.empty()) {
        return {};
    }
    const std::size_t slash = chosen.rfind('/');
    if (slash != std::string::npos) {
        settings.files.outDir = chosen.substr(0, slash + 1);
    }
    model.saveName = chosen;
    return chosen;
}

bool write(MergeModel& model, Settings& settings, Frame& frame, const std::string& target) {
    if (frame.previewOpen() && frame.previewModified()) {
        return savePreviewText(model, settings.record, frame, target) == WriteResult::Written;
    }
    return produceResult(model, settings.record, frame, target, OutputSink::File,
                         settings.record.diffsOnly != 0) == ProduceResult::Done;
}

} // namespace

SaveResult saveResult(MergeModel& model, Settings& settings, Frame& frame, int which) {
    const bool walking = settings.record.directoryWalk != 0;
    // What cannot be saved is said before a name is asked for.
    const bool previewEdited = frame.previewOpen() && frame.previewModified();
    if (!previewEdited &&
        !readyToProduce(model, settings.record, frame, settings.record.diffsOnly != 0)) {
        return SaveResult::NotStarted;
    }
    std::string target;
    if (which == kSaveAsLeft || which == kSaveAsRight) {
        target = model.side(which).fileName;
    } else if (walking) {
        target = model.pairOutputPath;
        if (target.empty()) {
            frame.message(Severity::Error, "Error #1");
            return SaveResult::NotStarted;
        }
    } else {
        target = chooseTarget(model, settings, frame);
        if (target.empty()) {
            return SaveResult::NotStarted;
        }
    }
    const bool written = write(model, settings, frame, target);
    if (!written) {
        return SaveResult::NotWritten;
    }
    if (walking) {
        clearBothSides(model, settings.record, frame);
        frame.postCommand(cmd::kWalkNext);
    } else if ((which == kSaveAsLeft || which == kSaveAsRight) &&
               changedSinceLoad(*model.files, model.side(which))) {
        // That side's file is the result now: show it as it is, compared again.
        frame.postCommand(cmd::kCompareFiles);
    }
    return SaveResult::Saved;
}

WriteResult savePreviewText(MergeModel& model, const SettingsRecord& settings, Frame& frame,
                            const std::string& name) {
    return writeResultFile(model, frame, name,
                           [&](ReplacingFile& file) {
                               const std::string text = frame.previewText();
                               std::string bytes;
                               if (settings.unixFormat == 0 || previewWantsCrLf(model)) {
                                   appendWithCrLf(bytes, text);
                               } else {
                                   bytes = text;
                               }
                               const IoStatus written = file.write(bytes);
                               if (!written.ok()) {
                                   frame.message(
                                       Severity::Error,
                                       withReason("Error writing output file " + name, written));
                               }
                               return written.ok();
                           },
                           {});
}

bool previewWantsCrLf(const MergeModel& model) {
    // The preview holds line feeds only; its text goes out in the style of
    // file 1, which the result is made from.
    const SideRecord& side = model.side(1);
    const std::size_t terminated =
        static_cast<std::size_t>(side.lineCount) - (side.ends.lastUnterminated ? 1 : 0);
    return side.ends.crLfCount * 2 > terminated;
}

} // namespace tandel
