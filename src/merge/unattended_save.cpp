#include "merge/unattended_save.h"

#include "merge/decisions.h"
#include "merge/merged_output.h"
#include "merge/session.h"

namespace tandel {

UnattendedSave saveUnattendedResult(Session& app) {
    MergeModel& model = app.model;
    Frame& frame = app.frame();
    if (!app.switches.isGiven(kSwitchBase)) {
        selectAll(model, frame);
    } else if (const std::int32_t left = unresolvedCount(model); left > 0) {
        // The conflicted file stays as it is for whoever resolves it.
        frame.message(Severity::Error, std::to_string(left) +
                                           (left == 1 ? " conflict" : " conflicts") +
                                           " left; nothing written");
        return UnattendedSave::Conflicts;
    }
    const std::string target = app.switches.valueOf(kSwitchOutf);
    if (target.empty()) {
        frame.message(Severity::Error, "No output file was named (-outf FILE)");
        return UnattendedSave::NoOutput;
    }
    const SettingsRecord& record = app.settings.record;
    const ProduceResult status =
        produceResult(model, record, frame, target, OutputSink::File, /*differencesOnly=*/false);
    return status == ProduceResult::Done ? UnattendedSave::Saved : UnattendedSave::Failed;
}

} // namespace tandel
