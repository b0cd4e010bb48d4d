// What the real programs leave on disk: backups of replaced results, links
// written through, and pipes and devices read or written in place.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using e2e::autoMerge;
using e2e::readFile;

class ResultFiles : public ::testing::Test {
protected:
    fs::path fifo(const std::string& name) {
        EXPECT_EQ(::mkfifo((box.root / name).c_str(), 0600), 0);
        return box.root / name;
    }
    // Writes `bytes` into the pipe from another thread, as a shell's
    // "printf ... > fifo &" would.
    static std::thread feed(const fs::path& path, const std::string& bytes) {
        return std::thread([path, bytes] { e2e::writeFile(path, bytes); });
    }
    static mode_t type(const fs::path& path) {
        struct stat st {};
        EXPECT_EQ(::lstat(path.c_str(), &st), 0);
        return st.st_mode & S_IFMT;
    }

    e2e::Sandbox box;
    const fs::path a = box.put("a", "1\n");
    const fs::path b = box.put("b", "2\n");
};

TEST_F(ResultFiles, AReplacedResultIsBackedUpAndALinkIsWrittenThrough) {
    const auto out = box.put("out.txt", "first\n");
    ASSERT_EQ(box.run(TANDEL_PATH, autoMerge(a, b, out)).exitCode, 0);
    EXPECT_EQ(readFile(out.string() + ".bak"), "first\n");
    EXPECT_EQ(readFile(out), "2\n1\n");

    // A target that is itself a backup gets none.
    const auto bak = box.put("x.BAK", "old\n");
    ASSERT_EQ(box.run(TANDEL_PATH, autoMerge(a, b, bak)).exitCode, 0);
    EXPECT_EQ(readFile(bak), "2\n1\n");
    EXPECT_FALSE(fs::exists(bak.string() + ".bak"));

    // The file a link names is backed up and replaced; the link stays, for a
    // merge and for identical files alike.
    const auto real = box.put("real", "old\n");
    const fs::path link = box.root / "link";
    fs::create_symlink(real, link);
    for (const auto& second : {a, b}) {
        ASSERT_EQ(box.run(TANDEL_PATH, autoMerge(a, second, link)).exitCode, 0);
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_TRUE(fs::exists(box.root / "real.bak"));
        EXPECT_FALSE(fs::exists(box.root / "link.bak"));
    }
    EXPECT_EQ(readFile(real), "2\n1\n");
}

// A program that opened a pipe twice would wait for a second writer and be
// killed after a minute.
TEST_F(ResultFiles, PipesAreReadOnceAndWrittenInPlace) {
    const fs::path ff = fifo("ff");
    const auto two = box.put("two", "one\ntwo\n");
    std::thread writer = feed(ff, "one\n");
    const e2e::RunResult diff = box.run(TANDEL_DIFF_PATH, {"-a", ff.string(), two.string()});
    writer.join();
    EXPECT_EQ(diff.exitCode, 1) << diff.errors;
    EXPECT_EQ(diff.out, "1a2\n");
    EXPECT_EQ(box.run(TANDEL_DIFF_PATH, {"-", two.string()}, a).out, "1c1,2\n");

    // Identical inputs save the bytes that were compared, not a rereading.
    const fs::path merged = box.root / "merged";
    for (const char* piped : {"one\n", "one\ntwo\n"}) {
        writer = feed(ff, piped);
        const e2e::RunResult r = box.run(TANDEL_PATH, autoMerge(ff, two, merged));
        writer.join();
        EXPECT_EQ(r.exitCode, 0) << r.errors;
        EXPECT_EQ(readFile(merged), "one\ntwo\n");
    }

    // A result pipe gets the bytes a regular file gets, and stays a pipe.
    const fs::path target = fifo("target");
    std::string got;
    std::thread reader([&] { got = readFile(target); });
    EXPECT_EQ(box.run(TANDEL_PATH, autoMerge(a, b, target)).exitCode, 0);
    reader.join();
    EXPECT_EQ(box.run(TANDEL_PATH, autoMerge(a, b, merged)).exitCode, 0);
    EXPECT_EQ(got, readFile(merged));
    EXPECT_EQ(type(target), S_IFIFO);
    EXPECT_FALSE(fs::exists(target.string() + ".bak"));
}

TEST_F(ResultFiles, AClosedOutputPipeLeavesNoTemporaryFile) {
    // Long enough that the reader is gone before the result is written.
    std::string left;
    std::string right;
    for (int i = 0; i < 20000; ++i) {
        left += std::to_string(i) + "\n";
        right += std::to_string(i % 3 == 0 ? -i : i) + "\n";
    }
    const std::string tmp = box.folder("private-tmp").string();
    const e2e::RunResult r =
        box.run("/bin/sh", {"-c", "TMPDIR=" + tmp + " '" + TANDEL_DIFF_PATH + "' " +
                                      box.put("left", left).string() + " " +
                                      box.put("right", right).string() + " | head -1"});
    EXPECT_EQ(r.out, "4c4\n");
    EXPECT_TRUE(fs::is_empty(tmp));
    EXPECT_TRUE(fs::is_empty(box.root / "tmp"));
}

TEST_F(ResultFiles, ADeviceTargetIsWrittenInPlaceNeverRenamed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a device node needs root";
    // A null device of our own, in the sandbox: the system's are never touched.
    const fs::path device = box.root / "null";
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
    for (const auto& second : {b, a}) { // a merge, then identical files
        const e2e::RunResult r = box.run(TANDEL_PATH, autoMerge(a, second, device));
        EXPECT_EQ(r.exitCode, 0) << r.errors;
        EXPECT_EQ(type(device), S_IFCHR);
        EXPECT_FALSE(fs::exists(device.string() + ".bak"));
    }
}

} // namespace
