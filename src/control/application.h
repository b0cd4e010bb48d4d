// The application object: every piece of state the program treats as
// process-wide lives here. The program makes exactly one; each test makes its
// own, so nothing leaks from one run into the next.
#pragma once

#include <string>
#include <vector>

#include "merge/session.h"

namespace tandel {

class Application : public Session {
public:
    using Session::Session;
};

// Parses the arguments (program name removed) into the switch table and sets
// the run-mode flags; a parse error is shown through the frame and start-up
// goes on with the switches recorded so far. Returns the parser's status.
[[nodiscard]] CommandLineStatus applyCommandLine(Application& app,
                                                 const std::vector<std::string>& arguments);

} // namespace tandel
