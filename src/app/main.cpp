#include <cstdlib>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/desktop_run.h"
#include "control/unattended_run.h"

// Memory that runs out is trouble to report, never a reason to abort.
int main(int argc, char* argv[]) try {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // An unattended run must work with no display at all, so it never creates
    // the toolkit's application object.
    if (tandel::requestsUnattendedRun(arguments)) {
        return tandel::runUnattended(arguments, std::cerr);
    }
    if (!tandel::displayAvailable(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                                  std::getenv("QT_QPA_PLATFORM"))) {
        tandel::reportNoDisplay(std::cerr);
        return 2;
    }
    return tandel::runDesktop(argc, argv);
} catch (const std::bad_alloc&) {
    std::cerr << "tandel: Not enough memory\n";
    return 2;
}
