// The command lines of the instances that directory merging starts. Each path
// is its own argument, so blanks and quotes in paths survive unchanged.
#pragma once

#include "dirmerge/dirmerge_context.h"

#include <string>
#include <vector>

namespace tandel {

// The directory window instance for the chosen directories.
std::vector<std::string> directoryWindowArguments(const std::string& program,
                                                  const std::string& dir1, const std::string& dir2,
                                                  const std::string& destination);

// The instance that merges one pair into its destination directory.
std::vector<std::string> mergeRunArguments(const std::string& program, const std::string& left,
                                           const std::string& right,
                                           const std::string& outputDirectory);

// Starts the program named by the first argument with the rest as its
// arguments and does not wait for it. Every argument reaches it as the bytes
// given, so names that are not valid UTF-8 survive, which a conversion to
// display text would not. False when it could not be started.
bool startDetached(const std::vector<std::string>& arguments);

// Starts the merge run of a differing pair of the directory window: the pair's
// destination directory is the left file's place below Directory 1, moved
// below `destination`, and is created first (the destination itself only
// after the user agreed). False when it was not started.
[[nodiscard]] bool startMergeRun(DirMergeContext& ctx, const std::string& leftPath,
                                 const std::string& rightPath, const std::string& dir1,
                                 const std::string& destination);

} // namespace tandel
