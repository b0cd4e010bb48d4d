// The comparison driver: runs the engine on the two sides' engine copies
// through a temporary result file and installs the segments it reads back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace tandel {

class Session;

// The driver's outcome, with the driver's values: 0 is "different" here,
// where the engine's 0 means "same".
enum class [[nodiscard]] CompareResult : int{
    Failed = -1,   // a message has been shown; lists and flags unchanged
    Different = 0, // at least one segment, or no identical report
    Identical = 1, // identical under the current settings
};

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

// What the engine borrows for one call, kept alive for its duration.
struct EngineCall {
    EngineContext context;
    std::unique_ptr<LineReducer> tableReducer; // set in table mode
};

// Builds the engine's context from the comparison definitions: the comment
// definitions when comments are ignored, the column reducer in table mode.
EngineCall prepareEngineCall(const Session& app);

// One comparison of file 1 against file 2. In file mode the texts are the
// engine copies the sides already hold (spent copies are reloaded first); in
// directory window mode both files are loaded quietly; a file that cannot be
// read fails the comparison.
CompareResult compareFiles(Session& app, const std::string& file1, const std::string& file2);

// Command 305, Compare Files: compares the two loaded sides and, in an
// unattended run, selects all, saves and requests the quit with the run's
// exit code.
void compareFilesCommand(Session& app);

// The directory walk's step (walk flag set): loads `left` as file 1 and
// `right` as file 2, which sends Compare Files, and returns that comparison's
// CompareResult as its value (failed when a file could not be loaded).
[[nodiscard]] int loadPairAndCompare(Session& app, const std::string& left,
                                     const std::string& right);

} // namespace tandel
