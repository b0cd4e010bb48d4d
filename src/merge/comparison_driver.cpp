#include "merge/comparison_driver.h"

#include <sstream>

#include "engine/table_reducer.h"
#include "merge/command_ids.h"
#include "merge/disk_state.h"
#include "merge/file_format_label.h"
#include "merge/script_reader.h"
#include "merge/segment_map.h"
#include "merge/session.h"
#include "merge/side_loader.h"
#include "merge/unattended_save.h"
#include "merge/unsaved_decisions.h"

namespace tandel {

namespace {

class FrameMessageSink : public MessageSink {
public:
    explicit FrameMessageSink(Frame& frame) : frame_(frame) {}
    void engineMessage(const std::string& text) override { frame_.message(Severity::Error, text); }

private:
    Frame& frame_;
};

// Every way out of a comparison gives the user the normal cursor back.
class WaitCursor {
public:
    explicit WaitCursor(Frame& frame) : frame_(frame) { frame_.setWaitCursor(true); }
    ~WaitCursor() { frame_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Frame& frame_;
};

// A spent copy is rebuilt from its file before any comparison, whatever the
// mode: comparing blanked columns or comments as if they were the text would
// give a wrong result. The other side's loaded flag is held clear meanwhile so
// that the reload does not start a comparison of its own.
void reloadSpentCopies(Session& app) {
    MergeModel& model = app.model;
    for (int s = 1; s <= 2; ++s) {
        if (!model.side(s).reloadNeeded) {
            continue;
        }
        const int other = 3 - s;
        model.loadedSinceComparison[other - 1] = false;
        const std::string name = model.side(s).fileName;
        // A failed reload has shown its message; the lines on display are
        // intact and the run compares them.
        const bool reloaded = LoadSide(model, app.settings.record, app.frame(), name, s) == 0;
        model.side(s).reloadNeeded = !reloaded;
        model.loadedSinceComparison[other - 1] = true;
    }
}

} // namespace

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

EngineCall prepareEngineCall(const Session& app) {
    EngineCall call;
    // The comment definitions and table mode's column reducer enter the engine
    // here; the reducer lives in the call for the duration of the run.
    auto reducer = std::make_unique<TableReducer>(app.compare);
    call.context = makeEngineContext(app.compare, *reducer);
    call.tableReducer = std::move(reducer);
    return call;
}

namespace {

std::string wholeRange(std::int32_t lines) {
    return lines == 1 ? "1" : "1," + std::to_string(lines);
}

// Binary files are the same bytes or one difference from end to end: the
// result the engine would give for two one-line files, written here.
ScriptOutcome compareWhole(const SideRecord& one, const SideRecord& two, ScriptLists& lists) {
    if (one.binary && two.binary && one.line(0) == two.line(0)) {
        return ScriptOutcome::Identical;
    }
    std::string script;
    if (one.lineCount == 0) {
        script = "0a" + wholeRange(two.lineCount);
    } else if (two.lineCount == 0) {
        script = wholeRange(one.lineCount) + "d0";
    } else {
        script = wholeRange(one.lineCount) + "c" + wholeRange(two.lineCount);
    }
    std::istringstream in(script + "\n");
    return ReadScript(in, false, lists);
}

// Runs the engine on the two sides' texts; nullopt after a failure that has
// been reported. The result is handed over in memory, and whether the files
// are identical is the engine's status, never a line of text that a file
// name could imitate.
std::optional<ScriptOutcome> runEngine(Session& app, const std::string& file1,
                                       const std::string& file2, ScriptLists& lists) {
    MergeModel& model = app.model;
    Frame& frame = app.frame();
    const EngineSwitches switches = engineSwitches(app);
    std::vector<std::string> arguments = buildEngineArguments(switches, file1, file2);
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    EngineCall call = prepareEngineCall(app);
    call.context.files = model.files;
    StringWriter result("the comparison result");
    call.context.output = &result;
    FrameMessageSink sink(frame);
    const bool rewrites = switches.tableMode || switches.ignoreComments;
    const bool exactEnds = app.settings.record.ignoreLineEnds == 0;
    const EngineStatus engineStatus = app.engine.run(
        static_cast<int>(arguments.size()), argv.data(),
        model.side(1).engineText(rewrites, exactEnds), model.side(2).engineText(rewrites, exactEnds),
        sink, call.context);
    if (rewrites) {
        model.side(1).reloadNeeded = true;
        model.side(2).reloadNeeded = true;
    }
    switch (engineStatus) {
    case EngineStatus::Same:
        return ScriptOutcome::Identical;
    case EngineStatus::Different: {
        std::istringstream script(result.text());
        const ScriptOutcome outcome = ReadScript(script, app.frameState.directoryWindow, lists);
        // Only hunks are read from a difference: a stray identical report
        // cannot turn it into a sameness.
        return outcome == ScriptOutcome::Identical ? ScriptOutcome::DifferentNoLists : outcome;
    }
    case EngineStatus::UsageError:
    case EngineStatus::Trouble:
    case EngineStatus::Cancelled:
        break;
    }
    // A result the engine could not complete (it said why) is no comparison:
    // read as it stands, it would pass for "different, no segments", and a
    // save would take file 1 alone for the merge.
    return std::nullopt;
}

} // namespace

CompareResult compareFiles(Session& app, const std::string& file1, const std::string& file2) {
    MergeModel& model = app.model;
    SettingsRecord& record = app.settings.record;
    Frame& frame = app.frame();
    const bool quiet = app.frameState.directoryWindow;

    app.frameState.lastFoundPosition = -1;
    app.frameState.ignoreCase = false;
    WaitCursor wait(frame);

    if (quiet) {
        // A side that cannot be read must not be compared with the text the
        // previous pair left there.
        if (LoadSideQuiet(model, record, frame, file1, 1) != 0 ||
            LoadSideQuiet(model, record, frame, file2, 2) != 0) {
            return CompareResult::Failed;
        }
    } else {
        reloadSpentCopies(app);
    }

    ScriptLists lists;
    std::optional<ScriptOutcome> outcome;
    if (model.side(1).binary || model.side(2).binary) {
        outcome = compareWhole(model.side(1), model.side(2), lists);
        for (SideRecord& side : model.sides) {
            if (side.binary) {
                side.binaryRow =
                    BinaryRowText(side.line(0).size(), *outcome != ScriptOutcome::Identical);
            }
        }
    } else {
        outcome = runEngine(app, file1, file2, lists);
    }
    if (!outcome) {
        return CompareResult::Failed;
    }
    if (!quiet) {
        // Rows of the old result mean other lines now.
        app.frameState.selection = {};
    }

    CompareResult status = CompareResult::Different;
    if (*outcome != ScriptOutcome::Identical) {
        if (!quiet) {
            ReleaseLists(model);
            InstallLists(model.side(1), std::move(lists.text1), std::move(lists.gap1));
            InstallLists(model.side(2), std::move(lists.text2), std::move(lists.gap2));
            frame.repaintPanes();
        }
    } else {
        status = CompareResult::Identical;
        if (quiet) {
            // The list only needs the verdict.
        } else if (record.directoryWalk != 0) {
            ClearSides(model, record, frame);
        } else {
            ReleaseLists(model);
            frame.repaintPanes();
            frame.message(Severity::Info, "Files are identical");
        }
    }
    record.notYetCompared = 0;
    return status;
}

void compareFilesCommand(Session& app) {
    MergeModel& model = app.model;
    SettingsRecord& record = app.settings.record;
    Frame& frame = app.frame();

    if (!app.frameState.unattended && !MayDropDecisions(model, app.settings, frame)) {
        return;
    }
    model.loadedSinceComparison = {false, false};
    app.frameState.lastCompareResult = static_cast<int>(CompareResult::Failed);
    if (frame.previewOpen()) {
        frame.closePreview();
    }
    // A file changed on disk since it was loaded is compared as it is now.
    for (SideRecord& side : model.sides) {
        if (ChangedSinceLoad(*model.files, side)) {
            side.reloadNeeded = true;
        }
    }
    // An empty side (an empty file, /dev/null) is compared too: the other
    // file is then one difference that can be taken.
    const bool bothLoaded = !model.side(1).fileName.empty() && !model.side(2).fileName.empty();
    if (bothLoaded || app.frameState.unattended) {
        const CompareResult result =
            compareFiles(app, model.side(1).fileName, model.side(2).fileName);
        app.frameState.lastCompareResult = static_cast<int>(result);
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

    record.rowCount = static_cast<std::int32_t>(DisplayLineCount(model));
    frame.repaintPositionBar();

    if (app.frameState.unattended) {
        requestQuit(app, saveUnattendedResult(app));
    } else if (record.autoWalk != 0) {
        frame.postCommand(cmd::kFirstSegment);
    }
}

} // namespace tandel

namespace tandel {

int loadPairAndCompare(Session& app, const std::string& left, const std::string& right) {
    MergeModel& model = app.model;
    constexpr int kFailed = static_cast<int>(CompareResult::Failed);
    app.frameState.lastCompareResult = kFailed;
    // Flags left from an earlier pair must not start a comparison half-way.
    model.loadedSinceComparison = {false, false};
    if (LoadSide(model, app.settings.record, app.frame(), left, 1) != 0 ||
        LoadSide(model, app.settings.record, app.frame(), right, 2) != 0) {
        return kFailed;
    }
    // With the walk flag set the second load has sent Compare Files already.
    return app.frameState.lastCompareResult;
}

} // namespace tandel
