#include "control/command_router.h"

#include "base/file_system.h"
#include "control/application.h"
#include "control/console_frame.h"
#include "control/dispatcher.h"
#include "control/search.h"
#include "control/toolbar_flags.h"
#include "dirmerge/directory_merge.h"
#include "dirmerge/list_search.h"
#include "frame/command_ids.h"
#include "merge/unsaved_decisions.h"

namespace tandel {

CommandRouter::CommandRouter(Application& app, DirectoryMerge& directories, RouterInputs inputs)
    : app_(app), directories_(directories), inputs_(std::move(inputs)) {}

bool CommandRouter::route(int id) {
    switch (id) {
    case cmd::kCompareDirs:
        compareDirectories();
        return true;
    case cmd::kWalkNext:
    case cmd::kWalkSkip:
    case cmd::kWalkCancel:
        return directories_.handleWalkCommand(id);
    case cmd::kCompareDirectoryLists:
    case cmd::kRescanDirectories:
        buildList();
        return true;
    case cmd::kToggleSubdirectories:
        if (flipToolbarFlag(app_, id))
            buildList();
        return true;
    case cmd::kCopyToDestination:
        copyToDestination();
        return true;
    case cmd::kFindNext:
        findNext();
        return true;
    case cmd::kCompareFiles:
        dispatchCommand(app_, id);
        // A loaded pair that the user's own comparison finds identical is
        // copied by the walk, which then goes on.
        directories_.afterCompareFiles();
        return true;
    default:
        return dispatchCommand(app_, id);
    }
}

void CommandRouter::compareDirectories() {
    // The dialog is not even shown while a walk or a list build runs.
    if (directories_.state.comparing || !inputs_.chooseDirectories)
        return;
    if (!mayDropDecisions(app_.model, app_.settings, app_.frame()))
        return;
    DirectorySelection selection;
    if (!inputs_.chooseDirectories(selection))
        return;
    // A refused start has said why; a started one shows itself.
    static_cast<void>(directories_.compareDirectories(selection));
}

namespace {

// A missing folder lists as empty, but a file named where a folder belongs
// is a mistake the user should hear about rather than an empty list.
bool namesAFile(FileSystem& files, const std::string& path) {
    if (path.empty())
        return false;
    const FileKind kind = kindOf(files, path);
    return kind != FileKind::Missing && kind != FileKind::Directory;
}

} // namespace

void CommandRouter::buildList() {
    // The build keeps the window's events flowing; nothing may start a
    // second one over the rows it is filling.
    if (directories_.state.comparing)
        return;
    const FilesSection& files = app_.settings.files;
    for (const std::string* dir : {&files.selectDir1, &files.selectDir2}) {
        if (namesAFile(*app_.model.files, *dir)) {
            app_.frame().message(Severity::Error, *dir + " is not a directory");
        }
    }
    // A cancelled build shows what it found, marked as incomplete.
    static_cast<void>(directories_.buildList(files.selectDir1, files.selectDir2, files.selectOutdir,
                                             inputs_.buildProgress));
    app_.frame().modelChanged(ModelEvent::ListRowsChanged);
}

void CommandRouter::copyToDestination() {
    if (!inputs_.selectedItems)
        return;
    const ListSelection selection = inputs_.selectedItems();
    if (selection.side != 1 && selection.side != 2)
        return;
    (void)directories_.copyToDestination(selection.side, selection.rows,
                                         app_.settings.files.selectOutdir);
}

void CommandRouter::findNext() {
    if (!app_.frameState.directoryWindow) {
        findNextMatch(app_);
        return;
    }
    const std::vector<int> order =
        inputs_.listOrder ? inputs_.listOrder() : directories_.shownRows();
    findNextMatch(app_, [&](std::int64_t after, const TextMatcher& matcher) {
        return listSearch(directories_.state.rows, order, after, matcher, app_.frame());
    });
}

void CommandRouter::runPosted(ConsoleFrame& console) {
    console.setCommandHandler([this](int id) { route(id); });
    console.runPosted([this] { return app_.frameState.quitRequested; });
}

} // namespace tandel
