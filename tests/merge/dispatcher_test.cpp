#include "merge/dispatcher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "merge/application.h"
#include "merge/command_ids.h"
#include "merge/driver_test_support.h"
#include "merge/fake_frame.h"
#include "merge/merged_output.h"
#include "merge/side_loader.h"

namespace tandel {
namespace {

using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::writeFile;

class DispatcherTest : public ::testing::Test {
protected:
    DispatcherTest() {
        app.settings.record.unixFormat = 1; // bytes as written, so results read plainly
        left = folder.file("left.txt");
        right = folder.file("right.txt");
        writeFile(left, "same\nold\nend\n");
        writeFile(right, "same\nnew\nend\n");
    }

    // Loads both files and runs the comparison their loading posts.
    void loadAndCompare() {
        ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, left, 1), 0);
        ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, right, 2), 0);
        ASSERT_FALSE(frame.posted.empty());
        ASSERT_EQ(frame.posted.back(), cmd::kCompareFiles);
        frame.posted.clear();
        ASSERT_TRUE(dispatchCommand(app, cmd::kCompareFiles));
        ASSERT_EQ(app.model.side(1).segmentCount(), 1);
    }
    std::string merged() { return MergedText(app.model, frame, false); }

    TempFolder folder;
    test::FakeFrame frame;
    Application app{frame};
    std::string left;
    std::string right;
};

TEST_F(DispatcherTest, SelectCommandsDecideWhatTheMergedResultHolds) {
    loadAndCompare();
    dispatchCommand(app, cmd::kSelectFromLeft);
    EXPECT_EQ(merged(), "same\nold\nend\n");
    // Select From Right keeps segments already decided for the left.
    dispatchCommand(app, cmd::kSelectFromRight);
    EXPECT_EQ(merged(), "same\nold\nend\n");
    dispatchCommand(app, cmd::kUnselectAll);
    dispatchCommand(app, cmd::kSelectFromRight);
    EXPECT_EQ(merged(), "same\nnew\nend\n");
    dispatchCommand(app, cmd::kSelectAll);
    EXPECT_EQ(merged(), "same\nnew\nold\nend\n");
}

TEST_F(DispatcherTest, SaveAsLeftReplacesFile1AfterABackup) {
    loadAndCompare();
    dispatchCommand(app, cmd::kSelectFromRight);
    frame.overwriteAnswers = {true};
    ASSERT_TRUE(dispatchCommand(app, cmd::kSaveAsLeft));
    ASSERT_EQ(frame.questions.size(), 1u);
    EXPECT_EQ(frame.questions[0], "File " + left + " already exists.\nSave anyway ?");
    EXPECT_EQ(readFile(left), "same\nnew\nend\n");
    EXPECT_EQ(readFile(left + ".bak"), "same\nold\nend\n");
    EXPECT_EQ(readFile(right), "same\nnew\nend\n");
}

TEST_F(DispatcherTest, SaveAsRightAnsweredNoWritesNothing) {
    loadAndCompare();
    dispatchCommand(app, cmd::kSelectFromLeft);
    frame.overwriteAnswers = {false};
    ASSERT_TRUE(dispatchCommand(app, cmd::kSaveAsRight));
    EXPECT_EQ(frame.questions.size(), 1u);
    EXPECT_EQ(readFile(right), "same\nnew\nend\n");
    EXPECT_FALSE(std::filesystem::exists(right + ".bak"));

    frame.overwriteAnswers = {true};
    dispatchCommand(app, cmd::kSaveAsRight);
    EXPECT_EQ(readFile(right), "same\nold\nend\n");
    EXPECT_EQ(readFile(right + ".bak"), "same\nnew\nend\n");
}

TEST_F(DispatcherTest, SaveRefusesWhileASegmentIsUnresolved) {
    loadAndCompare();
    frame.overwriteAnswers = {true};
    dispatchCommand(app, cmd::kSaveAsLeft);
    EXPECT_EQ(readFile(left), "same\nold\nend\n");
    ASSERT_FALSE(frame.shown(Severity::Error).empty());
    EXPECT_EQ(frame.shown(Severity::Error).back(), "You have unresolved difference(s) !");
}

TEST_F(DispatcherTest, SaveAsWithAnOutputSwitchWritesThereWithoutADialog) {
    const std::string out = folder.file("merged.txt");
    applyCommandLine(app, {"-outf", out});
    app.model.saveName = out;
    app.model.saveNameFromSwitch = true;
    loadAndCompare();
    dispatchCommand(app, cmd::kSelectAll);
    ASSERT_TRUE(dispatchCommand(app, cmd::kSaveAs));
    EXPECT_TRUE(frame.saveDialogs.empty());
    EXPECT_EQ(readFile(out), "same\nnew\nold\nend\n");
}

TEST_F(DispatcherTest, NavigationCommandsMoveTheTopLine) {
    std::string one;
    std::string two;
    for (int i = 1; i <= 40; ++i) {
        one += "line " + std::to_string(i) + "\n";
        two += (i == 10 || i == 30 ? "changed " : "line ") + std::to_string(i) + "\n";
    }
    writeFile(left, one);
    writeFile(right, two);
    ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, left, 1), 0);
    ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, right, 2), 0);
    dispatchCommand(app, cmd::kCompareFiles);
    ASSERT_EQ(app.model.side(1).segmentCount(), 2);
    app.settings.record.visibleRows = 10;

    // Context lines 3: a segment at line 10 is shown from line 6 (top line 6).
    dispatchCommand(app, cmd::kFirstSegment);
    EXPECT_EQ(app.settings.record.topLine, 6);
    dispatchCommand(app, cmd::kNextSegment);
    EXPECT_EQ(app.settings.record.topLine, 26);
    dispatchCommand(app, cmd::kPrevSegment);
    EXPECT_EQ(app.settings.record.topLine, 6);
    dispatchCommand(app, cmd::kLastSegment);
    EXPECT_EQ(app.settings.record.topLine, 26);
    dispatchCommand(app, cmd::kFirstLine);
    EXPECT_EQ(app.settings.record.topLine, 0);
    dispatchCommand(app, cmd::kNextUnresolved);
    EXPECT_EQ(app.settings.record.topLine, 6);
    dispatchCommand(app, cmd::kSelectFromLeft);
    dispatchCommand(app, cmd::kFirstLine);
    dispatchCommand(app, cmd::kNextUnresolved);
    EXPECT_EQ(app.settings.record.topLine, 0); // nothing left unresolved
    dispatchCommand(app, cmd::kLastLine);
    EXPECT_GT(app.settings.record.topLine, 26);
}

TEST_F(DispatcherTest, SplitArmsAndForeignIdsAreLeftToTheWindow) {
    EXPECT_TRUE(dispatchCommand(app, cmd::kSplitSegment));
    EXPECT_TRUE(app.frameState.splitArmed);
    for (int id : {4, 5, 12, 14, 16, 23, 308, cmd::kQuit, cmd::kPrint, cmd::kFile1, cmd::kFind}) {
        EXPECT_FALSE(dispatchCommand(app, id)) << id;
    }
    // The directory window walks its lists with Next and Previous.
    app.frameState.directoryWindow = true;
    EXPECT_FALSE(dispatchCommand(app, cmd::kNextSegment));
    EXPECT_FALSE(dispatchCommand(app, cmd::kPrevSegment));
}

} // namespace
} // namespace tandel
