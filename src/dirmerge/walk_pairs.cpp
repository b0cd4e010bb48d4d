#include "dirmerge/walk_pairs.h"

#include "dirmerge/destination_copy.h"
#include "dirmerge/file_equality.h"
#include "dirmerge/names.h"

#include <cerrno>

namespace tandel {

namespace {

// Makes `path` a directory unless it is one; an existing file of that name
// is in the way (ENOTDIR), whatever its creation would say.
[[nodiscard]] IoStatus makeOneLevel(FileSystem& files, const std::string& path) {
    FileStatus st;
    if (const IoStatus looked = files.status(path, st); !looked.ok())
        return looked;
    if (st.kind != FileKind::Missing)
        return st.isDirectory() ? IoStatus() : IoStatus::failure(ENOTDIR);
    const IoStatus made = files.makeFolder(path);
    return made.error() == EEXIST ? IoStatus() : made;
}

// Why a pair that differs cannot be merged as text, or empty when it can.
std::string unmergeableText(const std::string& leftPath, const DirEntry& left,
                            const std::string& rightPath, const DirEntry& right) {
    if (left.isRegular() && right.isRegular())
        return {};
    if (left.isLink() && right.isLink())
        return leftPath + " and " + rightPath + " are links to different targets";
    if (left.isLink() || right.isLink()) {
        const bool leftIsLink = left.isLink();
        return (leftIsLink ? leftPath : rightPath) + " is a symbolic link and " +
               (leftIsLink ? rightPath : leftPath) + " is not";
    }
    // A pipe or a device would block or never end if read.
    return (left.isRegular() ? rightPath : leftPath) + " is not a regular file";
}

void walkFilePair(DirMergeContext& ctx) {
    DirectoryOperationState& state = ctx.state;
    const DirListing& l = state.cursor.top(Side::Left);
    const DirListing& r = state.cursor.top(Side::Right);
    const std::string leftPath = l.currentPath();
    const std::string rightPath = r.currentPath();
    const PairVerdict verdict = comparePair(ctx.files(), l.entry(), leftPath, r.entry(), rightPath,
                                            state.filters.trustTimeStamps);
    if (verdict.sameness == Sameness::Unreadable) {
        std::vector<Unreadable> failed;
        if (!verdict.left.ok())
            failed.push_back({leftPath, verdict.left});
        if (!verdict.right.ok())
            failed.push_back({rightPath, verdict.right});
        leaveOutUnreadable(ctx, failed);
        ctx.frame.postCommand(cmd::kWalkNext);
        return;
    }
    if (verdict.sameness == Sameness::Equal) {
        static_cast<void>(copyCursorEntry(ctx, l)); // reported and counted by the copy
        ctx.frame.postCommand(cmd::kWalkNext);
        return;
    }
    if (const std::string why = unmergeableText(leftPath, l.entry(), rightPath, r.entry());
        !why.empty()) {
        ctx.frame.message(Severity::Error, why + "; the pair is left out of the merge.");
        ++state.tally.skipped;
        ctx.frame.postCommand(cmd::kWalkNext);
        return;
    }
    state.pairLeftPath = leftPath;
    state.pairOutputPath = joinPath(state.walkDestination, l.entry().name);
    CompareResult result = CompareResult::Failed;
    if (ctx.services.loadAndCompare) {
        state.pairLoading = true;
        result = ctx.services.loadAndCompare(leftPath, rightPath);
        state.pairLoading = false;
    }
    if (result != CompareResult::Identical)
        return; // the panes show the differences, or the failure; the user goes on
    static_cast<void>(copyLoadedPair(ctx)); // reported and counted by the copy
    ctx.frame.postCommand(cmd::kWalkNext);
}

// True when the walk entered the subdirectories.
bool enterFolders(DirMergeContext& ctx) {
    DirectoryOperationState& state = ctx.state;
    const DirListing& l = state.cursor.top(Side::Left);
    const DirListing& r = state.cursor.top(Side::Right);
    const std::string leftDir = l.currentPath();
    const std::string rightDir = r.currentPath();
    // Both are listed before anything is made: a folder that cannot be read
    // on one side must not turn the other side's files into one-sided ones.
    DirListing left = listDirectory(leftDir, state.filters);
    DirListing right = listDirectory(rightDir, state.filters);
    if (!left.problem.ok() || !right.problem.ok()) {
        std::vector<Unreadable> failed;
        if (!left.problem.ok())
            failed.push_back({leftDir, left.problem});
        if (!right.problem.ok())
            failed.push_back({rightDir, right.problem});
        leaveOutUnreadable(ctx, failed);
        ctx.frame.postCommand(cmd::kWalkNext);
        return false;
    }
    const std::string destination = joinPath(state.walkDestination, l.entry().name);
    if (const IoStatus made = makeOneLevel(ctx.files(), destination); !made.ok()) {
        ctx.frame.message(Severity::Error,
                          withReason("Cannot create directory \n" + destination, made));
        ++state.tally.failed;
        return false;
    }
    state.walkDestination = destination;
    state.cursor.push(std::move(left), std::move(right)); // invalidates l and r
    ctx.frame.postCommand(cmd::kWalkNext);
    return true;
}

} // namespace

CopyResult copyLoadedPair(DirMergeContext& ctx) {
    const std::string source = ctx.state.pairLeftPath;
    const std::string target = ctx.state.pairOutputPath;
    ctx.state.forgetPair();
    if (source.empty())
        return CopyResult::Done;
    CopyServices services = ctx.copyServices();
    return copyPath(services, source, target, ctx.state.answers.replace);
}

void walkPair(DirMergeContext& ctx) {
    TreeCursor& cursor = ctx.state.cursor;
    const DirListing& l = cursor.top(Side::Left);
    const DirListing& r = cursor.top(Side::Right);
    const bool leftDir = l.entry().isDirectory();
    const bool rightDir = r.entry().isDirectory();
    if (l.entry().unreadable() || r.entry().unreadable()) {
        std::vector<Unreadable> failed;
        for (const DirListing* side : {&l, &r})
            if (side->entry().unreadable())
                failed.push_back({side->currentPath(), side->entry().problem});
        leaveOutUnreadable(ctx, failed);
        ctx.frame.postCommand(cmd::kWalkNext);
    } else if (leftDir && rightDir) {
        if (enterFolders(ctx))
            return;
    } else if (!leftDir && !rightDir) {
        walkFilePair(ctx);
    } else {
        const Side fileSide = leftDir ? Side::Right : Side::Left;
        const Side dirSide = leftDir ? Side::Left : Side::Right;
        if (askFileOrDirectory(ctx, cursor.top(fileSide), cursor.top(dirSide)) != Answer::Cancel)
            ctx.frame.postCommand(cmd::kWalkNext);
    }
    cursor.advance(Side::Left);
    cursor.advance(Side::Right);
}

} // namespace tandel
