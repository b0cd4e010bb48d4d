#include "control/dispatcher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "control/application.h"
#include "frame/command_ids.h"
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

// The select commands decide what the merged result holds (From Right keeps
// what was decided for the left); Save As Left and Right write their own file.
TEST_F(DispatcherTest, SelectAndSaveCommandsReachTheirFunctions) {
    loadAndCompare();
    dispatchCommand(app, cmd::kSelectFromLeft);
    EXPECT_EQ(merged(), "same\nold\nend\n");
    dispatchCommand(app, cmd::kSelectFromRight);
    EXPECT_EQ(merged(), "same\nold\nend\n");
    dispatchCommand(app, cmd::kUnselectAll);
    dispatchCommand(app, cmd::kSelectFromRight);
    EXPECT_EQ(merged(), "same\nnew\nend\n");
    frame.overwriteAnswers = {true, false};
    ASSERT_TRUE(dispatchCommand(app, cmd::kSaveAsLeft));
    EXPECT_EQ(folder.read("l"), "same\nnew\nend\n");
    EXPECT_EQ(folder.read("l.bak"), "same\nold\nend\n");
    ASSERT_TRUE(dispatchCommand(app, cmd::kSaveAsRight)); // answered No
    EXPECT_EQ(frame.questions.size(), 2u);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"l", "l.bak", "r"}));
    dispatchCommand(app, cmd::kSelectAll);
    EXPECT_EQ(merged(), "same\nnew\nold\nend\n");
}

TEST_F(DispatcherTest, EachNavigationIdReachesItsFunction) {
    std::string one;
    std::string two;
    for (int i = 1; i <= 40; ++i) {
        one += "line " + std::to_string(i) + "\n";
        two += (i == 10 || i == 30 ? "changed " : "line ") + std::to_string(i) + "\n";
    }
    loadAndCompare(one, two);
    ASSERT_EQ(app.model.side(1).segmentCount(), 2);
    app.settings.record.visibleRows = 10;

    // Segments at lines 10 and 30 are shown from top lines 6 and 26.
    struct Row {
        int id;
        int fromTop;
        int toTop;
    };
    for (const Row& row : {Row{cmd::kFirstSegment, 20, 6}, Row{cmd::kLastSegment, 0, 26},
                           Row{cmd::kNextSegment, 0, 6}, Row{cmd::kPrevSegment, 26, 6},
                           Row{cmd::kNextUnresolved, 0, 6}, Row{cmd::kPrevUnresolved, 26, 6},
                           Row{cmd::kFirstLine, 20, 0}, Row{cmd::kLastLine, 0, 39}}) {
        app.settings.record.topLine = row.fromTop;
        EXPECT_TRUE(dispatchCommand(app, row.id)) << row.id;
        EXPECT_EQ(app.settings.record.topLine, row.toTop) << "command " << row.id;
    }
}

TEST_F(DispatcherTest, FileCommandsLoadTheFileChosenInTheOpenDialog) {
    frame.openAnswers = {folder.write("chosen", "x\n")};
    EXPECT_TRUE(dispatchCommand(app, cmd::kFile2));
    EXPECT_EQ(app.model.side(2).fileName, folder.file("chosen"));
    EXPECT_EQ(app.settings.files.dirName2, folder.path());
    EXPECT_TRUE(dispatchCommand(app, cmd::kFile1)); // cancelled: nothing loaded
    EXPECT_TRUE(app.model.side(1).fileName.empty());
}

TEST_F(DispatcherTest, FindAfterAComparisonOpensWithMatchCaseTicked) {
    loadAndCompare();
    app.frameState.ignoreCase = true;
    ASSERT_TRUE(dispatchCommand(app, cmd::kFind));
    ASSERT_TRUE(dispatchCommand(app, cmd::kCompareFiles));
    ASSERT_TRUE(dispatchCommand(app, cmd::kFind));
    EXPECT_EQ(frame.findDialogs, (std::vector<bool>{false, true}));
}

// Print sends a resolved result's listing to the printer; the directory
// window prints its lists whatever pair was compared last, or none.
TEST_F(DispatcherTest, PrintSendsTheResultOrTheListsToThePrinter) {
    app.frameState.directoryWindow = true;
    app.settings.record.notYetCompared = 1;
    ASSERT_TRUE(dispatchCommand(app, cmd::kPrint));
    loadAndCompare();
    ASSERT_TRUE(dispatchCommand(app, cmd::kPrint));
    EXPECT_EQ(frame.listPrints, 2);
    EXPECT_EQ(frame.printEnds, 2);
    frame.printAccepted = false;
    ASSERT_TRUE(dispatchCommand(app, cmd::kPrint));
    EXPECT_EQ(frame.listPrints, 2);
    EXPECT_TRUE(frame.printed.empty());
    EXPECT_TRUE(frame.messages.empty());

    app.frameState.directoryWindow = false;
    frame.printAccepted = true;
    const int jobs = frame.printJobs;
    ASSERT_TRUE(dispatchCommand(app, cmd::kPrint));
    EXPECT_EQ(frame.printJobs, jobs); // unresolved: refused before the print dialog
    app.settings.record.diffsOnly = 1;
    ASSERT_TRUE(dispatchCommand(app, cmd::kPrint));
    EXPECT_EQ(frame.printed, (std::vector<std::string>{"--File 1--", "<<2 old", "--File 2--",
                                                       ">>2 new", "----------", ""}));
    EXPECT_EQ(frame.printEnds, 3);
}

TEST_F(DispatcherTest, SplitArmsAndForeignIdsAreLeftToTheWindow) {
    EXPECT_TRUE(dispatchCommand(app, cmd::kSplitSegment));
    EXPECT_TRUE(app.frameState.splitArmed);
    for (int id : {4, 5, 12, 14, 16, 23, 308, cmd::kQuit})
        EXPECT_FALSE(dispatchCommand(app, id)) << id;
    // The directory window walks its lists with Next and Previous.
    app.frameState.directoryWindow = true;
    EXPECT_FALSE(dispatchCommand(app, cmd::kNextSegment));
    EXPECT_FALSE(dispatchCommand(app, cmd::kPrevSegment));
}

} // namespace
} // namespace tandel
