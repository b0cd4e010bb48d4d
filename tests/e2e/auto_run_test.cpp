// The unattended run of the real program, started with a minimal environment:
// no display, a private HOME and XDG_CONFIG_HOME, real files in a temporary folder.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using e2e::readFile;
using e2e::RunResult;
using e2e::writeFile;
namespace fs = std::filesystem;

class AutoRun : public ::testing::Test {
protected:
    fs::path put(const std::string& name, const std::string& bytes) {
        return box.put(fs::path("work") / name, bytes);
    }

    void setUnixFormat(bool on) {
        box.put(fs::path("config") / "tandel" / "tandel.ini",
                std::string("[Options]\nUnix format=") + (on ? "1" : "0") + "\n");
    }

    RunResult run(const std::vector<std::string>& arguments) {
        return box.run(TANDEL_PATH, arguments);
    }

    static std::vector<std::string> mergeArgs(const fs::path& a, const fs::path& b,
                                              const fs::path& out) {
        return {"-auto", "-f1", a.string(), "-f2", b.string(), "-outf", out.string()};
    }

    RunResult merge(const fs::path& a, const fs::path& b, const fs::path& out) {
        return run(mergeArgs(a, b, out));
    }

    e2e::Sandbox box{"tandel-auto"};
    const fs::path work = box.folder("work");
};

TEST_F(AutoRun, MergesWithoutADisplayAndWritesTheSettings) {
    const auto a = put("a.txt", "one\ntwo\nthree\n");
    const auto b = put("b.txt", "one\n2\nthree\nfour\n");
    const auto out = work / "out.txt";
    const RunResult r = merge(a, b, out);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    // Select All: file 2's lines, then file 1's, each with its own line end.
    EXPECT_EQ(readFile(out), "one\n2\ntwo\nthree\nfour\n");
    EXPECT_TRUE(fs::exists(box.root / "config" / "tandel" / "tandel.ini"));
    EXPECT_EQ(readFile(a), "one\ntwo\nthree\n");
    EXPECT_EQ(readFile(b), "one\n2\nthree\nfour\n");
    // The temporary result files are gone, wherever TMP pointed.
    EXPECT_TRUE(fs::is_empty(box.root / "tmp"));
}

TEST_F(AutoRun, BareNamesWorkLikeF1AndF2) {
    const auto a = put("a b.txt", "x\n");
    const auto b = put("c.txt", "y\n");
    const auto out = work / "out.txt";
    const RunResult r = run({"-auto", a.string(), b.string(), "/outf", out.string()});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(readFile(out), "y\nx\n");
}

TEST_F(AutoRun, LineEndsFollowTheUnixFormatSetting) {
    const auto a = put("a.txt", "same\r\nleft\nend\r\nno newline");
    const auto b = put("b.txt", "same\r\nright\r\nend\r\nno newline");
    const auto out = work / "out.txt";
    const struct {
        bool unixFormat;
        const char* merged;
    } cases[] = {
        // Each line keeps its own end, and the last still has none.
        {true, "same\r\nright\r\nleft\nend\r\nno newline"},
        {false, "same\r\nright\r\nleft\r\nend\r\nno newline"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unixFormat);
        setUnixFormat(c.unixFormat);
        const RunResult r = merge(a, b, out);
        ASSERT_EQ(r.exitCode, 0) << r.errors;
        EXPECT_EQ(readFile(out), c.merged);
    }
}

TEST_F(AutoRun, EmptyAndIdenticalFilesStillGiveAResult) {
    const auto empty = put("empty.txt", "");
    const auto full = put("full.txt", "only\n");
    const auto out = work / "out.txt";
    setUnixFormat(true);
    RunResult r = merge(empty, full, out);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(readFile(out), "only\n");

    const auto twin = put("twin.txt", "only\n");
    const auto identicalOut = work / "identical.txt";
    r = merge(full, twin, identicalOut);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_NE(r.errors.find("Info: Files are identical"), std::string::npos) << r.errors;
    EXPECT_EQ(readFile(identicalOut), "only\n");
}

TEST_F(AutoRun, BinaryFilesThatDifferAreNeverMergedAsText) {
    const auto a = put("a.bin", std::string("\x7f" "ELF\0\n\x01", 7));
    const auto b = put("b.bin", std::string("\x7f" "ELF\0\r\n\x02", 8));
    const auto out = put("out.bin", "kept\n");
    const RunResult r = merge(a, b, out);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.errors.find("Error: Binary files"), std::string::npos) << r.errors;
    EXPECT_EQ(readFile(out), "kept\n");
    EXPECT_FALSE(fs::exists(out.string() + ".bak"));
}

TEST_F(AutoRun, AnExistingTargetIsBackedUpAndTheBackupReplaced) {
    const auto a = put("a.txt", "1\n");
    const auto b = put("b.txt", "2\n");
    const auto out = put("out.txt", "first\n");
    setUnixFormat(true);
    ASSERT_EQ(merge(a, b, out).exitCode, 0);
    EXPECT_EQ(readFile(out.string() + ".bak"), "first\n");
    EXPECT_EQ(readFile(out), "2\n1\n");

    writeFile(a, "3\n");
    ASSERT_EQ(merge(a, b, out).exitCode, 0);
    EXPECT_EQ(readFile(out.string() + ".bak"), "2\n1\n");
    EXPECT_EQ(readFile(out), "2\n3\n");

    // A target that is itself a backup gets none.
    const auto bak = put("x.BAK", "old\n");
    ASSERT_EQ(merge(a, b, bak).exitCode, 0);
    EXPECT_EQ(readFile(bak), "2\n3\n");
    EXPECT_FALSE(fs::exists(work / "x.BAK.bak"));
}

TEST_F(AutoRun, FailuresExitWithTwoOr255AndASaidReason) {
    const auto a = put("a.txt", "1\n");
    const auto b = put("b.txt", "2\n");
    // An output path under a regular file can be neither created nor written.
    const auto blocker = put("blocker", "precious\n");
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        int exitCode;
    } cases[] = {
        {"missing input", mergeArgs(a, work / "missing.txt", work / "out.txt"), 2},
        {"output under a regular file", mergeArgs(a, b, blocker / "out.txt"), 2},
        {"one input only", {"-auto", "-f1", a.string()}, 2},
        {"no output file", {"-auto", a.string(), b.string()}, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RunResult r = run(c.arguments);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.errors.rfind("Error: ", 0), 0u) << r.errors;
    }
    EXPECT_FALSE(fs::exists(work / "out.txt"));
    EXPECT_EQ(readFile(blocker), "precious\n");
    EXPECT_EQ(readFile(a), "1\n");
    EXPECT_EQ(readFile(b), "2\n");
}

} // namespace
