// tandel-diff maps its regular-file inputs: a file cut short or changed by
// another process while it is being compared is a read error (status 2, a
// message naming it, no result), never a crash.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Lines 1..count and the same lines in random order: with -d the search
// would take minutes, long enough to change a file under it.
void writeReorderedPair(const e2e::Sandbox& box, int count) {
    std::vector<int> numbers(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        numbers[static_cast<std::size_t>(i)] = i;
    const auto text = [&] {
        std::string out;
        for (int n : numbers)
            out += "line number " + std::to_string(n) + "\n";
        return out;
    };
    box.put("first", text());
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(3));
    box.put("second", text());
}

// Whether the process has `path` mapped, by its entry in /proc/PID/maps.
bool hasMapped(pid_t pid, const std::string& path) {
    return e2e::readFile("/proc/" + std::to_string(pid) + "/maps").find(path) != std::string::npos;
}

struct Finished {
    int status = -1;
    std::string out;
    std::string errors;
};

// Starts tandel-diff -d on the pair, waits until it has mapped the second
// file, lets `change` act on that file and waits for the end, killing a run
// that outlives a minute.
template <typename Change> Finished compareWhileChanging(const e2e::Sandbox& box, Change change) {
    const std::string second = (box.root / "second").string();
    const std::string outPath = (box.root / "out").string();
    const std::string errorsPath = (box.root / "errors").string();
    std::vector<std::string> words{TANDEL_DIFF_PATH, "-d", (box.root / "first").string(), second};
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errorsPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    char* noEnvironment[] = {nullptr};
    Finished finished;
    if (posix_spawn(&pid, TANDEL_DIFF_PATH, &actions, nullptr, argv.data(), noEnvironment) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return finished;
    }
    posix_spawn_file_actions_destroy(&actions);
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::steady_clock::now() - start; };
    while (!hasMapped(pid, second) && elapsed() < std::chrono::seconds(60))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    change(second);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (elapsed() > std::chrono::seconds(60)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    finished.out = e2e::readFile(outPath);
    finished.errors = e2e::readFile(errorsPath);
    return finished;
}

TEST(ChangedInputTest, AFileCutShortOrChangedDuringTheComparisonIsAReadError) {
    const auto cut = [](const std::string& path) { ASSERT_EQ(::truncate(path.c_str(), 10), 0); };
    const auto edited = [](const std::string& path) {
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, "edited", 6, 100), 6);
        // A later modification time, whatever the clock's resolution.
        timespec now[2] = {{0, UTIME_OMIT}, {0, UTIME_NOW}};
        ::clock_gettime(CLOCK_REALTIME, &now[1]);
        now[1].tv_sec += 2;
        ::futimens(fd, now);
        ::close(fd);
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "cut short" : "edited in place");
        e2e::Sandbox box("tandel-diff-changed");
        writeReorderedPair(box, 100000);
        const Finished finished =
            round == 0 ? compareWhileChanging(box, cut) : compareWhileChanging(box, edited);
        EXPECT_EQ(finished.status, 2);
        EXPECT_EQ(finished.out, "");
        EXPECT_NE(finished.errors.find("cannot read " + (box.root / "second").string() +
                                       ": the file changed while it was compared"),
                  std::string::npos)
            << finished.errors;
    }
}

} // namespace
