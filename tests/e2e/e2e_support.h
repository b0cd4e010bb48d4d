// Starting a real program in a private folder with a clean environment (no
// DISPLAY, nothing inherited), capturing its output and exit status.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_folder.h"

namespace e2e {

namespace fs = std::filesystem;

using tandel::testing::readFile;
using tandel::testing::writeFile;

struct RunResult {
    int exitCode = -1; // -1 when the program could not start or did not exit normally
    std::string out;
    std::string errors;
};

// The words of an unattended merge of `a` and `b` into `out`.
inline std::vector<std::string> autoMerge(const fs::path& a, const fs::path& b,
                                          const fs::path& out) {
    return {"-auto", "-f1", a.string(), "-f2", b.string(), "-outf", out.string()};
}

// A temporary folder with private home, config and tmp folders beneath it,
// removed with everything in it at the end.
class Sandbox {
    tandel::testing::TempFolder dir_;

public:
    Sandbox() {
        for (const char* sub : {"home", "config", "tmp"})
            folder(sub);
    }

    // Creates the named folder under the root and returns its path.
    fs::path folder(const fs::path& name) const { return dir_.mkdir(name.string()); }

    // Writes the bytes to the named file under the folder and returns its path.
    fs::path put(const fs::path& name, const std::string& bytes) const {
        return dir_.write(name.string(), bytes);
    }

    // Starts the program with only HOME, XDG_CONFIG_HOME, TMP and PATH set,
    // each replaced or joined by the "NAME=value" entries of `environment`,
    // and standard input read from the given file; 0 when it cannot start.
    pid_t start(const std::string& program, const std::vector<std::string>& arguments,
                const fs::path& input = "/dev/null",
                const std::vector<std::string>& environment = {}) const {
        std::vector<std::string> args{program};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<std::string> env{"HOME=" + (root / "home").string(),
                                     "XDG_CONFIG_HOME=" + (root / "config").string(),
                                     "TMP=" + (root / "tmp").string(), "PATH=/usr/bin:/bin"};
        for (const std::string& entry : environment) {
            const std::string name = entry.substr(0, entry.find('=') + 1);
            auto same = std::find_if(env.begin(), env.end(),
                                     [&](const std::string& e) { return e.starts_with(name); });
            if (same != env.end())
                *same = entry;
            else
                env.push_back(entry);
        }
        std::vector<char*> argv, envp;
        for (auto& a : args)
            argv.push_back(a.data());
        for (auto& e : env)
            envp.push_back(e.data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, (root / "stdout.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, (root / "stderr.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
            pid = 0;
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    // Waits for a program start() started, killing it after a minute: a
    // program that hangs fails its test instead of stopping the suite.
    RunResult finish(pid_t pid) const {
        RunResult result;
        if (pid == 0)
            return result;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        int status = 0;
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readFile(root / "stdout.txt");
        result.errors = readFile(root / "stderr.txt");
        return result;
    }

    RunResult run(const std::string& program, const std::vector<std::string>& arguments,
                  const fs::path& input = "/dev/null",
                  const std::vector<std::string>& environment = {}) const {
        return finish(start(program, arguments, input, environment));
    }

    const fs::path root{dir_.path()};
};

} // namespace e2e
