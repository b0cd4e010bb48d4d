// Loads and compares two files as the program does, then times Find Next for
// a text: the search itself, as the user waits for it with the files shown.
// Usage: search_timing FILE1 FILE2 TEXT [-i] [repeats]
// Prints the median seconds of `repeats` searches (default 5) and whether
// the text was found.
#include "control/application.h"
#include "control/console_frame.h"
#include "control/search.h"
#include "merge/comparison_driver.h"
#include "merge/side_loader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace tandel;

// No window: the console frame's answers, its messages written nowhere.
std::ostream nowhere(nullptr);

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FILE1 FILE2 TEXT [-i] [repeats]\n", argv[0]);
        return 2;
    }
    const bool ignoreCase = argc > 4 && std::string(argv[4]) == "-i";
    const int repeats = argc > 4 + ignoreCase ? std::atoi(argv[4 + ignoreCase]) : 5;

    ConsoleFrame frame(nowhere);
    Application app(frame);
    app.settings.record.unixFormat = 1;
    if (loadSide(app.model, app.settings.record, frame, argv[1], 1) != LoadResult::Loaded ||
        loadSide(app.model, app.settings.record, frame, argv[2], 2) != LoadResult::Loaded ||
        compareFiles(app, argv[1], argv[2]) == CompareResult::Failed) {
        std::fprintf(stderr, "cannot load and compare the files\n");
        return 2;
    }
    std::vector<double> seconds;
    bool found = false;
    for (int i = 0; i < std::max(repeats, 1); ++i) {
        app.settings.record.topLine = 0;
        const auto start = std::chrono::steady_clock::now();
        found = runSearch(app, argv[3], ignoreCase);
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%.6f %s\n", seconds[seconds.size() / 2], found ? "found" : "not-found");
    return 0;
}
