// The application without a window: the command line, the console frame of
// unattended runs, and the start-up order every run follows.
#include "control/application.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "control/console_frame.h"
#include "control/lifecycle.h"
#include "control/toolbar_flags.h"
#include "control/unattended_run.h"
#include "frame/command_ids.h"
#include "merge/driver_test_support.h"
#include "settings/settings_store.h"
#include "support/failing_file_system.h"

namespace tandel {
namespace {

using testing_support::readFile;
using testing_support::TempFolder;

TEST(Application, CommandLineSetsTheRunModeAndShowsItsError) {
    test::FakeFrame frame;
    Application app(frame);
    EXPECT_EQ(applyCommandLine(app, {"-mandc", "-d1", "/a", "-bogus", "-auto"}),
              CommandLineStatus::Refused);
    EXPECT_TRUE(app.frameState.directoryWindow);
    EXPECT_FALSE(app.frameState.unattended); // the parse stopped before it
    EXPECT_EQ(app.switches.valueOf(kSwitchD1), "/a");
    EXPECT_EQ(frame.shown(Severity::Error), std::vector<std::string>{"Unknown option"});

    EXPECT_TRUE(requestsUnattendedRun({"a", "b", "/AUTO"}));
    EXPECT_FALSE(requestsUnattendedRun({"a", "b", "/auto/x"}));
    EXPECT_FALSE(requestsUnattendedRun({"-x", "a"}));
    // Even after a bad token: a script must never get a window waiting for a user.
    EXPECT_TRUE(requestsUnattendedRun({"-x", "-Auto"}));
}

// A bad command line, or settings that cannot be read (the merge would follow
// the defaults, not what the user stored): nothing is merged, no settings written.
TEST(Application, UnattendedRunStopsOnABadCommandLineOrUnreadableSettings) {
    for (const int run : {0, 1, 2}) {
        SCOPED_TRACE(run);
        TempFolder folder;
        const std::string ini = run == 2 ? folder.file("tandel.ini")
                                         : folder.write("tandel.ini", "[Options]\nUnix format=0\n");
        testing::FailingFileSystem files;
        if (run == 0)
            files.fail(testing::FileOp::Read, "tandel.ini", EACCES);
        const std::string a = folder.write("a.txt", "x\n");
        const std::string b = folder.write("b.txt", "y\n");
        std::vector<std::string> words = {"-auto", "-f1", a, "-f2", b, "-outf", folder.file("out")};
        if (run != 0)
            words.insert(words.begin() + 1, "-bogus");
        std::ostringstream errors;
        EXPECT_EQ(runUnattended(words, errors, ini, files), kUnattendedFailure);
        EXPECT_EQ(errors.str(), run != 0 ? "Error: Unknown option\n"
                                         : "Error: The settings file " + ini +
                                               " cannot be read: Permission denied. Nothing is "
                                               "merged, as the result would not follow the stored "
                                               "settings.\n");
        EXPECT_FALSE(std::filesystem::exists(folder.file("out")));
        if (run == 2)
            EXPECT_FALSE(std::filesystem::exists(ini));
        else
            EXPECT_EQ(folder.read("tandel.ini"), "[Options]\nUnix format=0\n");
    }
}

TEST(ConsoleFrame, LabelsMessagesAndAnswersOnlyForItsOwnTarget) {
    std::ostringstream errors;
    ConsoleFrame frame(errors);
    frame.message(Severity::Error, "Unable to open file");
    frame.message(Severity::Warning, "careful");
    EXPECT_EQ(errors.str(), "Error: Unable to open file\nWarning: careful\n");
    EXPECT_EQ(frame.errorCount(), 1);

    // Only questions about replacing its own target get a Yes.
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
    EXPECT_EQ(replace("/o"), Answer::Yes);
    EXPECT_EQ(replace("/p"), Answer::No);
    // A failed backup or a one-sided entry is never answered Yes without a user.
    EXPECT_EQ(frame.askPermission({QuestionKind::BackupFailed, "/o", "?"}), Answer::No);
    EXPECT_EQ(frame.askPermission({QuestionKind::PresentOnly, "/o", "?"}), Answer::No);
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

struct Lifecycle : ::testing::Test {
    TempFolder folder;
    test::FakeFrame frame;
    Application app{frame};
    SettingsStore store{folder.file("tandel.ini")};
};

TEST_F(Lifecycle, StartUpReadsTheSettingsUnderTheSwitchesAndLoadsTheNamedFiles) {
    folder.write("tandel.ini", "[Options]\nTab size=4\nIgnore comments=1\n[Files]\n"
                               "Dir name 1=/remembered\n[Font]\nTitle Font name=Serif\n");
    const std::string a = folder.write("a.txt", "one\ntwo\n");
    const std::string b = folder.write("b.txt", "one\n2\n");
    ASSERT_EQ(readStartupSettings(app, store, {a, b, "-outf", "/tmp/merged"}),
              StartupResult::Ready);
    EXPECT_EQ(app.settings.record.tabSize, 4);
    EXPECT_EQ(app.settings.record.notYetCompared, 1);
    EXPECT_EQ(app.settings.files.dirName1, ""); // `f1` empties it for this run
    EXPECT_EQ(app.settings.titleFont.faceName, "Serif");
    EXPECT_EQ(app.compare.ignoreComments, 1);
    EXPECT_EQ(app.model.saveName, "/tmp/merged");
    EXPECT_TRUE(app.model.saveNameFromSwitch);

    openStartupFiles(app);
    EXPECT_EQ(app.model.side(1).fileName, a);
    EXPECT_EQ(app.model.side(2).fileName, b);
    EXPECT_EQ(frame.posted, std::vector<int>{cmd::kCompareFiles});
    EXPECT_TRUE(frame.messages.empty());
}

TEST_F(Lifecycle, ParseErrorsAndMissingFilesAreShownAndStartUpGoesOn) {
    const std::string missing = folder.file("missing.txt");
    EXPECT_EQ(readStartupSettings(app, store, {missing, "-nosuch", "b"}),
              StartupResult::CommandLineRefused);
    openStartupFiles(app);
    EXPECT_EQ(frame.shown(Severity::Error),
              (std::vector<std::string>{"Unknown option", "Unable to open file " + missing}));
    EXPECT_TRUE(frame.posted.empty());
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(Lifecycle, SettingsThatCannotBeReadAreSaidOnceAndNeverWrittenOver) {
    const std::string ini = folder.write("tandel.ini", "[Options]\nUnix format=0\n");
    testing::FailingFileSystem files;
    files.fail(testing::FileOp::Read, "tandel.ini", EACCES);
    SettingsStore unreadable(ini, files);
    EXPECT_EQ(readStartupSettings(app, unreadable, {}), StartupResult::SettingsUnreadable);
    EXPECT_EQ(app.settings.record.unixFormat, 1);
    EXPECT_EQ(frame.shown(Severity::Warning),
              std::vector<std::string>{"The settings file " + ini +
                                       " cannot be read: Permission denied. The default settings "
                                       "are used, and the file is left as it is."});
    // Readable by the end or not, it keeps the user's settings, not the defaults.
    app.settings.record.contextLines = 7;
    EXPECT_EQ(writeShutdownSettings(app, unreadable), SettingsWrite::NotWritten);
    files.clear();
    EXPECT_EQ(writeShutdownSettings(app, unreadable), SettingsWrite::NotWritten);
    EXPECT_EQ(frame.messages.size(), 1u);
    EXPECT_EQ(readFile(ini), "[Options]\nUnix format=0\n");
}

} // namespace
} // namespace tandel
