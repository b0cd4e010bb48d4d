#include "dirmerge/copy_path.h"
#include "dirmerge/destination_copy.h"
#include "dirmerge/ensure_directory.h"
#include "merge/driver_test_support.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace tandel {
namespace {

using testing::FileOp;
using testing_support::DispatchingFrame;
using testing_support::readFile;
using testing_support::TempFolder;

struct CopyFixture : ::testing::Test {
    TempFolder tree;
    DispatchingFrame frame;
    ToAllAnswers answers;
    testing::FailingFileSystem files;
    CopyServices services{frame, answers,
                          [](const std::string& p) {
                              return std::rename(p.c_str(), (p + ".bak").c_str()) == 0 ? 0 : -1;
                          },
                          files};

    std::string p(const std::string& rel) const { return tree.file(rel); }
    std::string read(const std::string& rel) const { return readFile(p(rel)); }
    bool has(const std::string& rel) const { return std::filesystem::exists(p(rel)); }
    int copy(const std::string& from, const std::string& to) {
        return copyPath(services, p(from), p(to), answers.replace);
    }
    // s/<name> holds "new <name>", t/<name> holds "old".
    void pairs(std::initializer_list<const char*> names) const {
        for (const char* n : names) {
            tree.write(std::string("s/") + n, std::string("new ") + n);
            tree.write(std::string("t/") + n, "old");
        }
    }
};

TEST_F(CopyFixture, NewFileKeepsBytesAndTimes) {
    const std::string text("line\r\nno final newline\0with nul", 31);
    tree.write("src/a.txt", text, 123456);
    ASSERT_EQ(copy("src/a.txt", "dst/a.txt"), 1); // no such folder: shown, failed
    EXPECT_EQ(frame.shown(Severity::Error).size(), 1u);
    tree.mkdir("dst");
    ASSERT_EQ(copy("src/a.txt", "dst/a.txt"), 0);
    EXPECT_EQ(read("dst/a.txt"), text);
    struct stat st {};
    ::stat(p("dst/a.txt").c_str(), &st);
    EXPECT_EQ(st.st_mtime, 123456);
}

TEST_F(CopyFixture, SameFileUnderAnotherSpellingIsLeftAlone) {
    tree.write("d/a.txt", "keep\n");
    EXPECT_EQ(copy("d/a.txt", "d/../d/a.txt"), 0);
    EXPECT_EQ(copy("d/a.txt", "d"), 0); // into its own folder
    EXPECT_TRUE(frame.questions.empty());
    EXPECT_FALSE(has("d/a.txt.bak"));
    EXPECT_EQ(read("d/a.txt"), "keep\n");
}

TEST_F(CopyFixture, ReplaceAnswersHoldAndCancelPostsTheRequest) {
    pairs({"a", "b", "c", "d"});
    frame.permissionAnswers = {kAnswerNo, kAnswerNoToAll};
    for (const char* n : {"a", "b", "c"}) // c silently skipped
        EXPECT_EQ(copy(std::string("s/") + n, std::string("t/") + n), 0);
    EXPECT_EQ(frame.questions.size(), 2u);
    EXPECT_EQ(frame.questions[0], "Destination file " + p("t/a") +
                                                " already exists.\nReplace it with " + p("s/a") +
                                                " ?");
    EXPECT_EQ(read("t/c"), "old");
    tree.write("s/new", "fresh");
    EXPECT_EQ(copy("s/new", "t/new"), 0); // new files still go
    EXPECT_EQ(read("t/new"), "fresh");

    answers.resetForOperation();
    frame.permissionAnswers = {kAnswerCancel, kAnswerYesToAll};
    EXPECT_EQ(copy("s/a", "t/a"), 0);
    EXPECT_EQ(frame.posted, (std::vector<int>{cmd::kWalkCancel}));
    EXPECT_EQ(copy("s/b", "t/b"), 0);
    EXPECT_EQ(copy("s/c", "t/c"), 0);
    EXPECT_EQ(read("t/c"), "new c");
    EXPECT_EQ(read("t/c.bak"), "old");
    EXPECT_EQ(frame.questions.size(), 4u);

    // A caller's own answer variable set to the message-box form.
    int own = kAskWithMessageBox;
    frame.yesNoCancelAnswers = {kAnswerYes};
    EXPECT_EQ(copyPath(services, p("s/d"), p("t/d"), own), 0);
    EXPECT_EQ(read("t/d"), "new d");
}

TEST_F(CopyFixture, BakFileIsOverwrittenWithoutBackupAndReadOnlyTargetIsReplaced) {
    pairs({"x.BAK", "ro.txt"});
    ::chmod(p("t/ro.txt").c_str(), 0444);
    answers.replace = kYesToAll;
    EXPECT_EQ(copy("s/x.BAK", "t/x.BAK"), 0);
    EXPECT_FALSE(has("t/x.BAK.bak"));
    EXPECT_EQ(read("t/x.BAK"), "new x.BAK");
    EXPECT_EQ(copy("s/ro.txt", "t/ro.txt"), 0);
    EXPECT_EQ(read("t/ro.txt"), "new ro.txt");
    EXPECT_EQ(read("t/ro.txt.bak"), "old");
}

TEST_F(CopyFixture, FailedBackupAsksAndItsAnswerOutlivesTheOperation) {
    pairs({"a"});
    services.makeBackup = [](const std::string&) { return -1; };
    answers.replace = kYesToAll;
    frame.permissionAnswers = {kAnswerNo};
    EXPECT_EQ(copy("s/a", "t/a"), 0);
    EXPECT_EQ(read("t/a"), "old");
    ASSERT_EQ(frame.questions.size(), 1u);
    EXPECT_EQ(frame.questions[0],
              "Unable to back up " + p("t/a") +
                  ".\nWould you like to proceed with overriding this file?");
    frame.permissionAnswers = {kAnswerYesToAll};
    EXPECT_EQ(copy("s/a", "t/a"), 0);
    answers.resetForOperation();
    answers.replace = kYesToAll;
    tree.write("t/a", "old again");
    EXPECT_EQ(copy("s/a", "t/a"), 0);
    EXPECT_EQ(read("t/a"), "new a");
    EXPECT_EQ(frame.questions.size(), 2u);

    answers.backupFailure = kAskWithDialog;
    frame.permissionAnswers = {kAnswerCancel};
    EXPECT_NE(copy("s/a", "t/a"), 0);
    EXPECT_EQ(frame.posted, (std::vector<int>{cmd::kWalkCancel}));
}

TEST_F(CopyFixture, FailedCopyKeepsTheOldTarget) {
    const std::string target = tree.write("t/a", "precious");
    // Opens like a file, then fails on the first read, even for root.
    const std::string failing = "/proc/self/mem";
    if (!std::filesystem::exists(failing))
        GTEST_SKIP() << "no /proc";
    services.makeBackup = nullptr; // no backup: the target itself must survive
    answers.replace = kYesToAll;
    answers.backupFailure = kYesToAll;
    EXPECT_NE(copyPath(services, failing, target, answers.replace), 0);
    EXPECT_EQ(read("t/a"), "precious");
    EXPECT_EQ(frame.messages.back().second, "Can not copy " + failing + ": Input/output error");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(p("t")),
                            std::filesystem::directory_iterator()),
              1); // no temporary file left behind
}

TEST_F(CopyFixture, CopiesKeepTheModeOfWhatTheyReplaceElseTheirSources) {
    const auto mode = [&](const std::string& rel) {
        struct stat st {};
        return ::stat(p(rel).c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };
    pairs({"run.sh", "secret"});
    ::chmod(p("s/run.sh").c_str(), 0755);
    ::chmod(p("s/secret").c_str(), 0644);
    ::chmod(p("t/secret").c_str(), 0600);
    answers.replace = kYesToAll;
    tree.mkdir("new");
    EXPECT_EQ(copy("s/run.sh", "new/run.sh"), 0);
    EXPECT_EQ(mode("new/run.sh"), 0755u);
    EXPECT_EQ(copy("s/secret", "t/secret"), 0);
    EXPECT_EQ(read("t/secret"), "new secret");
    EXPECT_EQ(mode("t/secret"), 0600u);
    EXPECT_EQ(mode("t/secret.bak"), 0600u);
}

TEST_F(CopyFixture, DirectoriesMergeAndFilesAndDirectoriesReplaceEachOther) {
    tree.write("s/a", "new a");
    tree.write("s/sub/b", "new b");
    tree.write("t/a", "old a");
    tree.write("t/other", "kept");
    frame.permissionAnswers = {kAnswerYes};
    EXPECT_EQ(copy("s/", "t"), 0);
    EXPECT_EQ(frame.questions.size(), 1u); // only the file present in both
    EXPECT_EQ(read("t/a"), "new a");
    EXPECT_EQ(read("t/sub/b"), "new b");
    EXPECT_EQ(read("t/other"), "kept");

    tree.write("f/sub", "a file named like the folder");
    EXPECT_NE(copy("f/sub", "t"), 0);
    EXPECT_EQ(frame.messages.back().second,
              p("t/sub") + ": cannot overwrite directory with non-directory");
    tree.write("f/c", "c");
    EXPECT_EQ(copy("f/c", "t"), 0);
    EXPECT_EQ(read("t/c"), "c");

    // A directory over a file replaces it after a backup, without asking.
    tree.write("t/d", "a file");
    tree.write("s/d/x", "x");
    EXPECT_EQ(copy("s/d", "t/d"), 0);
    EXPECT_EQ(frame.questions.size(), 1u);
    EXPECT_EQ(read("t/d/x"), "x");
    EXPECT_EQ(read("t/d.bak"), "a file");
}

TEST_F(CopyFixture, CopyIntoOwnSubtreeEnds) {
    tree.write("s/a", "a");
    tree.write("s/b/c", "c");
    EXPECT_EQ(copy("s", "s/b/inner"), 0);
    EXPECT_EQ(read("s/b/inner/a"), "a");
    EXPECT_EQ(read("s/b/inner/b/c"), "c");
    EXPECT_FALSE(has("s/b/inner/b/inner"));
}

TEST_F(CopyFixture, EnsureDirectoryCreatesEveryLevelOrExplains) {
    EXPECT_TRUE(ensureDirectory(files, frame, p("a/b/c/d")));
    EXPECT_TRUE(has("a/b/c/d"));
    const std::string file = tree.write("file", "x");
    EXPECT_FALSE(ensureDirectory(files, frame, file + "/below"));
    EXPECT_EQ(frame.messages.back().second, file + " is not a directory");
    files.fail(FileOp::MakeFolder, "/e/f", ENOSPC);
    EXPECT_FALSE(ensureDirectory(files, frame, p("e/f/g")));
    EXPECT_EQ(frame.messages.back().second,
              "Unable to create directory " + p("e/f") + ": No space left on device");
    files.fail(FileOp::Status, "/locked", EACCES);
    EXPECT_FALSE(ensureDirectory(files, frame, p("locked")));
    EXPECT_EQ(frame.messages.back().second, "Cannot read " + p("locked") + ": Permission denied");
    EXPECT_EQ(frame.shown(Severity::Error).size(), 3u);
}

// A name the user typed may be a slip: it becomes a folder only after a Yes.
TEST_F(CopyFixture, ANamedDirectoryIsMadeOnlyAfterAYes) {
    frame.overwriteAnswers = {false};
    EXPECT_FALSE(ensureNamedDirectory(files, frame, p("typo/deep")));
    EXPECT_FALSE(has("typo"));
    EXPECT_EQ(frame.questions,
              std::vector<std::string>{"Directory " + p("typo/deep") + " does not exist.\nCreate it?"});
    EXPECT_EQ(frame.kinds, std::vector<QuestionKind>{QuestionKind::MakeDirectory});
    EXPECT_TRUE(frame.messages.empty());
    EXPECT_TRUE(ensureNamedDirectory(files, frame, p("typo/deep"))); // Yes
    EXPECT_TRUE(has("typo/deep"));
    EXPECT_TRUE(ensureNamedDirectory(files, frame, p("typo/deep")));
    EXPECT_EQ(frame.questions.size(), 2u); // none for a folder that is there
}

TEST_F(CopyFixture, SelectedRowsGoBelowTheDestinationForeignOrEmptyItemsAreSkipped) {
    DirectoryOperationState state;
    DirMergeServices dirServices;
    DirMergeContext ctx{state, frame, dirServices};
    tree.write("two/deep/er/f.txt", "f");
    tree.write("elsewhere/two/g.txt", "g");
    const std::vector<std::string> paths = {"", p("two/deep/er/f.txt"), p("elsewhere/two/g.txt")};
    OperationCount count;
    frame.overwriteAnswers = {false}; // "out" is not made
    EXPECT_EQ(copySelectedRows(ctx, paths, p("two"), p("out"), count),
              std::vector<CopyOutcome>(3, CopyOutcome::Skipped));
    EXPECT_FALSE(has("out"));
    EXPECT_EQ(copySelectedRows(ctx, paths, p("two"), p("out"), count),
              (std::vector<CopyOutcome>{CopyOutcome::Skipped, CopyOutcome::Copied,
                                        CopyOutcome::Skipped}));
    EXPECT_EQ(read("out/deep/er/f.txt"), "f");
    EXPECT_FALSE(has("out/g.txt"));
    EXPECT_EQ(count.copySummary(), "1 copied, 5 skipped, 0 failed");
    EXPECT_TRUE(frame.messages.empty());
}

} // namespace
} // namespace tandel
