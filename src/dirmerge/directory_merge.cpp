#include "dirmerge/directory_merge.h"

#include "dirmerge/child_commands.h"
#include "dirmerge/destination_check.h"
#include "dirmerge/destination_copy.h"
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
        return MakeBackup(*app_.model.files, path);
    };
    services_.loadAndCompare = [this](const std::string& left, const std::string& right) {
        publish();
        return loadPairAndCompare(app_, left, right);
    };
    services_.clearSides = [this] { ClearSides(app_.model, app_.settings.record, app_.frame()); };
}

DirMergeContext DirectoryMerge::context() {
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

int DirectoryMerge::compareDirectories(const DirectorySelection& selection) {
    DirMergeContext ctx = context();
    const int result = startDirectoryMerge(ctx, selection, filters());
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

int DirectoryMerge::buildList(const std::string& dir1, const std::string& dir2,
                              const std::string& destination, const BuildProgress& progress) {
    // Refused before anything is listed: the instance then shows empty lists
    // and nothing can be copied to that destination from them.
    if (const std::string refusal =
            destinationRefusal(*app_.model.files, dir1, dir2, destination);
        !refusal.empty()) {
        state.rows.clear();
        app_.frame().message(Severity::Error, refusal);
        return kBuildFailed;
    }
    app_.settings.record.directoryWalk = 1;
    const int result = buildComparisonList(state, dir1, dir2, destination, filters(), progress);
    publish();
    return result;
}

std::vector<int> DirectoryMerge::shownRows() const {
    return visibleRows(state.rows, app_.settings.record.directoryDiffsOnly != 0);
}

void DirectoryMerge::copyToDestination(const std::vector<std::string>& itemTexts,
                                       const std::string& sideDirectory,
                                       const std::string& destination) {
    DirMergeContext ctx = context();
    copySelectedRows(ctx, itemTexts, sideDirectory, destination);
}

int DirectoryMerge::activateRow(int row, const std::string& dir1, const std::string& destination) {
    if (row < 0 || static_cast<std::size_t>(row) >= state.rows.size())
        return -1;
    const ComparisonRow& r = state.rows[static_cast<std::size_t>(row)];
    if (!startsMergeRun(r))
        return -1;
    DirMergeContext ctx = context();
    return startMergeRun(ctx, r.left.path, r.right.path, dir1, destination);
}

} // namespace tandel
