#include "control/dispatcher.h"

#include "control/application.h"
#include "control/copy_command.h"
#include "control/search.h"
#include "frame/command_ids.h"
#include "merge/comparison_driver.h"
#include "merge/decisions.h"
#include "merge/merged_output.h"
#include "merge/save.h"
#include "merge/side_loader.h"
#include "merge/unsaved_decisions.h"
#include "panes/navigation.h"

namespace tandel {

bool dispatchCommand(Application& app, int id) {
    MergeModel& model = app.model;
    SettingsRecord& record = app.settings.record;
    Frame& frame = app.frame();

    switch (id) {
    case cmd::kCompareFiles:
        compareFilesCommand(app);
        return true;
    case cmd::kFile1:
    case cmd::kFile2:
        // A cancelled dialog needs no message; a failed load has shown its own.
        if (mayDropDecisions(model, app.settings, frame)) {
            (void)openSide(model, app.settings, frame, id == cmd::kFile1 ? 1 : 2);
        }
        return true;
    case cmd::kLoadDropped:
        if (mayDropDecisions(model, app.settings, frame)) {
            (void)loadDropped(model, record, frame, app.frameState.droppedNames,
                              app.frameState.droppedSide);
        }
        return true;
    case cmd::kSaveAs:
        // The save shows its own messages; a cancelled dialog needs none.
        (void)saveResult(model, app.settings, frame, kSaveAs);
        return true;
    case cmd::kSaveAsLeft:
        // The save shows its own messages; a cancelled dialog needs none.
        (void)saveResult(model, app.settings, frame, kSaveAsLeft);
        return true;
    case cmd::kSaveAsRight:
        // The save shows its own messages; a cancelled dialog needs none.
        (void)saveResult(model, app.settings, frame, kSaveAsRight);
        return true;
    case cmd::kSelectFromLeft:
        selectFrom(model, frame, 1);
        return true;
    case cmd::kSelectFromRight:
        selectFrom(model, frame, 2);
        return true;
    case cmd::kSelectAll:
        selectAll(model, frame);
        return true;
    case cmd::kUnselectAll:
        unselectAll(model, frame);
        return true;
    case cmd::kNextUnresolved:
    case cmd::kPrevUnresolved:
        goToUnresolved(model, record, frame, id == cmd::kNextUnresolved);
        return true;
    case cmd::kNextSegment:
    case cmd::kPrevSegment:
        if (app.frameState.directoryWindow) {
            return false; // these walk the directory list there
        }
        goToAdjacentSegment(model, record, frame, id == cmd::kNextSegment);
        return true;
    case cmd::kFirstSegment:
        goToFirstSegment(model, record, frame);
        return true;
    case cmd::kLastSegment:
        goToLastSegment(model, record, frame);
        return true;
    case cmd::kFirstLine:
        goToFirstLine(record, frame);
        return true;
    case cmd::kLastLine:
        goToLastLine(record, frame);
        return true;
    case cmd::kPreview:
        // The preview shows its own messages.
        (void)produceResult(model, record, frame, {}, OutputSink::Preview, record.diffsOnly != 0);
        return true;
    case cmd::kPrint:
        // A print that fails has said why; a declined one needs no word.
        (void)produceResult(model, record, frame, {}, OutputSink::Printer, record.diffsOnly != 0,
                            app.frameState.directoryWindow);
        return true;
    case cmd::kCopy:
        copyCommand(app);
        return true;
    case cmd::kTakeLeft:
    case cmd::kTakeRight:
    case cmd::kTakeLeftThenRight:
    case cmd::kTakeRightThenLeft:
        takeAndGoOn(model, record, frame,
                    id == cmd::kTakeLeft            ? Take::Left
                    : id == cmd::kTakeRight         ? Take::Right
                    : id == cmd::kTakeLeftThenRight ? Take::LeftThenRight
                                                    : Take::RightThenLeft);
        return true;
    case cmd::kSplitSegment:
        app.frameState.splitArmed = true;
        return true;
    case cmd::kFind:
        findCommand(app);
        return true;
    case cmd::kFindNext:
        // The directory lists are searched through the command router.
        findNextMatch(app);
        return true;
    default:
        return false;
    }
}

} // namespace tandel
