// Commands the dispatcher runs itself: Copy from a pane or the preview, the
// file commands, and the ids it leaves to the window; what the panes ask of
// the model arrives as commands.
#include "control/copy_command.h"

#include "control/application.h"
#include "control/dispatcher.h"
#include "control/pane_commands.h"
#include "frame/command_ids.h"
#include "merge/decisions.h"
#include "merge/driver_test_support.h"
#include "merge/model_fixture.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

TEST(PreviewCopy, TakesLinesWholeOrInPartWithBareLineFeeds) {
    const std::string text = "line one\nline two\nline three\n";
    EXPECT_EQ(previewClipboardText(text, {5, 13}), "one\nline");
    EXPECT_EQ(previewClipboardText(text, {13, 5}), ""); // not a selection
    EXPECT_EQ(previewClipboardText(text, {9, 18}), "line two\n");
    EXPECT_EQ(previewClipboardText(text, {0, -1}), text);
    EXPECT_EQ(previewClipboardText(text, {20, 500}), "ne three\n");
    EXPECT_EQ(previewClipboardText("\nnext\n", {0, 3}), "\nne"); // an empty first line
    // A carriage return before the line feed is not shown, so not taken.
    EXPECT_EQ(previewClipboardText("dos\r\nnext\r", {0, -1}), "dos\nnext");
}

TEST(PreviewCopy, DecodesEachLineAsAWholeAsThePanesDo) {
    // The first line is Windows-1252 because of its last byte, although the
    // selected head alone would read as UTF-8; the second is UTF-8.
    const std::string text = "\xC3\xA9t\xE9\ncaf\xC3\xA9\n";
    EXPECT_EQ(previewClipboardText(text, {0, 2}), "\xC3\x83\xC2\xA9");
    EXPECT_EQ(previewClipboardText(text, {3, 10}), "\xC3\xA9\ncaf\xC3\xA9");
    // Control characters come as they are, not as the pictures the panes
    // draw; the trailing one is not shown, so not taken.
    EXPECT_EQ(previewClipboardText(std::string("a\0b\x1b", 4), {0, -1}), std::string("a\0b", 3));
}

class CopyCommandTest : public test::ModelTest {
protected:
    void SetUp() override {
        build({"one", "caf\xE9", "three"}, {"one", "two", "three"}, "2c2\n");
        app.model = std::move(model);
    }
    void copy() { ASSERT_TRUE(dispatchCommand(app, cmd::kCopy)); }

    Application app{frame};
};

TEST_F(CopyCommandTest, APaneSelectionGoesBeforeThePreviewAndNothingKeepsTheClipboard) {
    copy(); // nothing selected, no preview
    frame.preview = true;
    frame.previewContents = "merged\n";
    copy(); // an empty preview selection
    EXPECT_TRUE(frame.clipboard.empty());

    frame.previewSelected = {0, 3};
    copy();
    app.frameState.selection = {1, {0, 1, 0}, {1, 4, 0}, false};
    copy();
    EXPECT_EQ(frame.clipboard, (std::vector<std::string>{"mer", "ne\ncaf\xC3\xA9\n"}));
}

// (The dialog itself: side_loader_test.cpp.)
TEST(Dispatcher, FileCommandsLoadTheFileChosenInTheOpenDialog) {
    testing_support::TempFolder folder;
    test::FakeFrame frame;
    Application app{frame};
    frame.openAnswers = {folder.write("chosen", "x\n")};
    EXPECT_TRUE(dispatchCommand(app, cmd::kFile2));
    EXPECT_EQ(app.model.side(2).fileName, folder.file("chosen"));
}

TEST(Dispatcher, SplitArmsAndForeignIdsAreLeftToTheWindow) {
    test::FakeFrame frame;
    Application app{frame};
    EXPECT_TRUE(dispatchCommand(app, cmd::kSplitSegment));
    EXPECT_TRUE(app.frameState.splitArmed);
    test::setLines(app.model.side(1), {"a", "x", "c"});
    test::setLines(app.model.side(2), {"b", "x", "d"});
    test::installScript(app.model, "1c1\n3c3\n");
    chooseSide(app.model, frame, 0, 2, false);
    EXPECT_TRUE(dispatchCommand(app, cmd::kSelectFromLeft)); // keeps the choice already made
    EXPECT_EQ(judgingMark(app.model, 0, 1), Choice::None);
    EXPECT_EQ(judgingMark(app.model, 1, 1), Choice::First);
    for (int id : {4, 5, 12, 14, 16, 23, 308, cmd::kQuit})
        EXPECT_FALSE(dispatchCommand(app, id)) << id;
    // The directory window walks its lists with Next and Previous.
    app.frameState.directoryWindow = true;
    EXPECT_FALSE(dispatchCommand(app, cmd::kNextSegment));
    EXPECT_FALSE(dispatchCommand(app, cmd::kPrevSegment));
}

class PaneCommandsTest : public ::testing::Test {
protected:
    test::FakeFrame frame;
    Application app{frame};
    ApplicationPaneCommands commands{app};
};

TEST_F(PaneCommandsTest, ADropIsRecordedAndLoadedLaterFromTheEventLoop) {
    commands.drop(2, {"/tmp/a.txt", "/tmp/b.txt"});
    EXPECT_EQ(app.frameState.droppedNames, (std::vector<std::string>{"/tmp/a.txt", "/tmp/b.txt"}));
    EXPECT_EQ(app.frameState.droppedSide, 2);
    EXPECT_EQ(frame.posted, std::vector<int>{cmd::kLoadDropped});
    EXPECT_TRUE(app.model.side(2).fileName.empty());
}

TEST_F(PaneCommandsTest, ASelectionGrowsOnlyInThePaneItBeganIn) {
    test::setLines(app.model.side(1), {"one", "two"});
    commands.beginSelection(1, {0, 0, 0});
    ASSERT_EQ(app.frameState.selection.side, 1);
    EXPECT_FALSE(commands.extendSelection(2, {1, 2, 20}));
    EXPECT_TRUE(commands.extendSelection(1, {1, 2, 20}));
    commands.endSelection();
    EXPECT_EQ(frame.primarySelection, std::vector<std::string>{"one\ntw"});
}

} // namespace
} // namespace tandel
