// What the panes ask of the model arrives as commands: a drop is loaded later
// from the event loop, and a selection grows only in the pane it began in.
#include "control/pane_commands.h"

#include "control/application.h"
#include "frame/command_ids.h"
#include "merge/fake_frame.h"
#include "merge/model_fixture.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

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
    EXPECT_FALSE(commands.extendSelection(1, {1, 2, 20})); // the end did not move
    commands.endSelection();
    EXPECT_EQ(frame.primarySelection, std::vector<std::string>{"one\ntw"});

    commands.setVisibleRows(17);
    EXPECT_EQ(app.settings.record.visibleRows, 17);
}

} // namespace
} // namespace tandel
