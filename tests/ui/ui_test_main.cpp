#include "ui_test_main.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace tandel::test {

namespace {

std::map<std::string, UiTestRun>& registry() {
    static std::map<std::string, UiTestRun> tests;
    return tests;
}

} // namespace

bool registerUiTest(const char* name, UiTestRun run) {
    registry()[name] = run;
    return true;
}

} // namespace tandel::test

// ui_tests CLASS [Qt Test options]; "ui_tests --list" names the classes. A
// run that names no known class fails, so a test entry can never pass empty.
int main(int argc, char** argv) {
    const auto& tests = tandel::test::registry();
    const auto found = argc > 1 ? tests.find(argv[1]) : tests.end();
    if (found == tests.end()) {
        std::fprintf(stderr, "usage: %s CLASS [options]; the classes:\n", argv[0]);
        for (const auto& [name, run] : tests) {
            std::fprintf(stderr, "  %s\n", name.c_str());
        }
        return argc == 2 && std::strcmp(argv[1], "--list") == 0 ? 0 : 2;
    }
    // The class name leaves the arguments that Qt Test reads.
    std::vector<char*> rest{argv[0]};
    rest.insert(rest.end(), argv + 2, argv + argc);
    int restCount = static_cast<int>(rest.size());
    rest.push_back(nullptr);
    QApplication application(restCount, rest.data());
    application.setAttribute(Qt::AA_Use96Dpi, true);
    return found->second(restCount, rest.data());
}
