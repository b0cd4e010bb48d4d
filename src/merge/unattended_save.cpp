#include "merge/unattended_save.h"

#include "merge/decisions.h"
#include "merge/merged_output.h"
#include "merge/session.h"

namespace tandel {

UnattendedSave saveUnattendedResult(Session& app) {
    MergeModel& model = app.model;
    Frame& frame = app.frame();
    selectAll(model, frame);
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
