// Reading files into the two sides.
#pragma once

#include "merge/job_progress.h"
#include "merge/merge_model.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tandel {

class Frame;
struct SettingsRecord;
struct Settings;

// Whether a file went into a side; when not, the reason has been said (or the
// user cancelled).
enum class LoadResult { Loaded, NotLoaded };

// Reads the file through one open, whatever it is, into a fresh side: each
// line's end is kept apart from its text (a lone CR stays in the text), and a
// binary file is kept whole. With `progress`, a Cancel gives ECANCELED, and
// the split reports how far it is unless `quiet` (a read beside another).
// Without `judgeEncoding` the side is taken for Utf8 unread.
[[nodiscard]] IoStatus readSide(FileSystem& files, const std::string& name, SideRecord& out,
                                JobProgress* progress = nullptr, bool quiet = false,
                                bool judgeEncoding = true);
// loadSide for the named sides (an empty name is skipped), both files read at
// once when the file layer allows it; each failure has said why. A named
// `ancestor` is read beside them into the model's read-ahead, quietly: the
// comparison reads it again, and says why, when this failed.
void loadSides(MergeModel& model, SettingsRecord& settings, Frame& frame,
               const std::array<std::string, 2>& names, const std::string& ancestor = {});
// readSide, or false after "Unable to open file NAME: reason".
[[nodiscard]] bool readFileIntoSide(FileSystem& files, const std::string& name, Frame& frame,
                                    SideRecord& out);
// Puts a side that was read in place of side s (1 or 2), with all a load
// does: both sides' lists go, the preview closes, the side's selection goes,
// and once both sides have been loaded since the last comparison one is
// requested (posted; sent during the directory walk), unless the caller
// compares itself (`compareFollows`).
void installSide(MergeModel& model, SettingsRecord& settings, Frame& frame, SideRecord&& fresh,
                 int s, bool compareFollows = false);

// The full loader: installs the file into side s (1 or 2), discards both
// sides' lists, closes the preview and, once both sides have been loaded since
// the last comparison, requests one (posted; sent during the directory walk).
[[nodiscard]] LoadResult loadSide(MergeModel& model, SettingsRecord& settings, Frame& frame,
                                  const std::string& name, int s);
// Loads name if it exists, else directory + "/" + name when directory is not
// empty.
[[nodiscard]] LoadResult loadByName(MergeModel& model, SettingsRecord& settings, Frame& frame,
                                    const std::string& name, const std::string& directory, int s);
// The open dialog of side s, starting in "Dir name 1" or "Dir name 2", which
// then become the chosen file's folder. False when cancelled.
[[nodiscard]] bool chooseFileToOpen(Settings& settings, Frame& frame, int s, std::string& chosen);
// The one file of a drop that is to be loaded: none during the directory
// walk, and none after "Only one file can be dropped".
std::optional<std::string> droppedFileToLoad(const SettingsRecord& settings, Frame& frame,
                                             const std::vector<std::string>& names);
// File 1 / File 2 commands: the open dialog (starting in "Dir name 1" or
// "Dir name 2", which then become the chosen file's folder), then loadSide.
// NotLoaded when cancelled or the load failed.
[[nodiscard]] LoadResult openSide(MergeModel& model, Settings& settings, Frame& frame, int s);
// Files dropped on the pane of side s: exactly one is loaded as File 1 and
// File 2 load a chosen file; any other count shows "Only one file can be
// dropped". A drop during the directory walk is ignored.
[[nodiscard]] LoadResult loadDropped(MergeModel& model, SettingsRecord& settings, Frame& frame,
                                     const std::vector<std::string>& names, int s);
// Empties both sides: texts, names, lists and counts.
void clearBothSides(MergeModel& model, SettingsRecord& settings, Frame& frame);

} // namespace tandel
