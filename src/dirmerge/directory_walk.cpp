#include "dirmerge/directory_walk.h"

#include "dirmerge/child_commands.h"
#include "dirmerge/destination_check.h"
#include "dirmerge/destination_copy.h"
#include "dirmerge/names.h"
#include "dirmerge/walk_pairs.h"

namespace tandel {

namespace {

void dropLastComponent(std::string& path) {
    const auto cut = path.rfind('/');
    if (cut != std::string::npos && cut > 0)
        path.resize(cut);
}

void clearSides(DirMergeContext& ctx) {
    if (ctx.services.clearSides)
        ctx.services.clearSides();
}

// The walk's account, however it ended.
void reportEnd(DirMergeContext& ctx, const std::string& heading) {
    const OperationCount& tally = ctx.state.tally;
    ctx.frame.message(tally.failed > 0 ? Severity::Warning : Severity::Info,
                      heading + tally.summary());
}

// A top directory that cannot be listed ends the walk before it copies
// anything, or the other side's files would all look one-sided.
bool topsReadable(DirMergeContext& ctx, const DirectorySelection& selection) {
    std::vector<Unreadable> failed;
    const IoStatus& left = ctx.state.cursor.top(Side::Left).problem;
    const IoStatus& right = ctx.state.cursor.top(Side::Right).problem;
    if (!left.ok())
        failed.push_back({selection.dir1, left});
    if (!right.ok())
        failed.push_back({selection.dir2, right});
    if (failed.empty())
        return true;
    leaveOutUnreadable(ctx, failed);
    return false;
}

} // namespace

WalkStart startDirectoryMerge(DirMergeContext& ctx, const DirectorySelection& selection,
                              const ScanFilters& filters) {
    DirectoryOperationState& state = ctx.state;
    if (state.comparing)
        return WalkStart::Refused;
    if (const std::string refusal = destinationRefusal(*filters.files, selection.dir1,
                                                       selection.dir2, selection.destination);
        !refusal.empty()) {
        ctx.frame.message(Severity::Error, refusal);
        return WalkStart::Refused;
    }
    if (selection.showDirectories) {
        if (ctx.services.writeSettings)
            ctx.services.writeSettings();
        if (ctx.services.startInstance)
            ctx.services.startInstance(directoryWindowArguments(
                ctx.services.programPath, selection.dir1, selection.dir2, selection.destination));
        return WalkStart::Started;
    }
    state.filters = filters;
    std::string destination = selection.destination;
    startTreeCursor(state, selection.dir1, selection.dir2, destination);
    state.walkDestination = destination;
    state.comparing = true;
    state.walking = true;
    ctx.frame.setWalkMenu(true);
    if (!topsReadable(ctx, selection)) {
        reportEnd(ctx, "Directories compared: ");
        endWalk(ctx);
        return WalkStart::Started;
    }
    walkStep(ctx);
    return WalkStart::Started;
}

void walkStep(DirMergeContext& ctx) {
    DirectoryOperationState& state = ctx.state;
    if (!state.comparing || !state.walking)
        return;
    // A step that finds the pair still loaded follows its save: the merge
    // wrote the pair's output and posted the step.
    if (!state.pairOutputPath.empty())
        ++state.tally.merged;
    state.forgetPair();
    const CursorStep step = state.cursor.step();
    if (step.kind != StepKind::Done)
        for (std::size_t i = 0; i < step.popped; ++i)
            dropLastComponent(state.walkDestination);
    switch (step.kind) {
    case StepKind::Done:
        reportEnd(ctx, "Directories compared: ");
        endWalk(ctx);
        return;
    case StepKind::LeftOnly:
    case StepKind::RightOnly: {
        const Side side = step.kind == StepKind::LeftOnly ? Side::Left : Side::Right;
        askPresentOnly(ctx, state.cursor.top(side));
        state.cursor.advance(side);
        ctx.frame.postCommand(cmd::kWalkNext);
        return;
    }
    case StepKind::Pair:
        walkPair(ctx);
        return;
    }
}

void walkSkip(DirMergeContext& ctx) {
    if (!ctx.state.comparing || !ctx.state.walking)
        return;
    // Only a loaded pair is a skip of its own; after a folder that could not
    // be made, Skip merely goes on past a failure already counted.
    if (!ctx.state.pairOutputPath.empty())
        ++ctx.state.tally.skipped;
    ctx.state.forgetPair();
    clearSides(ctx);
    ctx.frame.postCommand(cmd::kWalkNext);
}

void cancelWalk(DirMergeContext& ctx) {
    if (!ctx.state.walking)
        return;
    reportEnd(ctx, "Directory merge cancelled: ");
    endWalk(ctx);
}

void endWalk(DirMergeContext& ctx) {
    DirectoryOperationState& state = ctx.state;
    if (!state.walking)
        return;
    state.comparing = false;
    state.walking = false;
    ctx.frame.setWalkMenu(false);
    state.cursor.release();
    state.walkDestination.clear();
    state.forgetPair();
    clearSides(ctx);
}

void walkCompared(DirMergeContext& ctx, CompareResult result) {
    DirectoryOperationState& state = ctx.state;
    if (!state.walking || state.pairLoading || state.pairOutputPath.empty() ||
        result != CompareResult::Identical)
        return;
    static_cast<void>(copyLoadedPair(ctx)); // reported and counted by the copy
    ctx.frame.postCommand(cmd::kWalkNext);
}

bool handleWalkCommand(DirMergeContext& ctx, int id) {
    switch (id) {
    case cmd::kWalkNext:
        walkStep(ctx);
        return true;
    case cmd::kWalkSkip:
        walkSkip(ctx);
        return true;
    case cmd::kWalkCancel:
        cancelWalk(ctx);
        return true;
    default:
        return false;
    }
}

} // namespace tandel
