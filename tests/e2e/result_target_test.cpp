// Where an unattended result may and may not go: names that look like the
// engine's result, folders, links and read-only files as -outf.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using e2e::readFile;
using e2e::RunResult;

class ResultTarget : public ::testing::Test {
protected:
    RunResult merge(const fs::path& a, const fs::path& b, const fs::path& out) {
        return box.run(TANDEL_PATH,
                       {"-auto", "-f1", a.string(), "-f2", b.string(), "-outf", out.string()});
    }
    e2e::Sandbox box{"tandel-target"};
};

TEST_F(ResultTarget, AFileNameCannotPassForADifference) {
    // The name holds a line that reads like a change command.
    const auto named = box.put("n\n0a1\nx", "p\nq\n");
    const auto copy = box.put("s", "p\nq\n");
    const auto out = box.root / "o";
    const RunResult r = merge(named, copy, out);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(readFile(out), "p\nq\n");
}

TEST_F(ResultTarget, AFolderIsRefusedAndALinkIsWrittenThrough) {
    const auto a = box.put("a", "same\n");
    const auto b = box.put("b", "same\n");
    const auto differs = box.put("c", "other\n");
    const fs::path folder = box.folder("dir");
    for (const auto& second : {b, differs}) {
        const RunResult r = merge(a, second, folder);
        EXPECT_EQ(r.exitCode, 2) << r.errors;
        EXPECT_TRUE(fs::is_empty(folder));
    }
    const auto real = box.put("real", "old\n");
    const fs::path link = box.root / "link";
    fs::create_symlink(real, link);
    for (const auto& second : {b, differs}) {
        const RunResult r = merge(a, second, link);
        ASSERT_EQ(r.exitCode, 0) << r.errors;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(readFile(link), readFile(real));
        EXPECT_TRUE(fs::exists(box.root / "real.bak"));
        EXPECT_FALSE(fs::exists(box.root / "link.bak"));
    }
    EXPECT_EQ(readFile(real), "other\nsame\n");
}

TEST_F(ResultTarget, AReadOnlyTargetIsNotReplaced) {
    const auto a = box.put("a", "1\n");
    const auto b = box.put("b", "2\n");
    const auto out = box.put("out", "mine\n");
    ::chmod(out.c_str(), 0444);
    const RunResult r = merge(a, b, out);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.errors.find("Error: Nothing was saved to " + out.string()), std::string::npos)
        << r.errors;
    EXPECT_EQ(readFile(out), "mine\n");
}

} // namespace
