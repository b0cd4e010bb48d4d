// Reading files into the two sides.
#pragma once

#include "merge/merge_model.h"

#include <string>
#include <vector>

namespace tandel {

class Frame;
struct SettingsRecord;
struct Settings;

// A file's lines as the loaders install them (see SideRecord).
struct LoadedText {
    std::int32_t lineCount = 0;
    ByteBuffer lineBuffer;
    std::vector<std::size_t> lineStarts;
    std::size_t engineSize = 0;
    LineEnds ends;
    bool binary = false;
    FileStatus status;
};

// Reads the file through one open, whatever it is. Each line's end is kept
// apart from its text (a lone CR stays in the text); a binary file is kept
// whole. Returns false after "Unable to open file NAME: reason".
[[nodiscard]] bool ReadFile(FileSystem& files, const std::string& name, Frame& frame,
                            LoadedText& out);

// The full loader: installs the file into side s (1 or 2), discards both
// sides' lists, closes the preview and, once both sides have been loaded since
// the last comparison, requests one (posted; sent during the directory walk).
// Returns 0 or -1.
[[nodiscard]] int LoadSide(MergeModel& model, SettingsRecord& settings, Frame& frame,
                           const std::string& name, int s);
// The directory window's loader: no display effects, no comparison request.
[[nodiscard]] int LoadSideQuiet(MergeModel& model, SettingsRecord& settings, Frame& frame,
                                const std::string& name, int s);
// Loads name if it exists, else directory + "/" + name when directory is not
// empty. Returns 1 when loaded, 0 otherwise.
[[nodiscard]] int LoadByName(MergeModel& model, SettingsRecord& settings, Frame& frame,
                             const std::string& name, const std::string& directory, int s);
// File 1 / File 2 commands: the open dialog (starting in "Dir name 1" or
// "Dir name 2", which then become the chosen file's folder), then LoadSide.
// Returns 0, or -1 when cancelled or the load failed.
[[nodiscard]] int OpenSide(MergeModel& model, Settings& settings, Frame& frame, int s);
// Files dropped on the pane of side s: exactly one is loaded as File 1 and
// File 2 load a chosen file; any other count shows "Only one file can be
// dropped". A drop during the directory walk is ignored. Returns 0, or -1
// when nothing was loaded.
[[nodiscard]] int LoadDropped(MergeModel& model, SettingsRecord& settings, Frame& frame,
                              const std::vector<std::string>& names, int s);
// Empties both sides: texts, names, lists and counts.
void ClearSides(MergeModel& model, SettingsRecord& settings, Frame& frame);

} // namespace tandel
