#include "control/application.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "control/console_frame.h"
#include "control/unattended_run.h"
#include "merge/driver_test_support.h"

namespace tandel {
namespace {

using testing_support::DispatchingFrame;

TEST(Application, CommandLineSetsTheRunModeAndShowsItsError) {
    DispatchingFrame frame;
    Application app(frame);
    EXPECT_EQ(applyCommandLine(app, {"-mandc", "-d1", "/a", "-bogus", "-auto"}), -1);
    EXPECT_TRUE(app.frameState.directoryWindow);
    EXPECT_FALSE(app.frameState.unattended); // the parse stopped before it
    EXPECT_EQ(app.switches.valueOf(kSwitchD1), "/a");
    EXPECT_EQ(frame.shown(Severity::Error), std::vector<std::string>{"Unknown option"});

    EXPECT_TRUE(requestsUnattendedRun({"a", "b", "/AUTO"}));
    EXPECT_FALSE(requestsUnattendedRun({"a", "b", "/auto/x"}));
    EXPECT_FALSE(requestsUnattendedRun({"-x", "a"}));
    // Even after a bad token: a script asking for an unattended run must not
    // get a window waiting for a user.
    EXPECT_TRUE(requestsUnattendedRun({"-x", "-Auto"}));
}

TEST(ConsoleFrame, LabelsMessagesAndAnswersOnlyForItsOwnTarget) {
    std::ostringstream errors;
    ConsoleFrame frame(errors);
    frame.message(Severity::Error, "Unable to open file");
    frame.message(Severity::Warning, "careful");
    EXPECT_EQ(errors.str(), "Error: Unable to open file\nWarning: careful\n");
    EXPECT_EQ(frame.errorCount(), 1);

    // Without a target every replace question is answered No; with one, only
    // the questions about replacing that very file get a Yes, whatever their text.
    const auto overwrite = [&](const std::string& path) {
        return frame.confirmOverwrite({QuestionKind::Overwrite, path, "File exists."});
    };
    EXPECT_FALSE(overwrite("/o"));
    frame.setWritableTarget("/o");
    EXPECT_TRUE(overwrite("/o"));
    EXPECT_FALSE(overwrite("/other"));
    EXPECT_FALSE(overwrite("/o.bak"));
    const auto replace = [&](const std::string& path) {
        return frame.askYesNoCancel("Confirm file operation",
                                    {QuestionKind::ReplaceFile, path, "?"});
    };
    EXPECT_EQ(replace("/o"), kAnswerYes);
    EXPECT_EQ(replace("/p"), kAnswerNo);
    // A failed backup or a one-sided entry is never answered Yes without a user.
    EXPECT_EQ(frame.askPermission({QuestionKind::BackupFailed, "/o", "?"}), kAnswerNo);
    EXPECT_EQ(frame.askPermission({QuestionKind::PresentOnly, "/o", "?"}), kAnswerNo);
}

TEST(ConsoleFrame, RunsPostedCommandsInOrderUntilStopped) {
    std::ostringstream errors;
    ConsoleFrame frame(errors);
    std::vector<int> ran;
    bool stop = false;
    frame.setCommandHandler([&](int id) {
        ran.push_back(id);
        if (id == 1)
            frame.postCommand(3); // posted while running: runs after 2
        stop = stop || id == 3;
    });
    frame.postCommand(1);
    frame.postCommand(2);
    frame.runPosted([&] { return stop; });
    frame.postCommand(4);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    frame.sendCommand(5);
    EXPECT_EQ(ran.back(), 5);
}

} // namespace
} // namespace tandel
