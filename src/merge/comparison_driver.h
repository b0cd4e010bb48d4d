// The comparison driver: the engine's argument vector, and the Compare Files
// command that compares the two loaded sides and installs the segments.
#pragma once

#include "merge/compare_result.h"

#include <string>
#include <vector>

namespace tandel {

class Session;

// The settings that shape the engine's argument vector.
struct EngineSwitches {
    bool compressSpaces = false;
    bool ignoreAllSpaces = false;
    bool ignoreComments = false;
    bool tableMode = false;
};

// "diff" "-s" "-a" ["-b"] ["-w"] "--" file1 file2. "-b" comes with
// compressed spaces, table mode or ignored comments (comment blanking relies on
// white-space compression); "-w" may come without it. The result comes back
// in memory (EngineContext::output), not through a named file.
std::vector<std::string> buildEngineArguments(const EngineSwitches& switches,
                                              const std::string& file1, const std::string& file2);

EngineSwitches engineSwitches(const Session& app);

// One comparison of the two loaded sides, as the engine is told file1 and
// file2 (for its messages). A file changed on disk since it was loaded is read
// again first; a side that cannot be read again is compared as displayed.
CompareResult compareFiles(Session& app, const std::string& file1, const std::string& file2);

// Command 305, Compare Files: compares the two loaded sides and, in an
// unattended run, selects all, saves and requests the quit with the run's
// exit code. The window runs the same three steps with the comparison
// itself on another thread.
void compareFilesCommand(Session& app);
// Before the comparison: the question about unsaved choices, the flags, the
// preview. False when the command stops here.
[[nodiscard]] bool beginCompareFiles(Session& app);
// Whether the sides are there to be compared (an empty side is compared too).
bool readyToCompareFiles(const Session& app);
// After the comparison, or with Failed when none took place.
void finishCompareFiles(Session& app, CompareResult result, bool compared);

// The directory walk's step (walk flag set): loads `left` as file 1 and
// `right` as file 2, which sends Compare Files, and returns that comparison's
// result (Failed when a file could not be loaded).
[[nodiscard]] CompareResult loadPairAndCompare(Session& app, const std::string& left,
                                               const std::string& right);

} // namespace tandel
