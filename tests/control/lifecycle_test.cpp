// The start-up and shut-down order every run follows, and the toolbar's
// three flags, without any window.
#include "control/lifecycle.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "control/application.h"
#include "control/toolbar_flags.h"
#include "frame/command_ids.h"
#include "merge/driver_test_support.h"
#include "settings/settings_store.h"
#include "support/failing_file_system.h"

namespace tandel {
namespace {

using testing_support::DispatchingFrame;
using testing_support::readFile;
using testing_support::TempFolder;

struct Lifecycle : ::testing::Test {
    TempFolder folder;
    DispatchingFrame frame;
    Application app{frame};
    SettingsStore store{folder.file("tandel.ini")};
};

TEST_F(Lifecycle, StartUpReadsTheSettingsUnderTheSwitchesAndLoadsTheNamedFiles) {
    folder.write("tandel.ini", "[Options]\nTab size=4\nIgnore comments=1\n[Files]\n"
                               "Dir name 1=/remembered\nOut dir=/out\n[Font]\nFont name=Mono\n"
                               "Title Font name=Serif\n");
    const std::string a = folder.write("a.txt", "one\ntwo\n");
    const std::string b = folder.write("b.txt", "one\n2\n");
    ASSERT_EQ(readStartupSettings(app, store, {a, b, "-outf", "/tmp/merged"}),
              StartupResult::Ready);
    EXPECT_EQ(app.settings.record.tabSize, 4);
    EXPECT_EQ(app.settings.record.notYetCompared, 1);
    EXPECT_EQ(app.settings.files.dirName1, ""); // `f1` empties it for this run
    EXPECT_EQ(app.settings.files.outDir, "/out");
    EXPECT_EQ(app.settings.textFont.faceName, "Mono");
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

// A window goes on with the defaults after one warning, and never writes
// over the file it could not read, even once it can.
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
    EXPECT_EQ(writeShutdownSettings(app, unreadable), -1);
    files.clear();
    EXPECT_EQ(writeShutdownSettings(app, unreadable), -1);
    EXPECT_EQ(frame.messages.size(), 1u);
    EXPECT_EQ(readFile(ini), "[Options]\nUnix format=0\n");
}

} // namespace
} // namespace tandel
