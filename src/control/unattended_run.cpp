#include "control/unattended_run.h"

#include <new>
#include <strings.h>

#include "control/application.h"
#include "control/console_frame.h"
#include "control/dispatcher.h"
#include "control/lifecycle.h"
#include "settings/settings_path.h"
#include "settings/settings_store.h"

namespace tandel {

namespace {

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
    if (parseArguments(arguments, table).status == CommandLineStatus::Parsed) {
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
                  const std::string& settingsPath, FileSystem& files) try {
    ConsoleFrame frame(errors);
    Application app(frame);
    app.model.files = &files;
    app.model.judgeEncoding = false; // nothing is shown
    frame.setCommandHandler([&app](int id) { dispatchCommand(app, id); });

    // The start-up order of every run, the window's included; this run then
    // never shows a directory window and answers for its own target only.
    SettingsStore store(settingsPath.empty() ? defaultSettingsPath() : settingsPath, files);
    // A switch the run does not know may have been meant to change what is
    // merged or where it goes, and settings that cannot be read how it is
    // merged: nothing is saved then.
    const StartupResult startup = readStartupSettings(app, store, arguments);
    app.frameState.unattended = true;
    app.frameState.directoryWindow = false;
    frame.setWritableTarget(app.switches.valueOf(kSwitchOutf));
    if (startup == StartupResult::Ready) {
        openStartupFiles(app);
    } else {
        requestQuit(app, kUnattendedFailure);
    }
    frame.runPosted([&app] { return app.frameState.quitRequested; });

    if (!app.frameState.quitRequested) {
        reportUnfinished(app, frame);
        requestQuit(app, kUnattendedFailure);
    }
    // A run refused for its command line did nothing: the user's file stays as
    // it is. Otherwise a file not written has said why itself.
    if (startup != StartupResult::CommandLineRefused)
        static_cast<void>(writeShutdownSettings(app, store));
    return app.frameState.exitCode;
} catch (const std::bad_alloc&) {
    // Everything the run held is given back by now, so the message has room.
    errors << "Error: Not enough memory\n";
    return kUnattendedFailure;
}

} // namespace tandel
