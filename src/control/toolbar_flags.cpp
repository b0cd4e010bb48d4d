#include "control/toolbar_flags.h"

#include "control/application.h"
#include "frame/command_ids.h"

namespace tandel {

namespace {

// The same lookup for reading and for flipping.
template <typename App> auto flagOf(App& app, int id) -> decltype(&app.compare.tableMode) {
    switch (id) {
    case cmd::kToggleTableMode:
        return &app.compare.tableMode;
    case cmd::kToggleDiffsOnly:
        return app.frameState.directoryWindow ? &app.settings.record.directoryDiffsOnly
                                              : &app.settings.record.diffsOnly;
    case cmd::kToggleIgnoreComments:
        return &app.compare.ignoreComments;
    case cmd::kToggleSubdirectories:
        return &app.settings.record.recursive;
    default:
        return nullptr;
    }
}

} // namespace

bool toolbarFlag(const Application& app, int id) {
    const int* flag = flagOf(app, id);
    return flag != nullptr && *flag != 0;
}

bool flipToolbarFlag(Application& app, int id) {
    int* flag = flagOf(app, id);
    if (flag == nullptr) {
        return false;
    }
    *flag = *flag != 0 ? 0 : 1;
    if (id == cmd::kToggleDiffsOnly && app.frameState.directoryWindow) {
        app.frame().modelChanged(ModelEvent::ListRowsChanged);
    }
    return true;
}

} // namespace tandel
