#include "frame/command_ids.h"
#include "merge/decisions.h"
#include "merge/driver_test_support.h"
#include "merge/save.h"
#include "merge/side_loader.h"
#include "model_fixture.h"
#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace tandel {
namespace {

using test::installScript;

class Saving : public ::testing::Test {
protected:
    void SetUp() override {
        settings.record.unixFormat = 1;
        ASSERT_EQ(load("left.txt", "same\nleft\n", 1), LoadResult::Loaded);
        ASSERT_EQ(load("right.txt", "same\nright\n", 2), LoadResult::Loaded);
        installScript(model, "2c2\n");
        settings.record.notYetCompared = 0;
        chooseSide(model, frame, 0, 2, false);
    }
    LoadResult load(const std::string& name, const std::string& bytes, int s) {
        return loadSide(model, settings.record, frame, dir.write(name, bytes), s);
    }

    testing_support::TempFolder dir;
    MergeModel model;
    test::FakeFrame frame;
    Settings settings;
};

TEST_F(Saving, SaveAsLeftAsksThenBacksUpAndNamesAtTheFolderLimitGetNoBackup) {
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAsLeft), SaveResult::Saved);
    EXPECT_EQ(frame.questions, std::vector<std::string>{"File " + dir.file("left.txt") +
                                                        " already exists.\nSave anyway ?"});
    EXPECT_EQ(dir.read("left.txt"), "same\nright\n");
    EXPECT_EQ(dir.read("left.txt.bak"), "same\nleft\n");
    // The temporary name cannot be longer than the target's here.
    const std::string name(253, 'n');
    frame.saveAnswers = {dir.file(name), dir.file(name)};
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::Saved);
    // Replacing it needs a backup name that is too long: declined when asked.
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::NotWritten);
    EXPECT_EQ(dir.read(name), "same\nright\n");
    EXPECT_TRUE(frame.shown(Severity::Error).empty());
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"left.txt", "left.txt.bak", name, "right.txt"}));
}

TEST_F(Saving, SaveAsProposesTheSharedBaseName) {
    settings.files.outDir = "/dest";
    ASSERT_EQ(load("config.ini", "same\nleft\n", 1), LoadResult::Loaded);
    ASSERT_EQ(load("b/Config.ini", "same\nright\n", 2), LoadResult::Loaded);
    // Not compared, then unresolved: said before any name is asked for.
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::NotStarted);
    installScript(model, "2c2\n");
    settings.record.notYetCompared = 0;
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::NotStarted);
    EXPECT_TRUE(frame.saveDialogs.empty());
    selectFrom(model, frame, 1);
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::NotStarted); // cancelled
    EXPECT_EQ(frame.saveDialogs.back(),
              (std::pair<std::string, std::string>{"/dest", "/dest/config.ini"}));
    frame.saveAnswers = {dir.file("merged.ini")};
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::Saved);
    EXPECT_EQ(dir.read("merged.ini"), "same\nleft\n");
    EXPECT_EQ(settings.files.outDir, dir.path() + "/");
}

TEST_F(Saving, AnOutfNameNeedsNoDialogAndAModifiedPreviewIsSavedInstead) {
    model.saveName = dir.file("auto.txt");
    model.saveNameFromSwitch = true;
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::Saved);
    EXPECT_TRUE(frame.saveDialogs.empty());
    EXPECT_EQ(dir.read("auto.txt"), "same\nright\n");

    frame.preview = true;
    frame.previewContents = "hand\nedited\n";
    frame.previewDirty = true;
    settings.record.unixFormat = 0;
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAsRight), SaveResult::Saved);
    EXPECT_EQ(dir.read("right.txt"), "hand\r\nedited\r\n");
    EXPECT_EQ(dir.read("right.txt.bak"), "same\nright\n");
}

TEST_F(Saving, DirectoryWalkSavesToThePairOutputAndMovesOn) {
    settings.record.directoryWalk = 1;
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::NotStarted);
    EXPECT_EQ(frame.shown(Severity::Error), std::vector<std::string>{"Error #1"});

    model.pairOutputPath = dir.file("left.txt") + "/cannot";
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::NotWritten);
    EXPECT_EQ(model.side(1).lineCount, 2); // stays on the pair
    EXPECT_TRUE(frame.posted.empty() || frame.posted.back() != cmd::kWalkNext);

    model.pairOutputPath = dir.file("walk.txt");
    EXPECT_EQ(saveResult(model, settings, frame, kSaveAs), SaveResult::Saved);
    EXPECT_EQ(dir.read("walk.txt"), "same\nright\n");
    EXPECT_EQ(model.side(1).lineCount, 0);
    EXPECT_EQ(frame.posted.back(), cmd::kWalkNext);
}

TEST(Backup, OnlyAnOldFileUnderTheBackupNameIsReplaced) {
    testing_support::TempFolder dir;
    FileSystem& files = realFileSystem();
    EXPECT_EQ(makeBackupFile(files, dir.file("absent")), BackupResult::Impossible);
    dir.write("n.txt", "1");
    dir.write("n.txt.bak", "older");
    EXPECT_EQ(makeBackupFile(files, dir.file("n.txt")), BackupResult::Made);
    EXPECT_EQ(dir.read("n.txt.bak"), "1");
    EXPECT_EQ(dir.read("n.txt"), "1"); // the name keeps its file until it is replaced
    // A folder or a pipe under the backup name is the user's.
    dir.write("d.txt", "3");
    ::mkdir(dir.file("d.txt.bak").c_str(), 0755);
    dir.write("p.txt", "4");
    ASSERT_EQ(::mkfifo(dir.file("p.txt.bak").c_str(), 0644), 0);
    EXPECT_EQ(makeBackupFile(files, dir.file("d.txt")), BackupResult::Impossible);
    EXPECT_EQ(makeBackupFile(files, dir.file("p.txt")), BackupResult::Impossible);
    EXPECT_EQ(dir.read("d.txt") + dir.read("p.txt"), "34");
    EXPECT_EQ(kindOf(files, dir.file("p.txt.bak")), FileKind::Pipe);
}

} // namespace
} // namespace tandel
