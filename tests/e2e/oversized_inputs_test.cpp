// Inputs that memory cannot hold, given to the real programs: each run ends
// with the reason and status 2, never with an abort.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class OversizedInputs : public ::testing::Test {
protected:
    // The program with its address space limited, so that a device that
    // never ends meets the bound soon.
    e2e::RunResult runLimited(const std::string& program, std::vector<std::string> words) const {
        words.insert(words.begin(), {"-c", "ulimit -v 300000 && exec \"$0\" \"$@\"", program});
        return box.run("/bin/sh", words);
    }
    std::vector<std::string> merge(const std::string& file) const {
        return {"-auto", "-f1", file, "-f2", a, "-outf", out};
    }

    e2e::Sandbox box{"tandel-oversized"};
    const std::string a = box.put("a", "a\n").string();
    const std::string out = (box.root / "out").string();
};

TEST_F(OversizedInputs, ASparseFileLargerThanMemoryIsRefusedUnread) {
    const fs::path sparse = box.put("sparse", "");
    fs::resize_file(sparse, std::uintmax_t{1} << 42);
    const e2e::RunResult diff = box.run(TANDEL_DIFF_PATH, {sparse.string(), a});
    EXPECT_EQ(diff.exitCode, 2);
    EXPECT_TRUE(diff.errors.starts_with("tandel-diff: cannot read " + sparse.string() +
                                        ": File too large: 4398046511104 bytes, more than the "))
        << diff.errors;
    const e2e::RunResult auto_ = box.run(TANDEL_PATH, merge(sparse.string()));
    EXPECT_EQ(auto_.exitCode, 2);
    EXPECT_TRUE(auto_.errors.starts_with("Error: Unable to open file " + sparse.string() +
                                         ": File too large\n"))
        << auto_.errors;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(OversizedInputs, ADeviceThatNeverEndsIsStoppedBeforeMemoryRunsOut) {
    // Past the bound, or at memory's end under a tighter limit: the reason
    // follows the name either way.
    const e2e::RunResult diff = runLimited(TANDEL_DIFF_PATH, {"/dev/zero", a});
    EXPECT_EQ(diff.exitCode, 2);
    EXPECT_TRUE(diff.errors.starts_with("tandel-diff: cannot read /dev/zero: ")) << diff.errors;
    const e2e::RunResult auto_ = runLimited(TANDEL_PATH, merge("/dev/zero"));
    EXPECT_EQ(auto_.exitCode, 2);
    EXPECT_TRUE(auto_.errors.starts_with("Error: Unable to open file /dev/zero: ")) << auto_.errors;
    EXPECT_FALSE(fs::exists(out));
}

} // namespace
