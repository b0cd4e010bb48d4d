// The program a user starts. An unattended run needs none of the window's
// libraries, whose loading alone costs more than merging small files, so it
// runs here; every other run becomes the window program, which lies beside
// this one in a build and under libexec once installed.
#include <cerrno>
#include <climits>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

#include "control/unattended_run.h"

namespace {

std::string ownFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return ".";
    }
    const std::string self(path, static_cast<std::size_t>(length));
    const std::size_t slash = self.rfind('/');
    return slash == std::string::npos ? "." : self.substr(0, slash);
}

std::string windowProgram() {
    const std::string folder = ownFolder();
    const std::string built = folder + "/tandel-window";
    if (::access(built.c_str(), X_OK) == 0) {
        return built;
    }
    return folder + "/" TANDEL_WINDOW_FROM_BINDIR "/tandel-window";
}

} // namespace

// Memory that runs out is trouble to report, never a reason to abort.
int main(int argc, char* argv[]) try {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (tandel::requestsUnattendedRun(arguments)) {
        return tandel::runUnattended(arguments, std::cerr);
    }
    const std::string window = windowProgram();
    ::execv(window.c_str(), argv);
    std::cerr << "tandel: the window program " << window
              << " cannot be started: " << std::strerror(errno) << "\n";
    return 2;
} catch (const std::bad_alloc&) {
    std::cerr << "tandel: Not enough memory\n";
    return 2;
}
