// The unattended run of the real program, started with a minimal environment:
// no display, a private HOME and XDG_CONFIG_HOME, real files in a temporary folder.
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

struct RunResult {
    int exitCode = -1;
    std::string errors;
};

class AutoRun : public ::testing::Test {
protected:
    AutoRun() {
        std::string pattern = (fs::temp_directory_path() / "tandel-auto-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        root = ::mkdtemp(buffer.data());
        home = root / "home";
        config = root / "config";
        work = root / "work";
        fs::create_directories(home);
        fs::create_directories(config);
        fs::create_directories(work);
        fs::create_directories(root / "tmp");
    }
    ~AutoRun() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path put(const std::string& name, const std::string& bytes) {
        writeFile(work / name, bytes);
        return work / name;
    }

    void setUnixFormat(bool on) {
        fs::create_directories(config / "tandel");
        writeFile(config / "tandel" / "tandel.ini",
                  std::string("[Options]\nUnix format=") + (on ? "1" : "0") + "\n");
    }

    // Starts the program with only the variables named here: no DISPLAY, no
    // WAYLAND_DISPLAY, nothing inherited.
    RunResult run(const std::vector<std::string>& arguments) {
        const fs::path errorsPath = root / "stderr.txt";
        std::vector<std::string> args{TANDEL_PATH};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<std::string> env{"HOME=" + home.string(), "XDG_CONFIG_HOME=" + config.string(),
                                     "TMP=" + (root / "tmp").string(), "PATH=/usr/bin:/bin"};
        std::vector<char*> argv;
        for (auto& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (auto& e : env) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, TANDEL_PATH, &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        RunResult result;
        if (spawned != 0) {
            return result;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.errors = readFile(errorsPath);
        return result;
    }

    RunResult merge(const fs::path& a, const fs::path& b, const fs::path& out) {
        return run({"-auto", "-f1", a.string(), "-f2", b.string(), "-outf", out.string()});
    }

    fs::path root, home, config, work;
};

TEST_F(AutoRun, MergesWithoutADisplayAndWritesTheSettings) {
    const auto a = put("a.txt", "one\ntwo\nthree\n");
    const auto b = put("b.txt", "one\n2\nthree\nfour\n");
    const auto out = work / "out.txt";
    const RunResult r = merge(a, b, out);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    // Select All: file 2's lines, then file 1's; text mode writes CR LF.
    EXPECT_EQ(readFile(out), "one\r\n2\r\ntwo\r\nthree\r\nfour\r\n");
    EXPECT_TRUE(fs::exists(config / "tandel" / "tandel.ini"));
    EXPECT_EQ(readFile(a), "one\ntwo\nthree\n");
    EXPECT_EQ(readFile(b), "one\n2\nthree\nfour\n");
    // The temporary result files are gone, wherever TMP pointed.
    EXPECT_TRUE(fs::is_empty(root / "tmp"));
}

TEST_F(AutoRun, BareNamesWorkLikeF1AndF2) {
    const auto a = put("a b.txt", "x\n");
    const auto b = put("c.txt", "y\n");
    const auto out = work / "out.txt";
    const RunResult r = run({"-auto", a.string(), b.string(), "/outf", out.string()});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(readFile(out), "y\r\nx\r\n");
}

TEST_F(AutoRun, LineEndsFollowTheUnixFormatSetting) {
    const auto a = put("a.txt", "same\r\nleft\nend\r\nno newline");
    const auto b = put("b.txt", "same\r\nright\r\nend\r\nno newline");
    const auto out = work / "out.txt";

    setUnixFormat(true);
    RunResult r = merge(a, b, out);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    // Each line keeps its own end; the last line gains a line feed.
    EXPECT_EQ(readFile(out), "same\r\nright\r\nleft\nend\r\nno newline\n");

    setUnixFormat(false);
    r = merge(a, b, out);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(readFile(out), "same\r\nright\r\nleft\r\nend\r\nno newline\r\n");
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

TEST_F(AutoRun, FailuresExitWithTwoAndASaidReason) {
    const auto a = put("a.txt", "1\n");
    const auto b = put("b.txt", "2\n");

    RunResult r = merge(a, work / "missing.txt", work / "out.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.errors.rfind("Error: ", 0), 0u) << r.errors;
    EXPECT_FALSE(fs::exists(work / "out.txt"));

    // An output path under a regular file can be neither created nor written.
    const auto blocker = put("blocker", "precious\n");
    r = merge(a, b, blocker / "out.txt");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.errors.find("Error: "), std::string::npos) << r.errors;
    EXPECT_EQ(readFile(blocker), "precious\n");
    EXPECT_EQ(readFile(a), "1\n");
    EXPECT_EQ(readFile(b), "2\n");

    r = run({"-auto", "-f1", a.string()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.errors.find("Error: "), std::string::npos) << r.errors;
}

TEST_F(AutoRun, NoOutputFileEndsWith255) {
    const auto a = put("a.txt", "1\n");
    const auto b = put("b.txt", "2\n");
    const RunResult r = run({"-auto", a.string(), b.string()});
    EXPECT_EQ(r.exitCode, 255);
    EXPECT_NE(r.errors.find("Error: "), std::string::npos) << r.errors;
}

} // namespace
