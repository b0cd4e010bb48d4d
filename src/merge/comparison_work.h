// One comparison in three steps, so that the middle one can run away from
// the window: prepare (on the window's thread) takes what the run needs from
// the session; run reads what must be read and compares, touching nothing of
// the session but the engine copies of the sides it keeps; apply (on the
// window's thread again) puts the result in place as a synchronous load and
// comparison would.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "engine/compare_settings.h"
#include "merge/comparison_driver.h"
#include "merge/job_progress.h"
#include "merge/script_reader.h"
#include "merge/side_record.h"
#include "merge/three_way.h"

namespace tandel {

class Session;

struct ComparisonWork {
    // Taken by prepare.
    std::array<std::string, 2> names;
    std::array<bool, 2> read{};        // read the file: a new load, a reload
    std::array<bool, 2> reload{};      // the read replaces the side's own file
    std::array<SideRecord*, 2> kept{}; // the session's sides that are not read
    bool compare = true;               // false: loads only
    EngineSwitches switches;
    CompareSettings definitions;
    bool exactLineEnds = false;
    FileSystem* files = nullptr;
    bool judgeEncoding = true; // the model's
    // A three-way merge: both sides are also compared with this common
    // ancestor (an empty name: an empty one).
    bool threeWay = false;
    std::string baseName;
    bool baseReadAhead = false; // `base` holds it already

    // Filled by run.
    std::array<SideRecord, 2> fresh;
    std::array<IoStatus, 2> readStatus;
    std::vector<std::string> engineMessages;
    bool compared = false;                // the comparison itself was run
    std::optional<ScriptOutcome> outcome; // none: not compared, failed or cancelled
    ScriptLists lists;
    SideRecord base;
    std::vector<MergeTake> takes;                   // a three-way merge's, one per hunk of `lists`
    std::array<std::vector<EditHunk>, 2> baseHunks; // BASE to side 1, to side 2
    bool cancelled = false;
};

// `load[s]`, when not empty, is a file to load as side s. With `compare`,
// sides whose file changed on disk or whose engine copy was spent are read
// again, and the two sides are compared.
ComparisonWork prepareComparison(Session& app, const std::array<std::string, 2>& load,
                                 bool compare);

// Safe on another thread while the window only paints. With `progress`, says
// how far it is and stops at a Cancel.
void runComparison(ComparisonWork& work, JobProgress* progress = nullptr);

// Installs the sides that were read (a failed read says why and leaves its
// side), then the comparison's result. Failed when nothing was compared.
CompareResult applyComparison(Session& app, ComparisonWork& work);

} // namespace tandel
