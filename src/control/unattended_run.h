// The unattended run (`auto`): load the two files, compare them, take every
// segment, save to the `outf` file and end, with no window and no display.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "merge/unattended_save.h"

namespace tandel {

class Application;

// True when the arguments (program name removed) ask for an unattended run.
bool requestsUnattendedRun(const std::vector<std::string>& arguments);

// The whole run: settings read as at any start-up, the command line, the
// loads, the posted commands until the save ends the run, the settings written
// as at any shut-down. Messages go to `errors`; returns the exit code. The
// settings file is `settingsPath`, or the default one when empty. Every file
// is reached through `files`.
[[nodiscard]] int runUnattended(const std::vector<std::string>& arguments, std::ostream& errors,
                                const std::string& settingsPath = {},
                                FileSystem& files = realFileSystem());

} // namespace tandel
