// The windowed program started where there is no display at all, as on a
// server: a plain word on standard error and exit status 2, nothing touched.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

namespace {

TEST(NoDisplay, TheWindowedRunSaysSoAndPointsToTheUnattendedRun) {
    e2e::Sandbox box("tandel-nodisplay");
    const auto a = box.put("a.txt", "one\n");
    const auto b = box.put("b.txt", "two\n");
    const e2e::RunResult result = box.run(TANDEL_PATH, {a.string(), b.string()});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.errors.find("no display found"), std::string::npos) << result.errors;
    EXPECT_NE(result.errors.find("-auto"), std::string::npos);
    EXPECT_EQ(result.errors.find("platform plugin"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(box.root / "config" / "tandel" / "tandel.ini"));
    EXPECT_EQ(e2e::readFile(a), "one\n");
}

} // namespace
