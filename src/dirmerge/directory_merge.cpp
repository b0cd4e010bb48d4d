#include "dirmerge/directory_merge.h"

#include "dirmerge/child_commands.h"
#include "dirmerge/destination_check.h"
#include "dirmerge/destination_copy.h"
#include "dirmerge/names.h"
#include "dirmerge/row_check.h"
#include "merge/comparison_driver.h"
#include "merge/save.h"
#include "merge/session.h"
#include "merge/side_loader.h"

namespace tandel {

DirectoryMerge::DirectoryMerge(Session& app, std::string programPath, Starter startInstance)
    : app_(app) {
    services_.programPath = std::move(programPath);
    services_.startInstance = std::move(startInstance);
    services_.makeBackup = [this](const std::string& path) {
        return makeBackupFile(*app_.model.files, path);
    };
    services_.loadAndCompare = [this](const std::string& left, const std::string& right) {
        publish();
        return loadPairAndCompare(app_, left, right);
    };
    services_.clearSides = [this] {
        clearBothSides(app_.model, app_.settings.record, app_.frame());
    };
}

DirMergeContext DirectoryMerge::context() {
    // The model's file layer, even before the first scan chose filters.
    state.filters.files = app_.model.files;
    return {state, app_.frame(), services_};
}

void DirectoryMerge::publish() {
    app_.settings.record.directoryWalk = state.comparing ? 1 : 0;
    app_.model.pairOutputPath = state.pairOutputPath;
}

ScanFilters DirectoryMerge::filters() const {
    ScanFilters filters;
    filters.include = app_.settings.lists.includeFilters;
    filters.exclude = app_.settings.lists.excludeFilters;
    filters.recursive = app_.settings.record.recursive != 0;
    filters.trustTimeStamps = app_.settings.record.trustTimeStamps != 0;
    filters.files = app_.model.files;
    return filters;
}

WalkStart DirectoryMerge::compareDirectories(const DirectorySelection& selection) {
    DirMergeContext ctx = context();
    const WalkStart result = startDirectoryMerge(ctx, selection, filters());
    publish();
    return result;
}

bool DirectoryMerge::handleWalkCommand(int id) {
    DirMergeContext ctx = context();
    const bool handled = tandel::handleWalkCommand(ctx, id);
    if (handled)
        publish();
    return handled;
}

void DirectoryMerge::afterCompareFiles() {
    DirMergeContext ctx = context();
    walkCompared(ctx, app_.frameState.lastCompareResult);
    publish();
}

BuildResult DirectoryMerge::buildList(const std::string& dir1, const std::string& dir2,
                                      const std::string& destination,
                                      const BuildProgress& progress) {
    mergeRuns_.clear(); // their row numbers mean nothing in a new list
    // Refused before anything is listed: the instance then shows empty lists
    // and nothing can be copied to that destination from them.
    if (const std::string refusal = destinationRefusal(*app_.model.files, dir1, dir2, destination);
        !refusal.empty()) {
        state.rows.clear();
        state.listIncomplete = false;
        app_.frame().message(Severity::Error, refusal);
        return BuildResult::Failed;
    }
    app_.settings.record.directoryWalk = 1;
    const BuildResult result =
        buildComparisonList(state, dir1, dir2, destination, filters(), progress);
    publish();
    return result;
}

std::vector<int> DirectoryMerge::shownRows() const {
    return visibleRows(state.rows, app_.settings.record.directoryDiffsOnly != 0);
}

bool DirectoryMerge::destinationIsListed(const std::string& destination) const {
    FileSystem& files = *app_.model.files;
    return placementOf(files, destination, state.listedDir1) == Placement::Same ||
           placementOf(files, destination, state.listedDir2) == Placement::Same;
}

OperationCount DirectoryMerge::copyToDestination(int side, const std::vector<int>& rows,
                                                 const std::string& destination) {
    const int half = side == 2 ? 1 : 0;
    std::vector<int> valid;
    std::vector<std::string> paths;
    for (int row : rows) {
        if (row >= 0 && static_cast<std::size_t>(row) < state.rows.size()) {
            valid.push_back(row);
            paths.push_back(state.rows[static_cast<std::size_t>(row)].half(half).path);
        }
    }
    DirMergeContext ctx = context();
    OperationCount count;
    const std::vector<CopyOutcome> outcomes = copySelectedRows(
        ctx, paths, half == 0 ? state.listedDir1 : state.listedDir2, destination, count);
    const bool inPlace = destinationIsListed(destination);
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        if (outcomes[i] != CopyOutcome::Copied)
            continue;
        ComparisonRow& row = state.rows[static_cast<std::size_t>(valid[i])];
        row.half(half).mark = RowMark::Copied;
        if (inPlace)
            (void)recheckRow(row, state.listedDir1, state.listedDir2, *app_.model.files,
                             app_.settings.record.trustTimeStamps != 0);
    }
    lastCopyReport_ = "Copy to Destination: " + count.copySummary();
    app_.frame().message(count.failed > 0 ? Severity::Warning : Severity::Info, lastCopyReport_);
    return count;
}

DirectoryMerge::MergeRunStart DirectoryMerge::activateRow(int row, const std::string& dir1,
                                                          const std::string& destination) {
    if (row < 0 || static_cast<std::size_t>(row) >= state.rows.size())
        return MergeRunStart::NotStarted;
    const ComparisonRow& r = state.rows[static_cast<std::size_t>(row)];
    if (!startsMergeRun(r))
        return MergeRunStart::NotStarted;
    DirMergeContext ctx = context();
    std::string relative;
    if (!relativeTo(r.left.path, dir1, relative) || relative.empty())
        return MergeRunStart::NotStarted;
    MergeRun run{row, joinPath(destination, relative), destination, {}};
    // A missing result reads as kind Missing, which any save then changes.
    (void)app_.model.files->status(run.target, run.before);
    if (!startMergeRun(ctx, r.left.path, r.right.path, dir1, destination))
        return MergeRunStart::NotStarted;
    mergeRuns_.push_back(std::move(run));
    return MergeRunStart::Started;
}

bool DirectoryMerge::recheckMergeRuns() {
    bool changed = false;
    FileSystem& files = *app_.model.files;
    std::erase_if(mergeRuns_, [&](const MergeRun& run) {
        FileStatus now;
        (void)files.status(run.target, now); // unreadable reads as unchanged: asked again later
        const bool written = now.kind != FileKind::Missing &&
                             (!now.sameFileAs(run.before) ||
                              now.writeTime != run.before.writeTime || now.size != run.before.size);
        if (!written)
            return false;
        ComparisonRow& row = state.rows[static_cast<std::size_t>(run.row)];
        row.left.mark = row.right.mark = RowMark::Merged;
        if (destinationIsListed(run.destination))
            (void)recheckRow(row, state.listedDir1, state.listedDir2, files,
                             app_.settings.record.trustTimeStamps != 0);
        changed = true;
        return true;
    });
    return changed;
}

} // namespace tandel
