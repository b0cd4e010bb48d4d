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

class DispatcherTest : public ::testing::Test {
protected:
    DispatcherTest() { app.settings.record.unixFormat = 1; } // bytes as written

    // Loads both files and runs the comparison their loading posts.
    void loadAndCompare(const std::string& one = "same\nold\nend\n",
                        const std::string& two = "same\nnew\nend\n") {
        ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, folder.write("l", one), 1), 0);
        ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, folder.write("r", two), 2), 0);
        ASSERT_EQ(frame.posted, std::vector<int>{cmd::kCompareFiles});
        frame.posted.clear();
        ASSERT_TRUE(dispatchCommand(app, cmd::kCompareFiles));
    }
    std::string merged() { return MergedText(app.model, frame, false); }

    TempFolder folder;
    test::FakeFrame frame;
    Application app{frame};
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

TEST_F(DispatcherTest, SaveAsLeftAndRightWriteTheirOwnFile) {
    loadAndCompare();
    dispatchCommand(app, cmd::kSelectFromRight);
    frame.overwriteAnswers = {true, false};
    ASSERT_TRUE(dispatchCommand(app, cmd::kSaveAsLeft));
    EXPECT_EQ(folder.read("l"), "same\nnew\nend\n");
    EXPECT_EQ(folder.read("l.bak"), "same\nold\nend\n");
    ASSERT_TRUE(dispatchCommand(app, cmd::kSaveAsRight)); // answered No
    EXPECT_EQ(frame.questions.size(), 2u);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"l", "l.bak", "r"}));
    EXPECT_EQ(folder.read("r"), "same\nnew\nend\n");
}

TEST_F(DispatcherTest, NavigationCommandsMoveTheTopLine) {
    std::string one;
    std::string two;
    for (int i = 1; i <= 40; ++i) {
        one += "line " + std::to_string(i) + "\n";
        two += (i == 10 || i == 30 ? "changed " : "line ") + std::to_string(i) + "\n";
    }
    loadAndCompare(one, two);
    ASSERT_EQ(app.model.side(1).segmentCount(), 2);
    app.settings.record.visibleRows = 10;

    // Context lines 3: a segment at line 10 is shown from line 6 (top line 6).
    const std::vector<std::pair<int, int>> steps = {
        {cmd::kFirstSegment, 6},   {cmd::kNextSegment, 26},
        {cmd::kPrevSegment, 6},    {cmd::kLastSegment, 26},
        {cmd::kFirstLine, 0},      {cmd::kNextUnresolved, 6},
        {cmd::kSelectFromLeft, 6}, {cmd::kFirstLine, 0},
        {cmd::kNextUnresolved, 0}, // nothing left unresolved
    };
    for (const auto& [id, topLine] : steps) {
        dispatchCommand(app, id);
        EXPECT_EQ(app.settings.record.topLine, topLine) << "command " << id;
    }
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
