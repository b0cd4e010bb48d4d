// A directory walk and the directory window's commands driven only through
// the command router, with posted commands drained as a console run does.
#include "control/application.h"
#include "control/command_router.h"
#include "control/console_frame.h"
#include "dirmerge/directory_merge.h"
#include "frame/command_ids.h"
#include "merge/driver_test_support.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>

namespace tandel {
namespace {

using testing_support::readFile;
using testing_support::TempFolder;

bool walkDone(const std::string& text) {
    return text.starts_with("Directories compared: ");
}

// The console's queue of posted commands with scripted answers in place of
// its fixed ones.
class WalkFrame : public ConsoleFrame {
public:
    WalkFrame() : ConsoleFrame(log_) {}

    std::deque<int> permissionAnswers; // kAnswerNo when empty
    std::vector<std::string> permissionQuestions;
    std::vector<std::pair<Severity, std::string>> messages;
    std::vector<bool> walkMenu;
    int listRefreshes = 0;

    void message(Severity severity, const std::string& text) override {
        messages.emplace_back(severity, text);
    }
    bool confirmOverwrite(const Question&) override { return true; }
    int askPermission(const Question& question) override {
        permissionQuestions.push_back(question.text);
        if (permissionAnswers.empty())
            return kAnswerNo;
        const int answer = permissionAnswers.front();
        permissionAnswers.pop_front();
        return answer;
    }
    void setWalkMenu(bool walking) override { walkMenu.push_back(walking); }
    void refreshLists() override { ++listRefreshes; }

    bool shown(Severity severity, const std::string& text) const {
        for (const auto& m : messages)
            if (m == std::make_pair(severity, text))
                return true;
        return false;
    }

private:
    std::ostringstream log_;
};

struct Router : ::testing::Test {
    TempFolder tree;
    WalkFrame frame;
    Application app{frame};
    DirectoryMerge dirs{app, "/opt/tandel", [](const std::vector<std::string>&) {}};
    std::string d1 = tree.mkdir("one");
    std::string d2 = tree.mkdir("two");
    std::string out = tree.mkdir("out");
    DirectorySelection selection{d1, d2, out, false};
    int dialogs = 0;
    ListSelection listSelection;
    CommandRouter router{app, dirs,
                         RouterInputs{[this](DirectorySelection& s) {
                                          ++dialogs;
                                          s = selection;
                                          return true;
                                      },
                                      [this] { return listSelection; },
                                      {},
                                      {}}};

    Router() {
        app.settings.record.recursive = 1;
        app.settings.record.autoWalk = 0;
        app.settings.record.unixFormat = 1;
    }
    // As the event loop would: post, then run until nothing is left.
    void post(int id) {
        frame.postCommand(id);
        router.runPosted(frame);
    }
    bool walking() const { return app.settings.record.directoryWalk != 0; }
};

TEST_F(Router, WalkCopiesAsksLoadsTheDifferingPairAndFinishesAfterItsSave) {
    tree.write("one/a.txt", "same\n", 100);
    tree.write("two/a.txt", "same\n", 200); // other times, same bytes: compared, then copied
    tree.write("one/b.txt", "left\n", 100);
    tree.write("two/b.txt", "right\n", 200);
    tree.write("one/c1.txt", "only left 1\n");
    tree.write("one/c2.txt", "only left 2\n");
    tree.write("two/d.txt", "only right\n");
    tree.write("one/sub/e.txt", "deep\n", 100);
    tree.write("two/sub/e.txt", "deep\n", 300);
    frame.permissionAnswers = {kAnswerYesToAll};

    post(cmd::kCompareDirs);
    EXPECT_EQ(readFile(out + "/a.txt"), "same\n");
    ASSERT_TRUE(walking()); // waits on b.txt
    EXPECT_EQ(app.model.side(1).fileName, d1 + "/b.txt");
    EXPECT_EQ(app.model.side(2).fileName, d2 + "/b.txt");
    EXPECT_EQ(app.model.pairOutputPath, out + "/b.txt");
    EXPECT_EQ(frame.walkMenu, std::vector<bool>{true});

    // A second start while the walk waits does not even open the dialog.
    EXPECT_TRUE(router.route(cmd::kCompareDirs));
    EXPECT_EQ(dialogs, 1);

    EXPECT_TRUE(router.route(cmd::kSelectAll));
    EXPECT_TRUE(router.route(cmd::kSaveAs));
    router.runPosted(frame);

    // Both sides taken with equal marks: file 2's lines come first.
    EXPECT_EQ(readFile(out + "/b.txt"), "right\nleft\n");
    // One question: Yes to All covers the second left-only file and the right-only one.
    EXPECT_EQ(frame.permissionQuestions.size(), 1u);
    EXPECT_EQ(readFile(out + "/c1.txt"), "only left 1\n");
    EXPECT_EQ(readFile(out + "/c2.txt"), "only left 2\n");
    EXPECT_EQ(readFile(out + "/d.txt"), "only right\n");
    EXPECT_EQ(readFile(out + "/sub/e.txt"), "deep\n");
    ASSERT_FALSE(frame.messages.empty());
    EXPECT_EQ(frame.messages.back(),
              std::make_pair(Severity::Info, std::string("Directories compared: 5 copied, "
                                                         "1 merged, 0 skipped, 0 failed")));
    EXPECT_EQ(frame.walkMenu, (std::vector<bool>{true, false}));
    EXPECT_FALSE(walking());
    EXPECT_TRUE(app.model.pairOutputPath.empty());
}

TEST_F(Router, CancelAnsweredToACopyQuestionEndsTheWalk) {
    tree.write("one/a.txt", "first\n");
    tree.write("one/b.txt", "second\n");
    tree.write("two/z.txt", "later\n");
    frame.permissionAnswers = {kAnswerCancel};

    post(cmd::kCompareDirs);
    EXPECT_EQ(frame.permissionQuestions.size(), 1u);
    EXPECT_FALSE(walking());
    EXPECT_EQ(frame.walkMenu, (std::vector<bool>{true, false}));
    EXPECT_EQ(frame.messages,
              (std::vector<std::pair<Severity, std::string>>{
                  {Severity::Info,
                   "Directory merge cancelled: 0 copied, 0 merged, 0 skipped, 0 failed"}}));
    EXPECT_FALSE(std::filesystem::exists(out + "/a.txt"));
    EXPECT_FALSE(std::filesystem::exists(out + "/z.txt"));

    // Skip and Cancel outside a walk change nothing.
    frame.messages.clear();
    post(cmd::kWalkSkip);
    post(cmd::kWalkCancel);
    EXPECT_EQ(frame.walkMenu.size(), 2u);
    EXPECT_TRUE(frame.messages.empty());
}

TEST_F(Router, WalkIntoDirectoryOneOffersOnlyTheRightSideAndSkipLeavesThePair) {
    tree.write("one/left-only.txt", "l\n");
    tree.write("two/right-only.txt", "r\n");
    tree.write("one/pair.txt", "mine\n", 100);
    tree.write("two/pair.txt", "theirs\n", 200);
    selection.destination = d1;
    frame.permissionAnswers = {kAnswerYes};

    post(cmd::kCompareDirs);
    ASSERT_TRUE(walking());
    EXPECT_EQ(app.model.pairOutputPath, d1 + "/pair.txt");
    post(cmd::kWalkSkip);

    ASSERT_EQ(frame.permissionQuestions.size(), 1u);
    EXPECT_NE(frame.permissionQuestions[0].find("right-only.txt"), std::string::npos);
    EXPECT_EQ(readFile(d1 + "/right-only.txt"), "r\n");
    EXPECT_EQ(readFile(d1 + "/pair.txt"), "mine\n");
    EXPECT_FALSE(std::filesystem::exists(d1 + "/pair.txt.bak"));
    ASSERT_FALSE(frame.messages.empty());
    EXPECT_TRUE(walkDone(frame.messages.back().second));
    EXPECT_FALSE(walking());
}

TEST_F(Router, DirectoryWindowBuildsItsListAndCopiesTheSelectedRows) {
    tree.write("one/same.txt", "x\n", 100);
    tree.write("two/same.txt", "x\n", 200);
    tree.write("two/sub/new.txt", "n\n");
    app.settings.files.selectDir1 = d1;
    app.settings.files.selectDir2 = d2;
    app.settings.files.selectOutdir = out;

    post(cmd::kCompareDirectoryLists);
    ASSERT_EQ(dirs.state.rows.size(), 2u);
    EXPECT_EQ(frame.listRefreshes, 1);
    EXPECT_FALSE(walking());

    listSelection = {2, {0, 1}}; // same.txt is there already
    EXPECT_TRUE(router.route(cmd::kCopyToDestination));
    EXPECT_EQ(readFile(out + "/sub/new.txt"), "n\n");
    EXPECT_TRUE(frame.shown(Severity::Info, "Copy to Destination: 2 copied, 0 skipped, 0 failed"));

    EXPECT_FALSE(router.route(4)); // an id nobody owns
    EXPECT_FALSE(app.frameState.quitRequested);
}

// The window stays: a cancelled build shows what it found, and Rescan or
// the subdirectories toggle build the list again with the settings as they are.
TEST_F(Router, ACancelledBuildKeepsTheWindowAndRescanBuildsAgain) {
    for (const char* name : {"a.txt", "b.txt", "sub/c.txt"})
        tree.write(std::string("one/") + name, "x\n");
    app.settings.files.selectDir1 = d1;
    app.settings.files.selectDir2 = d2;
    app.settings.files.selectOutdir = out;
    bool cancel = true;
    CommandRouter building{app, dirs, RouterInputs{{}, {}, [&cancel](const std::string&) {
                                                       return !cancel;
                                                   }, {}}};
    EXPECT_TRUE(building.route(cmd::kCompareDirectoryLists));
    EXPECT_EQ(dirs.state.rows.size(), 1u);
    EXPECT_TRUE(dirs.state.listIncomplete);
    EXPECT_FALSE(app.frameState.quitRequested);

    cancel = false;
    EXPECT_TRUE(building.route(cmd::kRescanDirectories));
    EXPECT_EQ(dirs.state.rows.size(), 3u);
    EXPECT_FALSE(dirs.state.listIncomplete);
    EXPECT_TRUE(building.route(cmd::kToggleSubdirectories));
    EXPECT_EQ(app.settings.record.recursive, 0);
    EXPECT_EQ(dirs.state.rows.size(), 2u);
    EXPECT_EQ(frame.listRefreshes, 3);
}

TEST_F(Router, AFileNamedAsADirectoryOfTheListIsReported) {
    const std::string file = tree.write("plain.txt", "x\n");
    app.settings.files.selectDir1 = file;
    app.settings.files.selectDir2 = d2;
    app.settings.files.selectOutdir = out;
    post(cmd::kCompareDirectoryLists);
    EXPECT_TRUE(frame.shown(Severity::Error, file + " is not a directory"));
    EXPECT_EQ(readFile(file), "x\n");
}

} // namespace
} // namespace tandel
