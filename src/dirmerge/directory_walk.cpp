#include "dirmerge/directory_walk.h"

#include "dirmerge/child_commands.h"
#include "dirmerge/destination_copy.h"
#include "dirmerge/file_equality.h"
#include "dirmerge/names.h"

#include <cerrno>
#include <sys/stat.h>

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

void forgetPair(DirectoryOperationState& state) {
    state.pairOutputPath.clear();
    state.pairLeftPath.clear();
}

// The loaded pair turned out identical: its left file goes to its place.
int copyLoadedPair(DirMergeContext& ctx) {
    const std::string source = ctx.state.pairLeftPath;
    const std::string target = ctx.state.pairOutputPath;
    forgetPair(ctx.state);
    if (source.empty() || sameFile(source, target))
        return 0;
    CopyServices services = ctx.copyServices();
    return copyPath(services, source, target, ctx.state.answers.replace) == 0 ? 0 : -1;
}

std::string notRegularMessage(const DirListing& l, const DirListing& r) {
    const DirListing& odd = l.entry().isRegular() ? r : l;
    return odd.currentPath() + " is not a regular file";
}

// True when `path` is (now) a directory; an existing file of that name is
// not one, whatever its creation would say.
bool makeOneLevel(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    return ::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

void handleFilePair(DirMergeContext& ctx) {
    DirectoryOperationState& state = ctx.state;
    const DirListing& l = state.cursor.top(Side::Left);
    const DirListing& r = state.cursor.top(Side::Right);
    if (!l.entry().isRegular() || !r.entry().isRegular()) {
        // A pipe or a device would block or never end if read; the pair is
        // different, and nothing of it is loaded or copied.
        ctx.frame.message(Severity::Error, notRegularMessage(l, r));
        ctx.frame.postCommand(cmd::kWalkNext);
        return;
    }
    if (sameStamps(l.entry(), r.entry())) {
        if (copyCursorEntry(ctx, l) != 0)
            ctx.frame.message(Severity::Error, "Could not copy " + l.entry().name +
                                                   " \nto the destination directory");
        ctx.frame.postCommand(cmd::kWalkNext);
        return;
    }
    const std::string leftPath = l.currentPath();
    const std::string rightPath = r.currentPath();
    state.pairLeftPath = leftPath;
    state.pairOutputPath = joinPath(state.walkDestination, l.entry().name);
    int result = -1;
    if (ctx.services.loadAndCompare) {
        state.pairLoading = true;
        result = ctx.services.loadAndCompare(leftPath, rightPath);
        state.pairLoading = false;
    }
    if (result != 1)
        return; // the panes show the differences, or the failure; the user goes on
    if (copyLoadedPair(ctx) != 0)
        ctx.frame.message(Severity::Error, "Error copying the file to \nthe destination directory");
    ctx.frame.postCommand(cmd::kWalkNext);
}

// True when the walk entered the subdirectories.
bool handleDirectoryPair(DirMergeContext& ctx) {
    DirectoryOperationState& state = ctx.state;
    const DirListing& l = state.cursor.top(Side::Left);
    const DirListing& r = state.cursor.top(Side::Right);
    const std::string name = l.entry().name;
    state.walkDestination = joinPath(state.walkDestination, name);
    if (!makeOneLevel(state.walkDestination)) {
        const std::string failed = state.walkDestination;
        dropLastComponent(state.walkDestination);
        ctx.frame.message(Severity::Error, "Cannot create directory \n" + failed);
        return false;
    }
    const std::string leftDir = l.currentPath();
    const std::string rightDir = r.currentPath();
    state.cursor.push(leftDir, rightDir, state.filters);
    ctx.frame.postCommand(cmd::kWalkNext);
    return true;
}

void handlePair(DirMergeContext& ctx) {
    TreeCursor& cursor = ctx.state.cursor;
    const bool leftDir = cursor.top(Side::Left).entry().isDirectory();
    const bool rightDir = cursor.top(Side::Right).entry().isDirectory();
    if (leftDir && rightDir) {
        if (handleDirectoryPair(ctx))
            return;
    } else if (!leftDir && !rightDir) {
        handleFilePair(ctx);
    } else {
        const Side fileSide = leftDir ? Side::Right : Side::Left;
        const Side dirSide = leftDir ? Side::Left : Side::Right;
        if (askFileOrDirectory(ctx, cursor.top(fileSide), cursor.top(dirSide)) != kAnswerCancel)
            ctx.frame.postCommand(cmd::kWalkNext);
    }
    cursor.advance(Side::Left);
    cursor.advance(Side::Right);
}

} // namespace

int startDirectoryMerge(DirMergeContext& ctx, const DirectorySelection& selection,
                        const ScanFilters& filters) {
    DirectoryOperationState& state = ctx.state;
    if (state.comparing)
        return -1;
    if (selection.showDirectories) {
        if (ctx.services.writeSettings)
            ctx.services.writeSettings();
        if (ctx.services.startInstance)
            ctx.services.startInstance(directoryWindowArguments(
                ctx.services.programPath, selection.dir1, selection.dir2, selection.destination));
        return 0;
    }
    state.filters = filters;
    std::string destination = selection.destination;
    if (startTreeCursor(state, selection.dir1, selection.dir2, destination) != 0) {
        state.comparing = false;
        return -1;
    }
    state.walkDestination = destination;
    state.comparing = true;
    state.walking = true;
    ctx.frame.setWalkMenu(true);
    walkStep(ctx);
    return 0;
}

void walkStep(DirMergeContext& ctx) {
    DirectoryOperationState& state = ctx.state;
    if (!state.comparing || !state.walking)
        return;
    // A step leaves any pair that was still loaded behind.
    forgetPair(state);
    const CursorStep step = state.cursor.step();
    if (step.kind != StepKind::Done)
        for (std::size_t i = 0; i < step.popped; ++i)
            dropLastComponent(state.walkDestination);
    switch (step.kind) {
    case StepKind::Done:
        ctx.frame.message(Severity::Info, "Directories have been \nsuccessfully compared");
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
        handlePair(ctx);
        return;
    }
}

void walkSkip(DirMergeContext& ctx) {
    if (!ctx.state.comparing || !ctx.state.walking)
        return;
    forgetPair(ctx.state);
    clearSides(ctx);
    ctx.frame.postCommand(cmd::kWalkNext);
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
    forgetPair(state);
    clearSides(ctx);
}

void walkCompared(DirMergeContext& ctx, int result) {
    DirectoryOperationState& state = ctx.state;
    if (!state.walking || state.pairLoading || state.pairOutputPath.empty() || result != 1)
        return;
    if (copyLoadedPair(ctx) != 0)
        ctx.frame.message(Severity::Error, "Error copying the file to \nthe destination directory");
    ctx.frame.postCommand(cmd::kWalkNext);
}

void walkPairSaved(DirMergeContext& ctx) {
    if (!ctx.state.walking)
        return;
    forgetPair(ctx.state);
    clearSides(ctx);
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
        endWalk(ctx);
        return true;
    default:
        return false;
    }
}

} // namespace tandel
