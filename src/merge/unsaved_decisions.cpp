#include "merge/unsaved_decisions.h"

#include "frame/frame.h"
#include "merge/decisions.h"
#include "merge/save.h"
#include "settings/settings_record.h"

#include <algorithm>

namespace tandel {

namespace {

bool anyDecision(const MergeModel& model) {
    const std::int32_t n = std::min(model.side(1).segmentCount(), model.side(2).segmentCount());
    for (std::int32_t i = 0; i < n; ++i) {
        if (segmentResolved(model, i)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool mayDropDecisions(MergeModel& model, Settings& settings, Frame& frame) {
    if (!model.decisionsUnsaved || !anyDecision(model)) {
        return true;
    }
    const Question question{QuestionKind::UnsavedDecisions, model.saveName,
                            "The choices you made are not saved.\n"
                            "Save the merged result first?"};
    switch (frame.askYesNoCancel("Unsaved choices", question)) {
    case Answer::Yes:
        // A save that did not happen (refused, cancelled, failed) keeps the work.
        (void)saveResult(model, settings, frame, kSaveAs);
        return !model.decisionsUnsaved;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace tandel
