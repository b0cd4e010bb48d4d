// The start-up and shut-down order that every run follows, with a window or
// without one:
//   1. readStartupSettings: the command line, then [Options] with the
//      geometry and lists, then [Files] with the path switches applied, the
//      two font descriptions, the comparison definitions and the save name;
//   2. the frame builds its windows from those settings (and shows them);
//   3. openStartupFiles: the `f1` and `f2` loads, and in directory window
//      mode the posted list build;
//   4. writeShutdownSettings, when the run ends.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tandel {

class Application;
class SettingsStore;
enum class SettingsWrite;

// How start-up went; whatever went wrong has been said through the frame.
enum class StartupResult {
    Ready,
    // The command line was refused; start-up went on with the switches
    // recorded so far.
    CommandLineRefused,
    // tandel.ini exists but cannot be read: the defaults are in use, and the
    // file is never written over. A window goes on with a warning; an
    // unattended run is told that its result would not follow the stored
    // settings, and merges nothing.
    SettingsUnreadable,
};

// A settings file that cannot be read cleanly (but is read) is reported
// through the frame too, and start-up goes on with what could be read.
[[nodiscard]] StartupResult readStartupSettings(Application& app, SettingsStore& store,
                                                const std::vector<std::string>& arguments);

// The files `f1` and `f2` name, as they are to be loaded (an empty name: none).
std::array<std::string, 2> startupFileNames(Application& app);
void openStartupFiles(Application& app);
// With the names found already; the window reads them on another thread and
// passes none.
void openStartupFiles(Application& app, const std::array<std::string, 2>& names);

// Returns whether the store wrote the file; what went wrong has been said through
// the frame, as has anything the store found on reading the file again.
[[nodiscard]] SettingsWrite writeShutdownSettings(Application& app, SettingsStore& store);

} // namespace tandel
