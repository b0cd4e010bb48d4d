// One entry for every command id: the directory commands go to directory
// merging, every other id to the merge dispatcher, which cannot reach this
// layer itself. The window calls it for each command it receives; a console
// run or a test drains the posted commands through it.
#pragma once

#include "dirmerge/comparison_list.h"
#include "dirmerge/directory_walk.h"

#include <functional>
#include <string>
#include <vector>

namespace tandel {

class Application;
class ConsoleFrame;
class DirectoryMerge;

// The items selected in one directory list: side 1 for the left list, 2 for
// the right one, 0 when neither list holds a selection; `rows` are indexes
// into the comparison rows, never the texts the lists show.
struct ListSelection {
    int side = 0;
    std::vector<int> rows;
};

// What only the window knows: its dialogs' answers and its lists' selection.
// An input left empty makes its command do nothing.
struct RouterInputs {
    // Command 314: the directory selection dialog; false when cancelled.
    std::function<bool(DirectorySelection& selection)> chooseDirectories;
    // Command 40001.
    std::function<ListSelection()> selectedItems;
    // Commands 1000 and Rescan: told the path about to be compared; false
    // stops the build.
    BuildProgress buildProgress;
    // Command 316 in the directory window: the row indexes in the order the
    // lists show them (sorted by a column click); the build order honouring
    // "Directory Diffs Only" when not given.
    std::function<std::vector<int>()> listOrder;
};

class CommandRouter {
public:
    CommandRouter(Application& app, DirectoryMerge& directories, RouterInputs inputs = {});

    // Runs command `id`. False for an id nobody owns; the caller ignores it.
    bool route(int id);

    // Runs the console's posted commands, and those they post in turn,
    // through this router until none is left or a quit was requested. Sent
    // commands go through the router as well from then on.
    void runPosted(ConsoleFrame& console);

private:
    void compareDirectories();
    void buildList();
    void copyToDestination();
    void findNext();

    Application& app_;
    DirectoryMerge& directories_;
    RouterInputs inputs_;
};

} // namespace tandel
