// Pipes, devices and interrupted output with the real programs. Every run goes
// through timeout(1): a program that opened a pipe twice would otherwise hang
// the suite instead of failing it.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using e2e::readFile;

class SpecialFilesTest : public ::testing::Test {
protected:
    // The program under timeout; 124 means it hung.
    e2e::RunResult run(const std::string& program, std::vector<std::string> words) {
        words.insert(words.begin(), {"10", program});
        return box.run("/usr/bin/timeout", words);
    }
    std::string fifo(const std::string& name) {
        const std::string path = (box.root / name).string();
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    // Writes `bytes` into the pipe from another thread, as a shell's
    // "printf ... > fifo &" would.
    std::thread feed(const std::string& path, const std::string& bytes) {
        return std::thread([path, bytes] { e2e::writeFile(path, bytes); });
    }
    std::thread drain(const std::string& path, std::string& into) {
        return std::thread([path, &into] { into = readFile(path); });
    }

    e2e::Sandbox box{"tandel-special"};
};

TEST_F(SpecialFilesTest, ANamedPipeIsReadOnceByBothPrograms) {
    const std::string b = box.put("b", "one\ntwo\n").string();
    const std::string ff = fifo("ff");
    std::thread writer = feed(ff, "one\n");
    const e2e::RunResult diff = run(TANDEL_DIFF_PATH, {"-a", ff, b});
    writer.join();
    EXPECT_EQ(diff.exitCode, 1) << diff.errors;
    EXPECT_EQ(diff.out, "1a2\n");

    const std::string out = (box.root / "merged").string();
    std::thread again = feed(ff, "one\n");
    const e2e::RunResult merge = run(TANDEL_PATH, {"-auto", "-f1", ff, "-f2", b, "-outf", out});
    again.join();
    EXPECT_EQ(merge.exitCode, 0) << merge.errors;
    EXPECT_EQ(readFile(out), "one\ntwo\n");
}

TEST_F(SpecialFilesTest, IdenticalInputsSaveTheBytesThatWereComparedNotARereading) {
    const std::string b = box.put("b", "x\ny\n").string();
    const std::string ff = fifo("identical");
    std::thread writer = feed(ff, "x\ny\n");
    const std::string out = (box.root / "out").string();
    const e2e::RunResult merge = run(TANDEL_PATH, {"-auto", "-f1", ff, "-f2", b, "-outf", out});
    writer.join();
    EXPECT_EQ(merge.exitCode, 0) << merge.errors;
    EXPECT_EQ(readFile(out), "x\ny\n");
}

TEST_F(SpecialFilesTest, AResultPipeIsWrittenInPlaceAndStaysAPipe) {
    const std::string a = box.put("a", "x\n").string();
    const std::string b = box.put("b", "y\n").string();
    const std::string target = fifo("target");
    std::string got;
    std::thread reader = drain(target, got);
    const e2e::RunResult r = run(TANDEL_PATH, {"-auto", "-f1", a, "-f2", b, "-outf", target});
    reader.join();
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    // The same bytes a regular file gets.
    const std::string plain = (box.root / "plain").string();
    EXPECT_EQ(run(TANDEL_PATH, {"-auto", "-f1", a, "-f2", b, "-outf", plain}).exitCode, 0);
    EXPECT_EQ(got, readFile(plain));
    struct stat st {};
    ASSERT_EQ(::lstat(target.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_FALSE(fs::exists(target + ".bak"));
}

TEST_F(SpecialFilesTest, ADeviceTargetIsWrittenInPlaceNeverRenamed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a device node needs root";
    // A null device of our own, in the sandbox: the system's are never touched.
    const std::string device = (box.root / "null").string();
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
    const std::string a = box.put("a", "x\n").string();
    const std::string b = box.put("b", "y\n").string();
    for (const std::string& second : {b, a}) { // a merge, then identical files
        const e2e::RunResult r =
            run(TANDEL_PATH, {"-auto", "-f1", a, "-f2", second, "-outf", device});
        EXPECT_EQ(r.exitCode, 0) << r.errors;
        struct stat st {};
        ASSERT_EQ(::lstat(device.c_str(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
        EXPECT_FALSE(fs::exists(device + ".bak"));
    }
}

TEST_F(SpecialFilesTest, AFolderTargetIsRefused) {
    const std::string a = box.put("a", "x\n").string();
    const std::string b = box.put("b", "y\n").string();
    const std::string folder = box.folder("out").string();
    const e2e::RunResult r = run(TANDEL_PATH, {"-auto", "-f1", a, "-f2", b, "-outf", folder});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.errors.find("Error opening output file " + folder + ": Is a directory"),
              std::string::npos)
        << r.errors;
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(SpecialFilesTest, AClosedOutputPipeLeavesNoTemporaryFile) {
    // Long enough that the reader is gone before the result is written.
    std::string left;
    std::string right;
    for (int i = 0; i < 20000; ++i) {
        left += std::to_string(i) + "\n";
        right += std::to_string(i % 3 == 0 ? -i : i) + "\n";
    }
    const std::string a = box.put("a", left).string();
    const std::string b = box.put("b", right).string();
    const std::string tmp = box.folder("private-tmp").string();
    const e2e::RunResult r =
        box.run("/bin/sh", {"-c", "TMPDIR=" + tmp + " timeout 10 '" + TANDEL_DIFF_PATH + "' " + a +
                                      " " + b + " | head -1"});
    EXPECT_EQ(r.out, "4c4\n");
    EXPECT_TRUE(fs::is_empty(tmp));
    EXPECT_TRUE(fs::is_empty(box.root / "tmp"));
}

TEST_F(SpecialFilesTest, AnUnknownSwitchAnywhereEndsTheRunUnsaved) {
    const std::string a = box.put("a", "x\n").string();
    const std::string b = box.put("b", "y\n").string();
    const std::string out = (box.root / "out").string();
    for (const auto& words :
         {std::vector<std::string>{"-auto", "-f1", a, "-f2", b, "-outf", out, "-bogus"},
          std::vector<std::string>{"-auto", "-bogus", "-f1", a, "-f2", b, "-outf", out}}) {
        const e2e::RunResult r = run(TANDEL_PATH, words);
        EXPECT_EQ(r.exitCode, 2) << r.errors;
        EXPECT_NE(r.errors.find("Error: Unknown option"), std::string::npos) << r.errors;
        EXPECT_FALSE(fs::exists(out));
    }
}

} // namespace
