#include "merge/comparison_work.h"

#include <cerrno>
#include <sstream>
#include <thread>

#include "engine/table_reducer.h"
#include "merge/decisions.h"
#include "merge/disk_state.h"
#include "merge/file_format_label.h"
#include "merge/segment_map.h"
#include "merge/session.h"
#include "merge/side_loader.h"

namespace tandel {

namespace {

class CollectingSink : public MessageSink {
public:
    explicit CollectingSink(std::vector<std::string>& into) : into_(into) {}
    void engineMessage(const std::string& text) override { into_.push_back(text); }

private:
    std::vector<std::string>& into_;
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
    return readScript(in, false, lists);
}

// The result is handed over in memory, and whether the files are identical
// is the engine's status, never a line of text that a file name could imitate.
std::optional<ScriptOutcome> runEngineOn(const ComparisonWork& work, const std::string& name1,
                                         const std::string& name2, EngineText one, EngineText two,
                                         ScriptLists& lists, std::vector<std::string>& messages,
                                         JobProgress* progress) {
    std::vector<std::string> arguments = buildEngineArguments(work.switches, name1, name2);
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    TableReducer reducer(work.definitions);
    EngineContext context = makeEngineContext(work.definitions, reducer);
    context.files = work.files;
    StringWriter result("the comparison result");
    context.output = &result;
    if (progress != nullptr) {
        context.cancel = &progress->cancel;
        context.progress = &progress->permille;
    }
    CollectingSink sink(messages);
    Engine engine;
    const EngineStatus status =
        engine.run(static_cast<int>(arguments.size()), argv.data(), one, two, sink, context);
    switch (status) {
    case EngineStatus::Same:
        return ScriptOutcome::Identical;
    case EngineStatus::Different: {
        std::istringstream script(result.text());
        const ScriptOutcome outcome = readScript(script, false, lists);
        // Only hunks are read from a difference: a stray identical report
        // cannot turn it into a sameness.
        return outcome == ScriptOutcome::Identical ? ScriptOutcome::DifferentNoLists : outcome;
    }
    default:
        // A result the engine could not complete (it said why) is no
        // comparison: read as it stands, it would pass for "different, no
        // segments", and a save would take file 1 alone for the merge.
        return std::nullopt;
    }
}

bool rewritesText(const ComparisonWork& work) {
    return work.switches.tableMode || work.switches.ignoreComments;
}

std::optional<ScriptOutcome> runEngine(ComparisonWork& work, SideRecord& one, SideRecord& two,
                                       JobProgress* progress) {
    const bool rewrites = rewritesText(work);
    return runEngineOn(
        work, work.names[0], work.names[1], one.engineText(rewrites, work.exactLineEnds),
        two.engineText(rewrites, work.exactLineEnds), work.lists, work.engineMessages, progress);
}

// Both sides compared with the ancestor, the two results merged into the
// sides' differences and how each is decided.
std::optional<ScriptOutcome> runThreeWay(ComparisonWork& work, SideRecord& local,
                                         SideRecord& remote, JobProgress* progress) {
    if (local.binary || remote.binary || work.base.binary) {
        const ScriptOutcome outcome = compareWhole(local, remote, work.lists);
        if (outcome == ScriptOutcome::Different) {
            work.takes.assign(1, wholeTake(work.base, local, remote));
        }
        return outcome;
    }
    const bool rewrites = rewritesText(work);
    const EngineText baseText = work.base.engineText(rewrites, work.exactLineEnds);
    std::array<EngineText, 2> baseTexts{baseText, baseText};
    const std::array<EngineText, 2> sideTexts{local.engineText(rewrites, work.exactLineEnds),
                                              remote.engineText(rewrites, work.exactLineEnds)};
    std::array<ScriptLists, 2> lists;
    std::array<std::vector<std::string>, 2> messages;
    std::array<std::optional<ScriptOutcome>, 2> outcomes;
    const auto compare = [&](std::size_t i) {
        outcomes[i] = runEngineOn(work, work.baseName, work.names[i], baseTexts[i], sideTexts[i],
                                  lists[i], messages[i], progress);
    };
    // The two comparisons at once, one per core. The engine only reads a
    // text of whole lines, so both share BASE; one that rewrites the text or
    // ends it with a line feed of its own gives the second a copy.
    std::vector<char> baseCopy;
    if (work.files->threadSafe()) {
        const bool wholeLines = baseText.length == 0 || baseText.data[baseText.length - 1] == '\n';
        if (rewrites || !wholeLines) {
            baseCopy.assign(baseText.data, baseText.data + baseText.length + kEngineSpareBytes);
            baseTexts[1] = EngineText{baseCopy.data(), baseText.length, baseText.lineStarts};
        }
        std::thread second(compare, std::size_t{1});
        compare(0);
        second.join();
    } else {
        compare(0);
        compare(1);
    }
    std::array<std::vector<EditHunk>, 2> fromBase;
    for (std::size_t i = 0; i < 2; ++i) {
        work.engineMessages.insert(work.engineMessages.end(), messages[i].begin(),
                                   messages[i].end());
        if (!outcomes[i] || *outcomes[i] == ScriptOutcome::DifferentNoLists) {
            return std::nullopt;
        }
        fromBase[i] = editHunks(lists[i]);
    }
    ThreeWayResult merged = mergeThreeWay(fromBase[0], fromBase[1], local, remote);
    work.baseHunks = std::move(fromBase);
    if (merged.takes.empty()) {
        return ScriptOutcome::Identical;
    }
    std::istringstream script(merged.script);
    const ScriptOutcome outcome = readScript(script, false, work.lists);
    work.takes = std::move(merged.takes);
    return outcome;
}

} // namespace

ComparisonWork prepareComparison(Session& app, const std::array<std::string, 2>& load,
                                 bool compare) {
    MergeModel& model = app.model;
    ComparisonWork work;
    work.compare = compare;
    work.files = model.files;
    work.judgeEncoding = model.judgeEncoding;
    work.switches = engineSwitches(app);
    work.definitions = app.compare;
    work.exactLineEnds = app.settings.record.ignoreLineEnds == 0;
    for (int s = 1; s <= 2; ++s) {
        const std::size_t i = static_cast<std::size_t>(s - 1);
        SideRecord& side = model.side(s);
        if (!load[i].empty()) {
            work.names[i] = load[i];
            work.read[i] = true;
            continue;
        }
        work.names[i] = side.fileName;
        // A file changed on disk is compared as it is now. (Runs that rewrite
        // the text work on a private copy, so the lines never need reading
        // again for that.)
        if (compare && !side.fileName.empty() && changedSinceLoad(*model.files, side)) {
            work.read[i] = true;
            work.reload[i] = true;
        }
        work.kept[i] = &side;
    }
    work.threeWay = app.switches.mergesWithAncestor(work.names);
    work.baseName = app.switches.valueOf(kSwitchBase);
    SideRecord& ahead = model.readAhead;
    if (compare && work.threeWay && !ahead.fileName.empty() && ahead.fileName == work.baseName &&
        !changedSinceLoad(*model.files, ahead)) {
        work.base = std::move(ahead);
        work.baseReadAhead = true;
    }
    ahead = SideRecord{};
    return work;
}

void runComparison(ComparisonWork& work, JobProgress* progress) {
    const auto read = [&work, progress](std::size_t i, bool quiet) {
        work.readStatus[i] = readSide(*work.files, work.names[i], work.fresh[i], progress, quiet,
                                      work.judgeEncoding);
    };
    // The ancestor is read on a thread of its own while the files are read,
    // where the file layer allows it, else after them.
    const bool readsBase =
        work.compare && work.threeWay && !work.baseName.empty() && !work.baseReadAhead;
    IoStatus baseStatus;
    const auto readBase = [&work, &baseStatus] {
        baseStatus =
            readSide(*work.files, work.baseName, work.base, nullptr, true, work.judgeEncoding);
    };
    std::thread ancestor;
    if (readsBase && work.files->threadSafe()) {
        ancestor = std::thread(readBase);
    }
    if (work.read[0] && work.read[1] && work.files->threadSafe()) {
        // Both files at once, one per core; the first one reports.
        if (progress != nullptr) {
            progress->enter(JobPhase::ReadingFile1);
        }
        std::thread second(read, std::size_t{1}, true);
        read(0, false);
        second.join();
    } else {
        for (std::size_t i = 0; i < 2; ++i) {
            if (!work.read[i]) {
                continue;
            }
            if (progress != nullptr) {
                progress->enter(i == 0 ? JobPhase::ReadingFile1 : JobPhase::ReadingFile2);
            }
            read(i, false);
        }
    }
    if (ancestor.joinable()) {
        ancestor.join();
    } else if (readsBase) {
        readBase();
    }
    if (progress != nullptr && progress->cancelled()) {
        work.cancelled = true;
        return;
    }
    if (!work.compare) {
        return;
    }
    // A new file that could not be read leaves nothing to compare; a reload
    // that failed compares the lines on display.
    std::array<SideRecord*, 2> sides{};
    for (std::size_t i = 0; i < 2; ++i) {
        if (work.read[i] && work.readStatus[i].ok()) {
            sides[i] = &work.fresh[i];
        } else if (!work.read[i] || work.reload[i]) {
            sides[i] = work.kept[i];
        } else {
            return;
        }
    }
    if (progress != nullptr) {
        progress->enter(JobPhase::Comparing);
    }
    work.compared = true;
    if (readsBase && !baseStatus.ok()) {
        work.engineMessages.push_back(
            withReason("Unable to open file " + work.baseName, baseStatus));
        return;
    }
    if (work.threeWay) {
        work.outcome = runThreeWay(work, *sides[0], *sides[1], progress);
    } else if (sides[0]->binary || sides[1]->binary) {
        work.outcome = compareWhole(*sides[0], *sides[1], work.lists);
    } else {
        work.outcome = runEngine(work, *sides[0], *sides[1], progress);
    }
    // A file cut short or rewritten under its mapping gave bytes that are not
    // its own: a read error, and no result.
    // (A side kept from an earlier load is read again next time: its file's
    // status no longer matches.)
    for (std::size_t i = 0; i < 2; ++i) {
        if (sides[i]->lineBuffer.unchanged()) {
            continue;
        }
        work.outcome.reset();
        if (sides[i] == &work.fresh[i]) {
            work.readStatus[i] = IoStatus::failure(ESTALE);
        } else {
            work.engineMessages.push_back("Unable to open file " + work.names[i] + ": " +
                                          IoStatus::failure(ESTALE).reason());
        }
    }
    if (progress != nullptr) {
        // A result that arrives after a Cancel is not wanted any more.
        work.cancelled = progress->cancelled();
        progress->permille.store(1000);
    }
}

CompareResult applyComparison(Session& app, ComparisonWork& work) {
    MergeModel& model = app.model;
    SettingsRecord& record = app.settings.record;
    Frame& frame = app.frame();
    if (work.cancelled) {
        return CompareResult::Failed;
    }
    for (int s = 1; s <= 2; ++s) {
        const std::size_t i = static_cast<std::size_t>(s - 1);
        if (!work.read[i]) {
            continue;
        }
        if (!work.readStatus[i].ok()) {
            // The side is left as it was; a reload is tried again next time.
            frame.message(Severity::Error,
                          withReason("Unable to open file " + work.names[i], work.readStatus[i]));
            continue;
        }
        // A reload must not start a comparison of its own, nor a load that
        // this work compares.
        const bool otherFlag = model.loadedSinceComparison[1 - i];
        installSide(model, record, frame, std::move(work.fresh[i]), s,
                    work.compare || work.reload[i]);
        if (work.reload[i]) {
            model.loadedSinceComparison[1 - i] = otherFlag;
        }
    }
    for (const std::string& text : work.engineMessages) {
        frame.message(Severity::Error, text);
    }
    if (!work.outcome) {
        return CompareResult::Failed;
    }
    model.threeWay = work.threeWay;
    model.base = work.threeWay ? std::move(work.base) : SideRecord{};
    model.baseHunks = std::move(work.baseHunks);

    app.frameState.lastFoundPosition = -1;
    app.frameState.ignoreCase = false;
    // Rows of the old result mean other lines now.
    app.frameState.selection = {};
    for (SideRecord& side : model.sides) {
        if (side.binary) {
            side.binaryRow =
                binaryRowText(side.line(0).size(), *work.outcome != ScriptOutcome::Identical);
        }
    }
    CompareResult status = CompareResult::Different;
    if (*work.outcome != ScriptOutcome::Identical) {
        releaseLists(model);
        installLists(model.side(1), std::move(work.lists.text1), std::move(work.lists.gap1));
        installLists(model.side(2), std::move(work.lists.text2), std::move(work.lists.gap2));
        for (std::size_t i = 0; i < work.takes.size(); ++i) {
            if (work.takes[i] != MergeTake::Conflict) {
                decideAutomatically(model, static_cast<std::int32_t>(i),
                                    work.takes[i] == MergeTake::Local ? 1 : 2);
            }
        }
        frame.modelChanged(ModelEvent::SegmentsChanged);
    } else {
        status = CompareResult::Identical;
        if (record.directoryWalk != 0) {
            clearBothSides(model, record, frame);
        } else {
            releaseLists(model);
            // No tick of the comparison before may stay on the bar.
            frame.modelChanged(ModelEvent::DifferencesCleared);
            frame.notice("Files are identical");
            frame.message(Severity::Info, "Files are identical");
        }
    }
    record.notYetCompared = 0;
    return status;
}

CompareResult compareFiles(Session& app, const std::string& file1, const std::string& file2) {
    WaitCursor wait(app.frame());
    ComparisonWork work = prepareComparison(app, {}, true);
    // The names the engine is told, for its messages.
    work.names = {file1, file2};
    for (std::size_t i = 0; i < 2; ++i) {
        if (work.read[i]) {
            work.names[i] = work.kept[i]->fileName;
        }
    }
    runComparison(work);
    return applyComparison(app, work);
}

} // namespace tandel
