#include "control/lifecycle.h"

#include "control/application.h"
#include "frame/command_ids.h"
#include "merge/save.h"
#include "merge/side_loader.h"
#include "settings/compare_settings_store.h"
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

// The file `f1` or `f2` names, or it joined to the remembered folder when it
// is not there; empty when none is given, or none can be found (said).
std::string startupFileName(Application& app, int s) {
    const int id = s == 1 ? kSwitchF1 : kSwitchF2;
    const std::string name = app.switches.valueOf(id);
    if (!app.switches.isGiven(id) || name.empty()) {
        return {};
    }
    const std::string& directory =
        s == 1 ? app.settings.files.dirName1 : app.settings.files.dirName2;
    if (fileExists(*app.model.files, name)) {
        return name;
    }
    // A name that is not there would be joined to the remembered folder,
    // which `f1` and `f2` empty; say so rather than show an empty pane.
    if (directory.empty()) {
        app.frame().message(Severity::Error, "Unable to open file " + name);
        return {};
    }
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

// What the store found about the settings file, such as a copy it kept of
// one it could not read cleanly, is told once, as a warning: the run goes on.
void reportSettingsNotices(Application& app, SettingsStore& store) {
    for (const std::string& notice : store.takeNotices()) {
        app.frame().message(Severity::Warning, notice);
    }
}

// A file that is there but cannot be read leaves the defaults in use. A user
// at a window sees that and can go on; an unattended run would write a result
// that silently differs from what the stored settings ask for (line ends,
// spaces, definitions), so it stops instead.
void reportUnreadableSettings(Application& app, const SettingsStore& store, const IoStatus& why) {
    const std::string said =
        withReason("The settings file " + store.path() + " cannot be read", why);
    if (app.frameState.unattended) {
        app.frame().message(Severity::Error,
                            said + ". Nothing is merged, as the result would not follow the "
                                   "stored settings.");
    } else {
        app.frame().message(Severity::Warning, said + ". The default settings are used, and "
                                                      "the file is left as it is.");
    }
}

} // namespace

StartupResult readStartupSettings(Application& app, SettingsStore& store,
                                  const std::vector<std::string>& arguments) {
    const bool understood = applyCommandLine(app, arguments) == CommandLineStatus::Parsed;
    app.settings.record.notYetCompared = 1;
    const IoStatus read = store.loadOptions(app.settings);
    if (!read.ok()) {
        reportUnreadableSettings(app, store, read);
    }
    reportSettingsNotices(app, store);
    store.loadFilesSection(app.settings, pathSwitches(app.switches));
    if (app.switches.isGiven(kSwitchOutf)) {
        app.model.saveName = app.switches.valueOf(kSwitchOutf);
        app.model.saveNameFromSwitch = true;
    }
    store.loadTextFont(app.settings);
    loadCompareSettings(store.profile(), app.compare);
    store.loadTitleFont(app.settings);
    return !understood  ? StartupResult::CommandLineRefused
           : !read.ok() ? StartupResult::SettingsUnreadable
                        : StartupResult::Ready;
}

std::array<std::string, 2> startupFileNames(Application& app) {
    return {startupFileName(app, 1), startupFileName(app, 2)};
}

void openStartupFiles(Application& app) {
    openStartupFiles(app, startupFileNames(app));
}

void openStartupFiles(Application& app, const std::array<std::string, 2>& names) {
    // A file that cannot be read has said why; its side stays empty.
    // The ancestor of a three-way merge is read beside the two files.
    loadSides(app.model, app.settings.record, app.frame(), names,
              app.switches.mergesWithAncestor(names) ? app.switches.valueOf(kSwitchBase)
                                                     : std::string());
    app.frameState.splitArmed = false;
    if (app.frameState.directoryWindow) {
        app.frame().postCommand(cmd::kCompareDirectoryLists);
    }
}

SettingsWrite writeShutdownSettings(Application& app, SettingsStore& store) {
    const SettingsWrite status = store.shutDown(app.settings, compareSettingsWriters(app.compare));
    reportSettingsNotices(app, store);
    return status;
}

} // namespace tandel
