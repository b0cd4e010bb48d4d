// The merge model's state: both sides and what loading and saving remember.
// The application object owns exactly one. The start directories of the open
// and save dialogs are the [Files] directories of the settings (FilesSection).
#pragma once

#include "base/file_system.h"
#include "merge/side_record.h"
#include "merge/three_way.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tandel {

struct MergeModel {
    // sides[0] is side 1 (file 1, left pane), sides[1] side 2 (file 2, right pane).
    std::array<SideRecord, 2> sides;
    // Set by a load, cleared by the Compare Files command; both set starts a comparison.
    std::array<bool, 2> loadedSinceComparison{};

    // The save dialog's file name; holds the outf value when that switch was
    // given, and then Save As uses it without showing the dialog.
    std::string saveName;
    bool saveNameFromSwitch = false;

    // A decision was made since the result was last saved or compared.
    bool decisionsUnsaved = false;
    // The segment the user went to or chose last; -1 when none. The panes
    // outline it, and the take keys act on it.
    std::int32_t currentSegment = -1;
    // The result on display is a three-way merge with a common ancestor: the
    // segments still undecided are its conflicts.
    bool threeWay = false;
    // The common ancestor of that merge, empty otherwise.
    SideRecord base;
    // The changes from that ancestor to side 1 and to side 2: what places its
    // lines beside the panes' rows. Empty when BASE or a side is binary.
    std::array<std::vector<EditHunk>, 2> baseHunks;
    // An ancestor read beside the two files at start-up, for the comparison
    // that follows to take while its file is unchanged.
    SideRecord readAhead;

    // Directory walk: where the save of the pair now loaded goes.
    std::string pairOutputPath;

    // Every read and write of the model goes through this file layer; tests
    // put a failing one here. Not owned.
    FileSystem* files = &realFileSystem();
    // Whether a file read is judged for its encoding, which only the panes
    // show: an unattended run leaves every side Utf8.
    bool judgeEncoding = true;

    SideRecord& side(int s) { return sides[s == 2 ? 1 : 0]; }
    const SideRecord& side(int s) const { return sides[s == 2 ? 1 : 0]; }
};

} // namespace tandel
