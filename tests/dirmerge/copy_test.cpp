#include "dirmerge/copy_path.h"
#include "dirmerge/destination_copy.h"
#include "dirmerge/ensure_directory.h"
#include "scripted_frame.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

namespace tandel {
namespace {

using testing::ScriptedFrame;
using testing::TempTree;

int renameToBak(const std::string& path) {
    return std::rename(path.c_str(), (path + ".bak").c_str()) == 0 ? 0 : -1;
}

struct CopyFixture : ::testing::Test {
    TempTree tree;
    ScriptedFrame frame;
    ToAllAnswers answers;
    CopyServices services{frame, answers, renameToBak};

    int copy(const std::string& from, const std::string& to) {
        return copyPath(services, from, to, answers.replace);
    }
};

TEST_F(CopyFixture, NewFileKeepsBytesAndTimes) {
    const std::string text("line\r\nno final newline\0with nul", 31);
    const std::string src = tree.write("src/a.txt", text, 123456);
    ASSERT_EQ(copy(src, tree.path("dst/a.txt")), 1); // no such folder: shown, failed
    EXPECT_EQ(frame.errorCount(), 1);
    tree.mkdir("dst");
    ASSERT_EQ(copy(src, tree.path("dst/a.txt")), 0);
    EXPECT_EQ(TempTree::read(tree.path("dst/a.txt")), text);
    struct stat st {};
    ::stat(tree.path("dst/a.txt").c_str(), &st);
    EXPECT_EQ(st.st_mtime, 123456);
}

TEST_F(CopyFixture, SameFileUnderAnotherSpellingIsLeftAlone) {
    const std::string src = tree.write("d/a.txt", "keep\n");
    EXPECT_EQ(copy(src, tree.path("d/../d/a.txt")), 0);
    EXPECT_EQ(copy(src, tree.path("d")), 0); // into its own folder
    EXPECT_TRUE(frame.permissionQuestions.empty());
    EXPECT_FALSE(TempTree::exists(tree.path("d/a.txt.bak")));
    EXPECT_EQ(TempTree::read(src), "keep\n");
}

TEST_F(CopyFixture, ReplaceAnswersHoldAndCancelPostsTheRequest) {
    for (const char* n : {"a", "b", "c", "d"}) {
        tree.write(std::string("s/") + n, std::string("new ") + n);
        tree.write(std::string("t/") + n, "old");
    }
    frame.permissionAnswers = {kAnswerNo, kAnswerNoToAll};
    EXPECT_EQ(copy(tree.path("s/a"), tree.path("t/a")), 0);
    EXPECT_EQ(copy(tree.path("s/b"), tree.path("t/b")), 0);
    EXPECT_EQ(copy(tree.path("s/c"), tree.path("t/c")), 0); // silently skipped
    EXPECT_EQ(frame.permissionQuestions.size(), 2u);
    EXPECT_EQ(frame.permissionQuestions[0], "Destination file " + tree.path("t/a") +
                                                " already exists.\nReplace it with " +
                                                tree.path("s/a") + " ?");
    EXPECT_EQ(TempTree::read(tree.path("t/c")), "old");
    tree.write("s/new", "fresh");
    EXPECT_EQ(copy(tree.path("s/new"), tree.path("t/new")), 0); // new files still go
    EXPECT_EQ(TempTree::read(tree.path("t/new")), "fresh");

    answers.resetForOperation();
    frame.permissionAnswers = {kAnswerCancel, kAnswerYesToAll};
    EXPECT_EQ(copy(tree.path("s/a"), tree.path("t/a")), 0);
    EXPECT_EQ(frame.posted, (std::vector<int>{kCancelCommand}));
    EXPECT_EQ(copy(tree.path("s/b"), tree.path("t/b")), 0);
    EXPECT_EQ(copy(tree.path("s/c"), tree.path("t/c")), 0);
    EXPECT_EQ(TempTree::read(tree.path("t/c")), "new c");
    EXPECT_EQ(TempTree::read(tree.path("t/c.bak")), "old");
    EXPECT_EQ(frame.permissionQuestions.size(), 4u);

    // A caller's own answer variable set to the message-box form.
    int own = kAskWithMessageBox;
    frame.yesNoCancelAnswers = {kAnswerYes};
    EXPECT_EQ(copyPath(services, tree.path("s/d"), tree.path("t/d"), own), 0);
    EXPECT_EQ(TempTree::read(tree.path("t/d")), "new d");
}

TEST_F(CopyFixture, BakFileIsOverwrittenWithoutBackupAndReadOnlyTargetIsReplaced) {
    tree.write("s/x.BAK", "new");
    tree.write("t/x.BAK", "old");
    const std::string ro = tree.write("t/ro.txt", "old");
    tree.write("s/ro.txt", "new");
    ::chmod(ro.c_str(), 0444);
    answers.replace = kYesToAll;
    EXPECT_EQ(copy(tree.path("s/x.BAK"), tree.path("t/x.BAK")), 0);
    EXPECT_FALSE(TempTree::exists(tree.path("t/x.BAK.bak")));
    EXPECT_EQ(TempTree::read(tree.path("t/x.BAK")), "new");
    EXPECT_EQ(copy(tree.path("s/ro.txt"), ro), 0);
    EXPECT_EQ(TempTree::read(ro), "new");
    EXPECT_EQ(TempTree::read(ro + ".bak"), "old");
}

TEST_F(CopyFixture, FailedBackupAsksAndItsAnswerOutlivesTheOperation) {
    tree.write("s/a", "new");
    tree.write("t/a", "old");
    services.makeBackup = [](const std::string&) { return -1; };
    answers.replace = kYesToAll;
    frame.permissionAnswers = {kAnswerNo};
    EXPECT_EQ(copy(tree.path("s/a"), tree.path("t/a")), 0);
    EXPECT_EQ(TempTree::read(tree.path("t/a")), "old");
    ASSERT_EQ(frame.permissionQuestions.size(), 1u);
    EXPECT_EQ(frame.permissionQuestions[0],
              "Unable to back up " + tree.path("t/a") +
                  ".\nWould you like to proceed with overriding this file?");
    frame.permissionAnswers = {kAnswerYesToAll};
    EXPECT_EQ(copy(tree.path("s/a"), tree.path("t/a")), 0);
    answers.resetForOperation();
    answers.replace = kYesToAll;
    tree.write("t/a", "old again");
    EXPECT_EQ(copy(tree.path("s/a"), tree.path("t/a")), 0);
    EXPECT_EQ(TempTree::read(tree.path("t/a")), "new");
    EXPECT_EQ(frame.permissionQuestions.size(), 2u);

    frame.permissionAnswers = {};
    answers.backupFailure = kAskWithDialog;
    frame.permissionAnswers = {kAnswerCancel};
    EXPECT_NE(copy(tree.path("s/a"), tree.path("t/a")), 0);
    EXPECT_EQ(frame.posted, (std::vector<int>{kCancelCommand}));
}

TEST_F(CopyFixture, FailedCopyKeepsTheOldTarget) {
    const std::string target = tree.write("t/a", "precious");
    // Opens like a file, then fails on the first read, even for root.
    const std::string failing = "/proc/self/mem";
    if (!TempTree::exists(failing))
        GTEST_SKIP() << "no /proc";
    services.makeBackup = nullptr; // no backup: the target itself must survive
    answers.replace = kYesToAll;
    answers.backupFailure = kYesToAll;
    EXPECT_NE(copy(failing, target), 0);
    EXPECT_EQ(TempTree::read(target), "precious");
    EXPECT_EQ(frame.messages.back().second, "Can not copy " + failing);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree.path("t")),
                            std::filesystem::directory_iterator()),
              1); // no temporary file left behind
}

TEST_F(CopyFixture, DirectoriesMergeAndFilesGoIntoDirectories) {
    tree.write("s/a", "new a");
    tree.write("s/sub/b", "new b");
    tree.write("t/a", "old a");
    tree.write("t/other", "kept");
    frame.permissionAnswers = {kAnswerYes};
    EXPECT_EQ(copy(tree.path("s/"), tree.path("t")), 0);
    EXPECT_EQ(frame.permissionQuestions.size(), 1u); // only the file present in both
    EXPECT_EQ(TempTree::read(tree.path("t/a")), "new a");
    EXPECT_EQ(TempTree::read(tree.path("t/sub/b")), "new b");
    EXPECT_EQ(TempTree::read(tree.path("t/other")), "kept");

    tree.write("f/sub", "a file named like the folder");
    EXPECT_NE(copy(tree.path("f/sub"), tree.path("t")), 0);
    EXPECT_EQ(frame.messages.back().second,
              tree.path("t/sub") + ": cannot overwrite directory with non-directory");
    tree.write("f/c", "c");
    EXPECT_EQ(copy(tree.path("f/c"), tree.path("t")), 0);
    EXPECT_EQ(TempTree::read(tree.path("t/c")), "c");
}

TEST_F(CopyFixture, DirectoryOverFileReplacesItAfterBackup) {
    tree.write("s/d/x", "x");
    tree.write("t/d", "a file");
    EXPECT_EQ(copy(tree.path("s/d"), tree.path("t/d")), 0);
    EXPECT_TRUE(frame.permissionQuestions.empty());
    EXPECT_EQ(TempTree::read(tree.path("t/d/x")), "x");
    EXPECT_EQ(TempTree::read(tree.path("t/d.bak")), "a file");
}

TEST_F(CopyFixture, CopyIntoOwnSubtreeEnds) {
    tree.write("s/a", "a");
    tree.write("s/b/c", "c");
    EXPECT_EQ(copy(tree.path("s"), tree.path("s/b/inner")), 0);
    EXPECT_EQ(TempTree::read(tree.path("s/b/inner/a")), "a");
    EXPECT_EQ(TempTree::read(tree.path("s/b/inner/b/c")), "c");
    EXPECT_FALSE(TempTree::exists(tree.path("s/b/inner/b/inner")));
}

TEST(EnsureDirectory, CreatesEveryLevelOrExplains) {
    TempTree tree;
    ScriptedFrame frame;
    EXPECT_EQ(ensureDirectory(frame, tree.path("a/b/c/d")), 0);
    EXPECT_TRUE(TempTree::exists(tree.path("a/b/c/d")));
    EXPECT_EQ(ensureDirectory(frame, tree.path("a/b")), 0);
    const std::string file = tree.write("file", "x");
    EXPECT_EQ(ensureDirectory(frame, file), -1);
    EXPECT_EQ(frame.messages.back().second, file + " is not a directory");
    EXPECT_EQ(ensureDirectory(frame, file + "/below"), -1);
    EXPECT_EQ(frame.messages.back().second, "Unknown error");
    EXPECT_EQ(frame.errorCount(), 2);
}

TEST(CopySelectedRows, CopiesBelowTheDestinationAndSkipsForeignOrEmptyItems) {
    TempTree tree;
    ScriptedFrame frame;
    DirectoryOperationState state;
    DirMergeServices services;
    DirMergeContext ctx{state, frame, services};
    const std::string d2 = tree.mkdir("two");
    tree.write("two/deep/er/f.txt", "f");
    tree.write("elsewhere/two/g.txt", "g");
    copySelectedRows(ctx, {"", tree.path("two/deep/er/f.txt"), tree.path("elsewhere/two/g.txt")},
                     d2, tree.path("out"));
    EXPECT_EQ(TempTree::read(tree.path("out/deep/er/f.txt")), "f");
    EXPECT_FALSE(TempTree::exists(tree.path("out/g.txt")));
    EXPECT_TRUE(frame.messages.empty());
}

} // namespace
} // namespace tandel
