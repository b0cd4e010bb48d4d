#include "control/application.h"

namespace tandel {

CommandLineStatus applyCommandLine(Application& app, const std::vector<std::string>& arguments) {
    const ParseOutcome outcome = parseArguments(arguments, app.switches);
    if (outcome.status != CommandLineStatus::Parsed) {
        app.frame().message(outcome.severity, outcome.message);
    }
    app.frameState.directoryWindow = app.switches.isGiven(kSwitchMandc);
    app.frameState.unattended = app.switches.isGiven(kSwitchAuto);
    return outcome.status;
}

} // namespace tandel
