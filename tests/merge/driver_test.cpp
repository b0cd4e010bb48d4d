#include "merge/comparison_driver.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "merge/comparison_work.h"
#include "merge/driver_test_support.h"
#include "merge/merged_output.h"

namespace tandel {
namespace {

using testing_support::writeFile;

class DriverTest : public testing_support::AppTest {
protected:
    CompareResult compareLoaded() {
        return compareFiles(app, app.model.side(1).fileName, app.model.side(2).fileName);
    }
};

TEST_F(DriverTest, LoadingBothSidesComparesAndInstallsTheSegments) {
    load(files.write("a", "a\nb\nc\nd\ne\n"), files.write("b", "a\nB\nc\nx\nd\n"));
    ASSERT_EQ(frame.posted, std::vector<int>{cmd::kCompareFiles});
    runPosted();
    EXPECT_EQ(app.frameState.lastCompareResult, CompareResult::Different);
    EXPECT_EQ(app.model.side(1).segmentCount(), 3);
    EXPECT_EQ(app.model.side(2).segmentCount(), 3);
    EXPECT_EQ(app.settings.record.notYetCompared, 0);
    EXPECT_EQ(app.settings.record.rowCount, 6);
    EXPECT_FALSE(app.model.loadedSinceComparison[0] || app.model.loadedSinceComparison[1]);
    EXPECT_TRUE(frame.messages.empty()) << frame.allMessages();
    EXPECT_EQ(files.entries(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(DriverTest, NamesThatLookLikeOptionsAreNames) {
    load(files.write("x", "a\nb\n"), files.write("y", "a\nc\n"));
    // Neither is an engine option, nor standard input: the texts are the sides'.
    EXPECT_EQ(compareFiles(app, "-w", "-"), CompareResult::Different);
    EXPECT_EQ(app.model.side(1).segmentCount(), 1);
    EXPECT_TRUE(frame.shown(Severity::Error).empty()) << frame.allMessages();
}

// The engine borrows the displayed lines; a run that blanks comments works on
// a copy, so that the next run without it compares the files as loaded.
TEST_F(DriverTest, BlankedCommentsNeverReachTheDisplayOrTheNextComparison) {
    app.compare.ignoreComments = 1;
    app.compare.comments = {{"/*", "*/"}};
    load(files.write("a", "x = 1; /* old */\ny\n"), files.write("b", "x = 1; /* new note */\ny\n"));
    frame.posted.clear();
    EXPECT_EQ(compareLoaded(), CompareResult::Identical);
    app.compare.ignoreComments = 0;
    EXPECT_EQ(compareLoaded(), CompareResult::Different);
    EXPECT_EQ(app.model.side(1).line(0), "x = 1; /* old */");
    EXPECT_TRUE(frame.posted.empty());
}

TEST_F(DriverTest, FilesChangedOrGoneSinceTheyWereLoadedAreReadAgainOrKept) {
    app.compare.tableMode = 1;
    const std::string one = files.write("a", "a 1\nb 2\n");
    const std::string two = files.write("b", "a 1\nb 3\n");
    load(one, two);
    frame.posted.clear();
    EXPECT_NE(compareLoaded(), CompareResult::Failed);

    writeFile(one, "a 1\nb 3 \n"); // changed on disk: read again
    std::filesystem::remove(two);  // gone: the lines on display are compared
    app.compare.tableMode = 0;
    EXPECT_NE(compareLoaded(), CompareResult::Failed);
    EXPECT_TRUE(frame.shownText(Severity::Error,
                                "Unable to open file " + two + ": No such file or directory"))
        << frame.allMessages();
    EXPECT_EQ(app.model.side(1).line(1), "b 3 ");
    EXPECT_TRUE(frame.posted.empty());
    EXPECT_TRUE(app.model.loadedSinceComparison[0] && app.model.loadedSinceComparison[1]);
}

TEST_F(DriverTest, AMappedFileCutShortIsNeitherComparedNorSaved) {
    std::string big; // large enough to stay mapped while it is shown
    for (int i = 0; i < 150000; ++i) {
        big += "line " + std::to_string(i) + "\n";
    }
    const std::string one = files.write("a", big);
    load(one, files.write("b", "line 0\nchanged\n"));
    ASSERT_TRUE(app.model.side(1).lineBuffer.isMapped());
    runPosted();
    ASSERT_EQ(app.frameState.lastCompareResult, CompareResult::Different);

    // Cut short after the comparison: no result is made from what is left.
    ASSERT_EQ(::truncate(one.c_str(), 0), 0);
    EXPECT_FALSE(readyToProduce(app.model, app.settings.record, frame, false));
    EXPECT_TRUE(frame.shownText(Severity::Error, "File " + one +
                                                     " has changed on disk since it was loaded. "
                                                     "Compare the files again before saving."))
        << frame.allMessages();

    // Cut short while the engine reads it: a read error, not a crash.
    writeFile(one, big);
    EXPECT_EQ(compareLoaded(), CompareResult::Different);
    ComparisonWork work = prepareComparison(app, {"", ""}, true);
    ASSERT_EQ(::truncate(one.c_str(), 0), 0);
    runComparison(work, nullptr);
    EXPECT_EQ(applyComparison(app, work), CompareResult::Failed);
    EXPECT_TRUE(frame.shownText(Severity::Error, "Unable to open file " + one +
                                                     ": the file changed while it was read"))
        << frame.allMessages();
    // The next comparison reads the file as it is now.
    EXPECT_EQ(compareLoaded(), CompareResult::Different);
    EXPECT_EQ(app.model.side(1).lineCount, 0);
}

TEST_F(DriverTest, TheWalkLoadsAPairAndLearnsTheResult) {
    app.settings.record.directoryWalk = 1;
    frame.onSend = [this](int id) { dispatchCommand(app, id); };
    const std::string one = files.write("a", "same\n");
    EXPECT_EQ(loadPairAndCompare(app, one, files.write("b", "other\n")), CompareResult::Different);
    EXPECT_EQ(app.model.side(1).segmentCount(), 1);

    // Identical pairs are cleared silently; the walk copies them itself.
    EXPECT_EQ(loadPairAndCompare(app, one, files.write("c", "same\n")), CompareResult::Identical);
    EXPECT_EQ(app.model.side(1).lineCount, 0);
    EXPECT_TRUE(app.model.side(1).fileName.empty());
    EXPECT_TRUE(frame.messages.empty()) << frame.allMessages();
    EXPECT_EQ(loadPairAndCompare(app, one, files.file("missing")), CompareResult::Failed);
}

} // namespace
} // namespace tandel
