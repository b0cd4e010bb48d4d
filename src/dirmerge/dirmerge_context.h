// What directory merging borrows from the rest of the application: the state
// it owns, the frame, and the merge model's and driver's operations.
#pragma once

#include "dirmerge/copy_path.h"
#include "dirmerge/directory_state.h"
#include "frame/frame.h"
#include "merge/compare_result.h"

#include <functional>
#include <string>
#include <vector>

namespace tandel {

struct DirMergeServices {
    // The merge model's backup of a file about to be replaced.
    BackupMaker makeBackup;
    // The walk: load the pair as file 1 and file 2 and compare them in the
    // panes; returns the driver's result.
    std::function<CompareResult(const std::string& left, const std::string& right)> loadAndCompare;
    // Clears both sides (the walk's skip, end and saved pair).
    std::function<void()> clearSides;
    // Writes all settings, so that a started instance reads the same options.
    std::function<void()> writeSettings;
    // Starts another instance of the program with these arguments; never waited for.
    std::function<void(const std::vector<std::string>& arguments)> startInstance;
    std::string programPath;
};

struct DirMergeContext {
    DirectoryOperationState& state;
    Frame& frame;
    const DirMergeServices& services;

    // Every file and folder access of directory merging goes through it.
    FileSystem& files() const { return *state.filters.files; }

    CopyServices copyServices() const {
        return {frame, state.answers, services.makeBackup, files(), &state.tally};
    }
};

} // namespace tandel
