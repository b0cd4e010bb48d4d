#include "control/unattended_run.h"

#include <strings.h>

#include "control/application.h"
#include "control/console_frame.h"
#include "control/dispatcher.h"
#include "merge/compare_settings_store.h"
#include "merge/decisions.h"
#include "merge/merged_output.h"
#include "merge/side_loader.h"
#include "settings/settings_path.h"
#include "settings/settings_store.h"

namespace tandel {

namespace {

PathSwitches pathSwitches(const SwitchTable& switches) {
    PathSwitches paths;
    if (switches.isGiven(kSwitchD1)) {
        paths.d1 = switches.valueOf(kSwitchD1);
    }
    if (switches.isGiven(kSwitchD2)) {
        paths.d2 = switches.valueOf(kSwitchD2);
    }
    if (switches.isGiven(kSwitchOutd)) {
        paths.outd = switches.valueOf(kSwitchOutd);
    }
    paths.f1Given = switches.isGiven(kSwitchF1);
    paths.f2Given = switches.isGiven(kSwitchF2);
    return paths;
}

// The save dialog's name, as the window's creation prepares it.
void prepareSaveName(Application& app) {
    MergeModel& model = app.model;
    if (app.switches.isGiven(kSwitchOutf)) {
        model.saveName = app.switches.valueOf(kSwitchOutf);
        model.saveNameFromSwitch = true;
    }
}

void loadNamedFiles(Application& app) {
    for (int s = 1; s <= 2; ++s) {
        const int id = s == 1 ? kSwitchF1 : kSwitchF2;
        if (app.switches.isGiven(id) && !app.switches.valueOf(id).empty()) {
            LoadByName(app.model, app.settings.record, app.frame(), app.switches.valueOf(id),
                       s == 1 ? app.settings.files.dirName1 : app.settings.files.dirName2, s);
        }
    }
}

// The run ended without its save: say why, unless a message already did.
void reportUnfinished(Application& app, ConsoleFrame& frame) {
    if (frame.errorCount() > 0) {
        return;
    }
    for (int s = 1; s <= 2; ++s) {
        const int id = s == 1 ? kSwitchF1 : kSwitchF2;
        if (!app.switches.isGiven(id) || app.switches.valueOf(id).empty()) {
            frame.message(Severity::Error, "Two files are needed: -f1 FILE -f2 FILE");
            return;
        }
        if (app.model.side(s).fileName.empty()) {
            frame.message(Severity::Error, "Unable to open file " + app.switches.valueOf(id));
            return;
        }
    }
    frame.message(Severity::Error, "The files were not compared");
}

} // namespace

bool requestsUnattendedRun(const std::vector<std::string>& arguments) {
    SwitchTable table;
    if (parseArguments(arguments, table).status == 0) {
        return table.isGiven(kSwitchAuto);
    }
    // A bad token before the switch stops the parse, but a caller that asked
    // for an unattended run must never get a window that waits for a user:
    // such a run reports the error and ends.
    for (const auto& token : arguments) {
        if (token.size() == 5 && (token[0] == '-' || token[0] == '/') &&
            ::strcasecmp(token.c_str() + 1, "auto") == 0) {
            return true;
        }
    }
    return false;
}

int runUnattended(const std::vector<std::string>& arguments, std::ostream& errors,
                  const std::string& settingsPath) {
    ConsoleFrame frame(errors);
    Application app(frame);
    frame.setCommandHandler([&app](int id) { dispatchCommand(app, id); });

    // Start-up order: command line, options, then what the window's creation
    // reads ([Files] with the path switches applied, fonts, definitions).
    applyCommandLine(app, arguments);
    app.frameState.unattended = true;
    app.frameState.directoryWindow = false;
    frame.setWritableTarget(app.switches.valueOf(kSwitchOutf));

    SettingsStore store(settingsPath.empty() ? defaultSettingsPath() : settingsPath);
    store.loadOptions(app.settings);
    store.loadFilesSection(app.settings, pathSwitches(app.switches));
    store.loadTextFont(app.settings);
    loadCompareSettings(store.profile(), app.compare);
    store.loadTitleFont(app.settings);
    prepareSaveName(app);

    app.settings.record.notYetCompared = 1;
    loadNamedFiles(app);
    frame.runPosted([&app] { return app.frameState.quitRequested; });

    if (!app.frameState.quitRequested) {
        reportUnfinished(app, frame);
        requestQuit(app, kUnattendedFailure);
    }
    store.shutDown(app.settings, compareSettingsWriters(app.compare));
    return app.frameState.exitCode;
}

} // namespace tandel
