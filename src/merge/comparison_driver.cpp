#include "merge/comparison_driver.h"

#include "frame/command_ids.h"
#include "merge/segment_map.h"
#include "merge/session.h"
#include "merge/side_loader.h"
#include "merge/unattended_save.h"
#include "merge/unsaved_decisions.h"

namespace tandel {

std::vector<std::string> buildEngineArguments(const EngineSwitches& switches,
                                              const std::string& file1, const std::string& file2) {
    std::vector<std::string> arguments{"diff", "-s", "-a"};
    if (switches.compressSpaces || switches.tableMode || switches.ignoreComments) {
        arguments.emplace_back("-b");
    }
    if (switches.ignoreAllSpaces) {
        arguments.emplace_back("-w");
    }
    // Names are names, even when they start with "-".
    arguments.emplace_back("--");
    arguments.push_back(file1);
    arguments.push_back(file2);
    return arguments;
}

EngineSwitches engineSwitches(const Session& app) {
    EngineSwitches switches;
    switches.compressSpaces = app.settings.record.compressSpaces != 0;
    switches.ignoreAllSpaces = app.settings.record.ignoreAllSpaces != 0;
    switches.tableMode = app.compare.tableMode != 0;
    switches.ignoreComments = app.compare.ignoreComments != 0;
    return switches;
}

bool beginCompareFiles(Session& app) {
    MergeModel& model = app.model;
    Frame& frame = app.frame();
    if (!app.frameState.unattended && !mayDropDecisions(model, app.settings, frame)) {
        return false;
    }
    model.loadedSinceComparison = {false, false};
    app.frameState.lastCompareResult = CompareResult::Failed;
    if (frame.previewOpen()) {
        frame.closePreview();
    }
    return true;
}

bool readyToCompareFiles(const Session& app) {
    // An empty side (an empty file, /dev/null) is compared too: the other
    // file is then one difference that can be taken.
    const MergeModel& model = app.model;
    return (!model.side(1).fileName.empty() && !model.side(2).fileName.empty()) ||
           app.frameState.unattended;
}

void finishCompareFiles(Session& app, CompareResult result, bool compared) {
    MergeModel& model = app.model;
    SettingsRecord& record = app.settings.record;
    Frame& frame = app.frame();
    if (compared) {
        app.frameState.lastCompareResult = result;
        if (result == CompareResult::Failed) {
            if (app.frameState.unattended) {
                requestQuit(app, kUnattendedFailure);
            }
            return;
        }
        if (result == CompareResult::Identical && !app.frameState.unattended) {
            // During the directory walk the walk itself copies the identical
            // pair and steps on, from the result it reads back.
            return;
        }
    }

    record.rowCount = static_cast<std::int32_t>(displayLineCount(model));
    frame.modelChanged(ModelEvent::ComparisonFinished);

    if (app.frameState.unattended) {
        requestQuit(app, exitCodeOf(saveUnattendedResult(app)));
    } else if (record.autoWalk != 0) {
        frame.postCommand(cmd::kFirstSegment);
    }
}

void compareFilesCommand(Session& app) {
    if (!beginCompareFiles(app)) {
        return;
    }
    const bool compared = readyToCompareFiles(app);
    CompareResult result = CompareResult::Failed;
    if (compared) {
        result = compareFiles(app, app.model.side(1).fileName, app.model.side(2).fileName);
    }
    finishCompareFiles(app, result, compared);
}

CompareResult loadPairAndCompare(Session& app, const std::string& left, const std::string& right) {
    MergeModel& model = app.model;
    app.frameState.lastCompareResult = CompareResult::Failed;
    // Flags left from an earlier pair must not start a comparison half-way.
    model.loadedSinceComparison = {false, false};
    if (loadSide(model, app.settings.record, app.frame(), left, 1) != LoadResult::Loaded ||
        loadSide(model, app.settings.record, app.frame(), right, 2) != LoadResult::Loaded) {
        return CompareResult::Failed;
    }
    // With the walk flag set the second load has sent Compare Files already.
    return app.frameState.lastCompareResult;
}

} // namespace tandel
