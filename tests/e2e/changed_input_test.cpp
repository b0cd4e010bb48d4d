// tandel-diff maps its regular-file inputs: a file cut short by another
// process while it is being compared is a read error (status 2, a message
// naming it, no result), never a crash.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(ChangedInputTest, AFileCutShortDuringTheComparisonIsAReadError) {
    e2e::Sandbox box("tandel-diff-changed");
    // Lines 0..99999 and the same lines in random order: with -d the search
    // would take minutes, long enough to cut the file under it.
    std::vector<int> numbers(100000);
    std::iota(numbers.begin(), numbers.end(), 0);
    const auto text = [&] {
        std::string out;
        for (int n : numbers)
            out += "line number " + std::to_string(n) + "\n";
        return out;
    };
    const std::string first = box.put("first", text()).string();
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(3));
    const std::string second = box.put("second", text()).string();

    const pid_t pid = box.start(TANDEL_DIFF_PATH, {"-d", first, second});
    ASSERT_NE(pid, 0);
    // Cut once the program has the file mapped (see /proc/PID/maps).
    const std::string maps = "/proc/" + std::to_string(pid) + "/maps";
    for (int i = 0; i < 60000 && e2e::readFile(maps).find(second) == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(::truncate(second.c_str(), 10), 0);
    const e2e::RunResult r = box.finish(pid);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.errors.find("cannot read " + second + ": the file changed while it was compared"),
              std::string::npos)
        << r.errors;
}

} // namespace
