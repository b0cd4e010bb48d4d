// The window tests are one program: each file registers its test class, and
// the first argument names the class to run, so that ctest still gives every
// class a process (and an environment) of its own.
#pragma once

#include <QtTest>

namespace tandel::test {

using UiTestRun = int (*)(int argc, char** argv);
bool registerUiTest(const char* name, UiTestRun run);

} // namespace tandel::test

#define TANDEL_UI_TEST(Class)                                                                      \
    namespace {                                                                                    \
    int run##Class(int argc, char** argv) {                                                        \
        Class test;                                                                                \
        return QTest::qExec(&test, argc, argv);                                                    \
    }                                                                                              \
    [[maybe_unused]] const bool registered##Class =                                                \
        tandel::test::registerUiTest(#Class, run##Class);                                          \
    }
