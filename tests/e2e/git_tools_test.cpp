// git difftool and mergetool set up exactly as the README says, in a real
// repository that reads only the sandbox's configuration. `tandel` on its PATH
// is a script that starts the real program unattended.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using e2e::readFile;
using e2e::RunResult;
namespace fs = std::filesystem;

class GitTools : public ::testing::Test {
protected:
    // Runs the `git config` lines the README gives, in their order.
    void SetUp() override {
        std::ifstream readme(fs::path(TANDEL_SOURCE_DIR) / "README.md");
        int lines = 0;
        for (std::string line; std::getline(readme, line);) {
            if (line.starts_with("git config --global ")) {
                ++lines;
                const RunResult r = box.run("/bin/sh", {"-c", line}, "/dev/null", environment);
                ASSERT_EQ(r.exitCode, 0) << line << "\n" << r.errors;
            }
        }
        ASSERT_GT(lines, 0) << "the README shows no git config lines";
        ASSERT_EQ(git({"init", "-q", "-b", "main", repo.string()}).exitCode, 0);
    }

    // `tandel` for the tools to find: a script that runs the real program.
    void putTandelScript(const std::string& body) {
        ::chmod(box.put("bin/tandel", "#!/bin/sh\n" + body).c_str(), 0755);
    }

    RunResult git(std::vector<std::string> arguments) const {
        return box.run("/usr/bin/git", arguments, "/dev/null", environment);
    }

    RunResult inRepo(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"-C", repo.string()});
        return git(arguments);
    }

    void commitFile(const std::string& name, const std::string& text, const std::string& message) {
        box.put(fs::path("repo") / name, text);
        ASSERT_EQ(inRepo({"add", "--", name}).exitCode, 0);
        ASSERT_EQ(inRepo({"commit", "-q", "-m", message}).exitCode, 0);
    }

    // Commits the ancestor, then theirs and ours on two branches, and merges them.
    void mergeBranches(const std::string& name, const char* base, const char* theirs,
                       const char* ours) {
        commitFile(name, base, "base");
        ASSERT_EQ(inRepo({"checkout", "-q", "-b", "theirs"}).exitCode, 0);
        commitFile(name, theirs, "theirs");
        ASSERT_EQ(inRepo({"checkout", "-q", "main"}).exitCode, 0);
        commitFile(name, ours, "ours");
        ASSERT_NE(inRepo({"merge", "-q", "theirs"}).exitCode, 0);
        ASSERT_EQ(unmergedPaths(), name + "\n");
    }

    std::string unmergedPaths() const {
        return inRepo({"diff", "--name-only", "--diff-filter=U"}).out;
    }

    e2e::Sandbox box;
    const fs::path repo = box.folder("repo");
    const std::vector<std::string> environment = {
        "PATH=" + (box.root / "bin").string() + ":/usr/bin:/bin",
        "GIT_CONFIG_NOSYSTEM=1",
        "GIT_CONFIG_GLOBAL=" + (box.root / "gitconfig").string(),
        "GIT_AUTHOR_NAME=Test",
        "GIT_AUTHOR_EMAIL=test@example.invalid",
        "GIT_COMMITTER_NAME=Test",
        "GIT_COMMITTER_EMAIL=test@example.invalid"};
};

// A conflict the unattended run cannot decide: it writes nothing, git keeps the file.
TEST_F(GitTools, MergetoolWithTheAncestorLeavesARealConflictToTheUser) {
    putTandelScript("exec " TANDEL_PATH " -auto \"$@\"\n");
    const std::string name = "my notes.txt";
    mergeBranches(name, "one\ntwo\nthree\nfour\nfive\n",
                  "one\ntwo theirs\nthree\nfour\nfive theirs\n",
                  "one\ntwo ours\nthree\nfour\nfive\n");
    const std::string conflicted = readFile(repo / name);
    ASSERT_NE(conflicted.find("five theirs"), std::string::npos);

    const RunResult r = inRepo({"mergetool", "--no-prompt"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.errors.find("1 conflict left; nothing written"), std::string::npos) << r.errors;
    EXPECT_EQ(readFile(repo / name), conflicted);
    EXPECT_EQ(unmergedPaths(), name + "\n");
}

// Git leaves a `merge=binary` file to the tool, which takes both one-sided changes.
TEST_F(GitTools, MergetoolWithTheAncestorResolvesOneSidedChanges) {
    putTandelScript("exec " TANDEL_PATH " -auto \"$@\"\n");
    commitFile(".gitattributes", "*.txt merge=binary\n", "attributes");
    const std::string name = "notes.txt";
    mergeBranches(name, "one\ntwo\nthree\nfour\nfive\n", "one\ntwo\nthree\nfour\nfive theirs\n",
                  "one ours\ntwo\nthree\nfour\nfive\n");

    const RunResult r = inRepo({"mergetool", "--no-prompt"});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.errors;
    EXPECT_EQ(readFile(repo / name), "one ours\ntwo\nthree\nfour\nfive theirs\n");
    EXPECT_EQ(unmergedPaths(), "");
    EXPECT_EQ(inRepo({"status", "--porcelain", "--", name}).out, "M  " + name + "\n");
}

// Both files were read, the working one as file 2: its lines come first.
TEST_F(GitTools, DifftoolPassesTheCommittedAndTheWorkingFile) {
    const fs::path merged = box.root / "merged.txt";
    putTandelScript("exec " TANDEL_PATH " -auto \"$@\" -outf '" + merged.string() + "'\n");
    // A relative working name beginning with "-" is still a file after -f2.
    commitFile("-draft.txt", "alpha\n", "first");
    box.put("repo/-draft.txt", "beta\n");
    ASSERT_EQ(inRepo({"difftool", "--no-prompt"}).exitCode, 0);
    EXPECT_EQ(readFile(merged), "beta\nalpha\n");

    const std::string name = "draft notes.txt";
    commitFile(name, "alpha\nbeta\n", "second");
    box.put(fs::path("repo") / name, "alpha\nbeta two\n");
    const RunResult r = inRepo({"difftool", "--no-prompt", "--", name});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.errors;
    EXPECT_EQ(readFile(merged), "alpha\nbeta two\nbeta\n");
}

} // namespace
