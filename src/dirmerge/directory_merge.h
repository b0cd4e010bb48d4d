// Directory merging wired to the application object: the merge model's
// loading, saving, backups and the comparison driver. The owner of the
// Application (the main window, or a test) owns one of these beside it.
#pragma once

#include "dirmerge/comparison_list.h"
#include "dirmerge/directory_lists.h"
#include "dirmerge/directory_walk.h"
#include "dirmerge/dirmerge_context.h"
#include "dirmerge/row_counts.h"

#include <functional>
#include <string>
#include <vector>

namespace tandel {

class Session;

class DirectoryMerge {
public:
    using Starter = std::function<void(const std::vector<std::string>& arguments)>;

    // `programPath` is this program's own path, for the instances it starts.
    DirectoryMerge(Session& app, std::string programPath, Starter startInstance);
    DirectoryMerge(const DirectoryMerge&) = delete;
    DirectoryMerge& operator=(const DirectoryMerge&) = delete;

    DirectoryOperationState state;
    ListSort sort;

    // Writes all settings to the settings file; run before a directory window
    // instance is started, so that it reads the same options and filters.
    void setSettingsWriter(std::function<void()> write) {
        services_.writeSettings = std::move(write);
    }

    // Command 314 once the directory selection dialog was accepted. The
    // filters, "Recursive" and "Trust time stamps" come from the settings.
    [[nodiscard]] WalkStart compareDirectories(const DirectorySelection& selection);

    // Commands 312, 313 and 315. False for any other id.
    bool handleWalkCommand(int id);

    // To be called after every Compare Files command (305) has run: during
    // the walk a pair the user compared again and found identical is copied.
    void afterCompareFiles();

    // Command 1000: builds the comparison list, pairs judged by their bytes
    // (or by size and time stamps when "Trust time stamps" is set). A
    // destination inside Directory 1 or 2 is refused with a message
    // (Failed, no rows). A cancelled build (Cancelled) keeps its
    // rows, marked as incomplete (state.listIncomplete); the caller shows them.
    [[nodiscard]] BuildResult buildList(const std::string& dir1, const std::string& dir2,
                                        const std::string& destination,
                                        const BuildProgress& progress);

    // The rows the two lists show, honouring "Directory Diffs Only".
    std::vector<int> shownRows() const;

    // Command 40001: copies the halves that list `side` (1 left, 2 right)
    // shows of the comparison rows `rows` to the same places below
    // `destination`. Each copied half is marked; a row whose directory is
    // the destination itself is read again. Then tells the account
    // ("Copy to Destination: " and copySummary()) and returns it.
    OperationCount copyToDestination(int side, const std::vector<int>& rows,
                                     const std::string& destination);
    // The account of the last Copy to Destination, for a status bar; empty
    // before the first.
    const std::string& lastCopyReport() const { return lastCopyReport_; }

    // Activation of a row: starts the merge run of a differing pair and
    // remembers where its result will go. NotStarted for any other row, and
    // when the run could not be started.
    enum class MergeRunStart { Started, NotStarted };
    [[nodiscard]] MergeRunStart activateRow(int row, const std::string& dir1,
                                            const std::string& destination);

    // When the window comes back to the front: each row whose merge run has
    // written its result since is marked as merged, and read again when its
    // destination is Directory 1 or 2. True when a row changed.
    bool recheckMergeRuns();

    // The kinds of all rows, shown ones or not.
    RowCounts counts() const { return countRows(state.rows); }

private:
    DirMergeContext context();
    ScanFilters filters() const;
    // The merge model and the driver read the flag and the pair's output path
    // from their own records.
    void publish();

    // A merge run started from the list, and its result file as it was then.
    struct MergeRun {
        int row = 0;
        std::string target;
        std::string destination;
        FileStatus before;
    };
    // Whether `destination` is the folder one of the rows' directories is.
    bool destinationIsListed(const std::string& destination) const;

    Session& app_;
    DirMergeServices services_;
    std::vector<MergeRun> mergeRuns_;
    std::string lastCopyReport_;
};

} // namespace tandel
