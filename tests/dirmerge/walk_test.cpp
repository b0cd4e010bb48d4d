// The directory walk: what it copies, asks, loads and counts, driven by its
// posted commands as the program runs them.
#include "dirmerge/child_commands.h"
#include "dirmerge/directory_walk.h"
#include "merge/driver_test_support.h"
#include "merge/save.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

namespace tandel {
namespace {

using testing_support::readFile;
using testing_support::TempFolder;
using Said = std::pair<Severity, std::string>;

struct Walk : ::testing::Test {
    TempFolder tree;
    test::FakeFrame frame;
    DirectoryOperationState state;
    DirMergeServices services;
    DirMergeContext ctx{state, frame, services};
    testing::FailingFileSystem files;
    std::string d1 = tree.mkdir("one");
    std::string d2 = tree.mkdir("two");
    std::string out = tree.mkdir("out");
    int loads = 0;
    int clears = 0;
    std::vector<std::vector<std::string>> started;

    Walk() {
        services.makeBackup = [](const std::string& p) {
            return makeBackupFile(realFileSystem(), p);
        };
        services.loadAndCompare = [this](const std::string& l, const std::string& r) {
            ++loads;
            return readFile(l) == readFile(r) ? CompareResult::Identical : CompareResult::Different;
        };
        services.clearSides = [this] { ++clears; };
        services.startInstance = [this](const std::vector<std::string>& a) {
            started.push_back(a);
        };
        services.programPath = "/usr/bin/tandel";
    }
    void both(const std::string& rel, const std::string& left, const std::string& right) const {
        tree.write("one/" + rel, left);
        tree.write("two/" + rel, right);
    }
    // Starts a walk into `destination` and runs it as far as it goes alone.
    WalkStart walk(const std::string& destination) {
        ScanFilters f;
        f.recursive = true;
        f.files = &files;
        const WalkStart result = startDirectoryMerge(ctx, {d1, d2, destination, false}, f);
        run();
        return result;
    }
    // Runs posted walk commands until the walk stops posting them.
    void run() {
        for (int id = frame.takePosted(); id != 0; id = frame.takePosted())
            handleWalkCommand(ctx, id);
    }
    Said said() const { return frame.messages.empty() ? Said{} : frame.messages.back(); }
    bool finished() const { return said().second.starts_with("Directories compared: "); }
};

TEST_F(Walk, IdenticalTreesFillAnEmptyDestinationWithoutQuestions) {
    const char* names[] = {"a.txt", "sub/b.txt", "sub/deeper/c.txt", "z.txt"};
    for (const char* rel : names)
        both(rel, rel, rel);
    ASSERT_EQ(walk(out + "/"), WalkStart::Started);
    EXPECT_EQ(said(), Said(Severity::Info,
                           "Directories compared: 4 copied, 0 merged, 0 skipped, 0 failed"));
    EXPECT_EQ(frame.messages.size(), 1u);
    EXPECT_TRUE(frame.questions.empty());
    for (const char* rel : names)
        EXPECT_EQ(readFile(out + "/" + rel), rel) << rel;
    EXPECT_FALSE(state.comparing);
    EXPECT_EQ(frame.walkMenu, (std::vector<bool>{true, false}));
}

TEST_F(Walk, DifferingPairWaitsThenSkipOrCancel) {
    both("a", "left\n", "right\n");
    both("b", "left\n", "right\n");
    walk(out);
    EXPECT_FALSE(finished());
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(state.pairOutputPath, out + "/a");
    // Made equal by an edit, the loaded pair is copied, not the next entry.
    tree.write("two/a", "left\n");
    walkCompared(ctx, CompareResult::Identical);
    EXPECT_EQ(readFile(out + "/a"), "left\n");
    EXPECT_FALSE(std::filesystem::exists(out + "/b"));
    run();
    EXPECT_EQ(state.pairOutputPath, out + "/b");
    handleWalkCommand(ctx, cmd::kWalkSkip);
    run();
    EXPECT_EQ(said().second, "Directories compared: 1 copied, 0 merged, 1 skipped, 0 failed");
    EXPECT_FALSE(std::filesystem::exists(out + "/b"));
    EXPECT_GE(clears, 1);

    frame.messages.clear();
    walk(out);
    EXPECT_TRUE(state.walking);
    handleWalkCommand(ctx, cmd::kWalkCancel);
    EXPECT_FALSE(state.comparing);
    EXPECT_FALSE(state.walking);
    handleWalkCommand(ctx, cmd::kWalkNext); // ignored once ended
    handleWalkCommand(ctx, cmd::kWalkCancel);
    EXPECT_EQ(frame.messages,
              (std::vector<Said>{{Severity::Info, "Directory merge cancelled: "
                                                  "0 copied, 0 merged, 1 skipped, 0 failed"}}));
}

TEST_F(Walk, YesToAllCoversLaterOneSidedEntriesAndAFileAgainstADirectoryAsks) {
    tree.write("one/a", "a");
    tree.write("one/b/c/d", "d");
    tree.write("two/e", "e");
    tree.write("one/x", "file");
    tree.write("two/x/inner", "in");
    frame.permissionAnswers = {Answer::YesToAll};
    frame.fileOrDirAnswers = {Answer::Directory};
    walk(out);
    EXPECT_TRUE(finished());
    ASSERT_EQ(frame.questions.size(), 2u); // one permission, then file or directory
    EXPECT_EQ(frame.questions[1], d1 + "/x | " + d2 + "/x");
    EXPECT_EQ(readFile(out + "/a"), "a");
    EXPECT_EQ(readFile(out + "/b/c/d"), "d");
    EXPECT_EQ(readFile(out + "/e"), "e");
    EXPECT_EQ(readFile(out + "/x/inner"), "in");

    // Neither answer to the file-or-directory question skips the pair.
    frame.permissionAnswers = {Answer::YesToAll};
    walk(tree.mkdir("out3"));
    EXPECT_NE(said().second.find(" 1 skipped"), std::string::npos) << said().second;
    frame.permissionAnswers = {Answer::YesToAll};
    frame.fileOrDirAnswers = {Answer::Cancel};
    walk(tree.mkdir("out4"));
    EXPECT_TRUE(said().second.starts_with("Directory merge cancelled")) << said().second;
    // A new walk asks again; Cancel ends it.
    frame.permissionAnswers = {Answer::Cancel};
    walk(tree.mkdir("out2"));
    EXPECT_EQ(frame.questions.size(), 7u);
    EXPECT_FALSE(state.walking);
    EXPECT_EQ(said().second, "Directory merge cancelled: 0 copied, 0 merged, 0 skipped, 0 failed");
}

// Failed copies are counted and named, leave nothing, and the walk goes on;
// a folder it cannot make waits for Skip.
TEST_F(Walk, ACopyOrAFolderThatFailsMidwayLeavesNothingBehind) {
    const std::string big(200000, 'b'); // several pieces
    both("big", big, big);
    both("sub/f", "f", "f");
    both("z", "z", "z");
    files.fail(testing::FileOp::Write, out + "/big", ENOSPC, 1);
    files.fail(testing::FileOp::MakeFolder, out + "/sub", EACCES);
    walk(out);
    EXPECT_FALSE(finished());
    EXPECT_EQ(
        frame.shown(Severity::Error),
        (std::vector<std::string>{"Can not copy " + d1 + "/big: No space left on device",
                                  "Cannot create directory \n" + out + "/sub: Permission denied"}));
    handleWalkCommand(ctx, cmd::kWalkSkip);
    run();
    EXPECT_EQ(said(), Said(Severity::Warning,
                           "Directories compared: 1 copied, 0 merged, 0 skipped, 2 failed"));
    EXPECT_EQ(tree.read("out/z"), "z");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out),
                            std::filesystem::directory_iterator()),
              1); // neither a part of big nor a temporary file
}

TEST_F(Walk, AFolderThatCannotBeReadIsLeftOutAndTheWalkGoesOn) {
    both("locked/a", "a", "a");
    tree.write("two/locked/only-right", "r");
    both("z", "z", "z");
    files.fail(testing::FileOp::List, d1 + "/locked", EACCES);
    frame.permissionAnswers = {Answer::YesToAll};
    walk(out);
    EXPECT_TRUE(frame.questions.empty()); // nothing under it looks one-sided
    EXPECT_EQ(frame.shown(Severity::Warning),
              std::vector<std::string>{"Cannot read " + d1 +
                                       "/locked: Permission denied\nIt is left out of the merge."});
    EXPECT_FALSE(std::filesystem::exists(out + "/locked"));
    EXPECT_EQ(readFile(out + "/z"), "z");
    EXPECT_EQ(said().second, "Directories compared: 1 copied, 0 merged, 1 skipped, 0 failed");
    // An unreadable top directory ends the walk at once.
    files.fail(testing::FileOp::List, d2, EACCES);
    walk(tree.mkdir("out2"));
    EXPECT_FALSE(state.walking || state.comparing);
    EXPECT_FALSE(frame.walkMenu.back());
}

TEST_F(Walk, ASavedPairIsCountedAsMerged) {
    both("m", "left\n", "right!\n");
    walk(out);
    ASSERT_EQ(state.pairOutputPath, out + "/m");
    // What the merge does once it saved the pair: the file, then the next step.
    tree.write("out/m", "merged\n");
    frame.postCommand(cmd::kWalkNext);
    run();
    EXPECT_EQ(said(), Said(Severity::Info,
                           "Directories compared: 0 copied, 1 merged, 0 skipped, 0 failed"));
}

TEST_F(Walk, ASecondStartIsIgnoredAndAMergeRunGetsItsSwitches) {
    both("a", "1", "2");
    walk(out);
    EXPECT_EQ(walk(out), WalkStart::Refused);
    const std::string left = tree.write("one/p q/r.txt", "l");
    const std::string fresh = tree.file("fresh");
    EXPECT_TRUE(startMergeRun(ctx, left, d2 + "/p q/r.txt", d1, fresh));
    EXPECT_TRUE(std::filesystem::exists(fresh + "/p q"));
    EXPECT_FALSE(startMergeRun(ctx, "/elsewhere/r.txt", "/x", d1, fresh));
    EXPECT_FALSE(startMergeRun(ctx, left, d2 + "/p q/r.txt", d1, left + "/below"));
    EXPECT_EQ(started, (std::vector<std::vector<std::string>>{{"/usr/bin/tandel", "-f1", left,
                                                               "-f2", d2 + "/p q/r.txt", "-outd",
                                                               fresh + "/p q"}}));
}

} // namespace
} // namespace tandel
