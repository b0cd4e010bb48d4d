// Saving the merged result or the edited preview, with the overwrite question
// and the ".bak" backup of the file that is replaced.
#pragma once

#include "base/file_system.h"
#include "merge/backup_result.h"
#include "merge/merge_model.h"
#include "merge/result_file.h"

#include <string>
#include <vector>

namespace tandel {

class Frame;
struct SettingsRecord;
struct Settings;

enum SaveWhich : int { kSaveAs = 0, kSaveAsLeft = 1, kSaveAsRight = 2 };

// Saved; NotStarted when nothing can be saved yet (said before any dialog),
// the save dialog was cancelled or the walk has no output name; NotWritten
// when the replace was declined or writing failed (said).
// Save As starts its dialog in "Out dir", which then becomes the chosen
// file's folder. During the directory walk a successful write clears both
// sides and posts the walk's next step.
enum class SaveResult { Saved, NotStarted, NotWritten };
[[nodiscard]] SaveResult saveResult(MergeModel& model, Settings& settings, Frame& frame, int which);
// Writes the preview's text, its line feeds as CR LF with "Unix format" off
// or when most of file 1's lines end so.
[[nodiscard]] WriteResult savePreviewText(MergeModel& model, const SettingsRecord& settings,
                                          Frame& frame, const std::string& name);
bool previewWantsCrLf(const MergeModel& model);

bool fileExists(FileSystem& files, const std::string& name);
// "File %s already exists.\nSave anyway ?"; true for Yes.
[[nodiscard]] bool askToOverwrite(Frame& frame, const std::string& name);
// The extension is ".bak" in any letter case: such a file gets no backup.
bool hasBackupExtension(const std::string& name);
// Keeps the regular file `name` also as name + ".bak" (a hard link, or a
// copy where the file system has none), replacing an older backup; a name whose extension is ".bak"
// in any case gets none (NotNeeded). Impossible when no backup could be made: `name` is not a
// regular file, or the backup name is a folder, a device or one of `keep` (the other input, say),
// which is never deleted.
[[nodiscard]] BackupResult makeBackupFile(FileSystem& files, const std::string& name,
                                          const std::vector<std::string>& keep = {});

} // namespace tandel
