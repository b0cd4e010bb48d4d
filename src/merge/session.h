// The state a run works on: the switches, the settings, the comparison
// definitions, the model, the engine and the frame's flags, with the frame
// they report to. The merge and directory layers take this; the controller
// above them makes the one the program uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/compare_settings.h"
#include "frame/frame.h"
#include "merge/command_line.h"
#include "merge/compare_result.h"
#include "merge/merge_model.h"
#include "merge/text_selection.h"
#include "settings/settings_record.h"

namespace tandel {

// State of the frame that the core reads or sets; the widgets themselves stay
// in the user interface.
struct FrameState {
    bool directoryWindow = false; // the `mandc` run mode
    bool unattended = false;      // the `auto` run mode
    bool splitArmed = false;      // "Split segment": the next click in a pane splits
    TextSelection selection;      // the panes' character selection, which Copy takes
    std::string searchText;       // last text searched for
    bool ignoreCase = false;
    std::int64_t lastFoundPosition = -1; // search restarts here; -1: from the top
    CompareResult lastCompareResult = CompareResult::Failed; // of the last Compare Files
    // The files of the last drop on a pane, and that pane's side.
    std::vector<std::string> droppedNames;
    int droppedSide = 1;
    // Set by a quit request; the event loop (Qt or console) ends with exitCode.
    bool quitRequested = false;
    int exitCode = 0;
};

class Session {
public:
    explicit Session(Frame& frame) : frame_(&frame) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Frame& frame() const { return *frame_; }

    SwitchTable switches;
    Settings settings;
    CompareSettings compare; // table mode and comment definitions
    MergeModel model;
    FrameState frameState;

private:
    Frame* frame_; // not owned: the window, the console or a test fake
};

// Asks the event loop to end with `exitCode` once the current command returns.
void requestQuit(Session& session, int exitCode);

} // namespace tandel
