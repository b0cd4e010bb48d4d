// Directory links that lead back into the walk, given to the real tandel-diff.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace fs = std::filesystem;

TEST(DirectoryLoops, TwoLinksToItselfOnEachSideEndTheWalkAtOnce) {
    e2e::Sandbox box{"tandel-loops"};
    for (const char* side : {"d1", "d2"}) {
        for (const char* link : {"l", "m"}) {
            fs::create_directory_symlink(".", box.folder(side) / link);
        }
    }
    const std::string d1 = (box.root / "d1").string();
    // Under timeout(1): following the links doubles the walk at every level.
    const e2e::RunResult r =
        box.run("/usr/bin/timeout", {"10", TANDEL_DIFF_PATH, "-r", d1, (box.root / "d2").string()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.errors, "tandel-diff: " + d1 + "/l: recursive directory loop\n" + "tandel-diff: " +
                            d1 + "/m: recursive directory loop\n");
    EXPECT_EQ(r.out, "");
}

} // namespace
