// The three-way merge: two edit scripts from a common ancestor (BASE to LOCAL,
// BASE to REMOTE) merged into the LOCAL-vs-REMOTE differences, each one
// either taken from the side that alone changed it or left as a conflict.
#pragma once

#include "merge/script_reader.h"
#include "merge/side_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tandel {

// One change from BASE to a side: BASE lines [baseFirst, baseFirst +
// baseCount) became the side's lines [sideFirst, sideFirst + sideCount),
// 0-based.
struct EditHunk {
    std::int32_t baseFirst = 0;
    std::int32_t baseCount = 0;
    std::int32_t sideFirst = 0;
    std::int32_t sideCount = 0;

    std::int32_t baseEnd() const { return baseFirst + baseCount; }
    std::int32_t sideEnd() const { return sideFirst + sideCount; }
};

// The hunks of a comparison of BASE (file 1) with a side (file 2), as the
// script reader left them.
std::vector<EditHunk> editHunks(const ScriptLists& lists);

// How one LOCAL-vs-REMOTE difference is decided before the user sees it.
enum class MergeTake : std::int8_t {
    Conflict, // both sides changed it, differently: the user decides
    Local,    // only LOCAL changed it
    Remote,   // only REMOTE changed it
};

struct ThreeWayResult {
    // LOCAL (file 1) against REMOTE (file 2) in the engine's normal format,
    // headers only; empty when the two agree everywhere.
    std::string script;
    std::vector<MergeTake> takes; // one per hunk of the script
    std::int32_t conflicts = 0;
};

// Changes of the two sides that overlap or touch (no unchanged BASE line
// between them) form one region; a region only one side changed takes that
// side, one both sides changed to the same lines is common text, any other is
// a conflict.
ThreeWayResult mergeThreeWay(const std::vector<EditHunk>& local,
                             const std::vector<EditHunk>& remote, const SideRecord& localSide,
                             const SideRecord& remoteSide);

// For sides compared whole (a binary file among the three): their one
// difference goes to the side that changed when the other still equals BASE.
MergeTake wholeTake(const SideRecord& base, const SideRecord& local, const SideRecord& remote);

} // namespace tandel
