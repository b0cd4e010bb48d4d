#include "control/pane_commands.h"

#include <utility>

#include "control/application.h"
#include "frame/command_ids.h"
#include "panes/pane_actions.h"

namespace tandel {

void ApplicationPaneCommands::click(int side, std::int64_t paneRow, bool ctrl) {
    clickRow(app_.model, app_.settings.record, app_.frame(), app_.frameState.selection, side,
             paneRow, ctrl);
}

void ApplicationPaneCommands::beginSelection(int side, const SelectionPoint& at) {
    // A side without a file has nothing to select; nothing else to do then.
    [[maybe_unused]] const bool started =
        tandel::beginSelection(app_.model, app_.frame(), app_.frameState.selection, side, at);
}

bool ApplicationPaneCommands::extendSelection(int side, const SelectionPoint& at) {
    TextSelection& selection = app_.frameState.selection;
    return selection.side == side && tandel::extendSelection(selection, at);
}

void ApplicationPaneCommands::endSelection() {
    tandel::endSelection(app_.model, app_.settings.record, app_.frame(), app_.frameState.selection);
}

void ApplicationPaneCommands::releaseSplit(std::int64_t paneRow) {
    // The split disarms whether or not it took place.
    [[maybe_unused]] const bool split = tandel::releaseSplit(
        app_.model, app_.settings.record, app_.frame(), app_.frameState.splitArmed, paneRow);
}

void ApplicationPaneCommands::drop(int side, std::vector<std::string> names) {
    app_.frameState.droppedNames = std::move(names);
    app_.frameState.droppedSide = side;
    app_.frame().postCommand(cmd::kLoadDropped);
}

void ApplicationPaneCommands::setVisibleRows(std::int32_t rows) {
    app_.settings.record.visibleRows = rows;
}

HorizontalExtent ApplicationPaneCommands::paneExtent(int side, std::int64_t visibleColumns) {
    return tandel::paneExtent(app_.model.side(side), app_.settings.record, visibleColumns);
}

void ApplicationPaneCommands::setTopLine(std::int32_t topLine) {
    app_.settings.record.topLine = topLine;
}

std::array<bool, 2> ApplicationPaneCommands::scrollSideways(int side, HorizontalScroll code,
                                                            std::int64_t visibleColumns,
                                                            std::int64_t thumb) {
    return ScrollHorizontally(app_.model, app_.settings.record, side, code, visibleColumns, thumb);
}

} // namespace tandel
