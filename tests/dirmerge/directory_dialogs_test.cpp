// What the directory selection dialog does to the settings and the folders.
#include "dirmerge/directory_selection.h"
#include "merge/driver_test_support.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <unistd.h>

namespace tandel {
namespace {

using testing_support::TempFolder;

struct Selection : ::testing::Test {
    TempFolder tree;
    test::FakeFrame frame;
    testing::FailingFileSystem files;
    Settings settings;
    DirectorySelection chosen;
    SelectionForm form{tree.mkdir("one"), tree.mkdir("two"), tree.file("out"), kToOther, true};

    bool ok() { return confirmSelection(files, frame, form, settings, chosen); }
};

TEST_F(Selection, MissingFoldersAreCreatedWithTheirParentsAfterAYesAndRemembered) {
    form.dir1 = tree.file("new/deep/one");
    frame.overwriteAnswers = {false};
    EXPECT_FALSE(ok());
    EXPECT_FALSE(std::filesystem::exists(tree.file("new")));
    EXPECT_EQ(settings.files.selectDir1, form.dir1);
    EXPECT_TRUE(frame.messages.empty()); // the No says it all
    ASSERT_TRUE(ok());
    EXPECT_EQ(frame.questions, (std::vector<std::string>{
                                   "Directory " + form.dir1 + " does not exist.\nCreate it?",
                                   "Directory " + form.dir1 + " does not exist.\nCreate it?",
                                   "Directory " + form.other + " does not exist.\nCreate it?"}));
    EXPECT_TRUE(std::filesystem::is_directory(form.dir1));
    EXPECT_TRUE(std::filesystem::is_directory(form.other));
    EXPECT_EQ(chosen.dir1, form.dir1);
    EXPECT_EQ(chosen.destination, form.other);
    EXPECT_TRUE(chosen.showDirectories);
    EXPECT_EQ(settings.files.selectOutdir, form.other);
    EXPECT_EQ(settings.geometry.outDirUIType, kToOther);
}

TEST_F(Selection, DestinationFollowsTheChosenDirectoryWithoutAQuestion) {
    form.choice = kToDirectory2;
    ASSERT_TRUE(ok());
    EXPECT_TRUE(frame.questions.empty());
    EXPECT_EQ(chosen.destination, form.dir2);
    EXPECT_EQ(settings.geometry.outDirUIType, 1);
    EXPECT_FALSE(std::filesystem::exists(form.other)); // the "Other:" text is not used
    form.choice = kToDirectory1;
    ASSERT_TRUE(ok());
    EXPECT_EQ(settings.files.selectOutdir, form.dir1);
}

TEST_F(Selection, AFolderThatCannotBeMadeKeepsTheDialogOpen) {
    const std::string file = tree.write("plain", "x");
    form.dir2 = file;
    EXPECT_FALSE(ok());
    ASSERT_EQ(frame.messages.size(), 1u);
    EXPECT_EQ(frame.messages[0].second, file + " is not a directory");
    EXPECT_EQ(settings.files.selectDir2, file); // remembered even so
    EXPECT_TRUE(settings.files.selectOutdir.empty());

    form.dir2 = tree.file("two");
    form.other = file + "/below/deeper";
    EXPECT_FALSE(ok());
    EXPECT_EQ(frame.messages.back().second, file + " is not a directory");
    EXPECT_TRUE(frame.questions.empty()); // said before anything is asked

    form.other = tree.file("denied/out");
    files.fail(testing::FileOp::MakeFolder, "denied", EACCES);
    EXPECT_FALSE(ok());
    EXPECT_EQ(frame.messages.back().second,
              "Unable to create directory " + tree.file("denied") + ": Permission denied");

    form.other.clear();
    EXPECT_FALSE(ok());
    EXPECT_EQ(frame.messages.back().second, "Enter a folder for the destination");
}

// However it is spelled: a link to Directory 2, a ".." through a folder
// still to be made. The same folder as a directory is the merge in place.
TEST_F(Selection, ADestinationInsideEitherDirectoryIsRefusedBeforeItIsMade) {
    const auto refusal = [&](const std::string& name, const std::string& dir) {
        return "The destination " + form.other + " lies inside " + name + " " + dir +
               ".\nChoose a destination outside both directories.";
    };
    ASSERT_EQ(::symlink(form.dir2.c_str(), tree.file("alias").c_str()), 0);
    const std::string spellings[] = {form.dir1 + "/out", tree.file("alias//deep/out"),
                                     tree.file("new/../one/out")};
    for (const std::string& other : spellings) {
        form.other = other;
        EXPECT_FALSE(ok()) << other;
        EXPECT_EQ(frame.messages.back().second,
                  refusal(other == spellings[1] ? "Directory 2" : "Directory 1",
                          other == spellings[1] ? form.dir2 : form.dir1));
    }
    EXPECT_EQ(frame.messages.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(form.dir1 + "/out"));
    EXPECT_FALSE(std::filesystem::exists(form.dir2 + "/deep"));
    EXPECT_FALSE(std::filesystem::exists(tree.file("new")));

    form.other = tree.file("alias");
    EXPECT_TRUE(ok());
    form.other = tree.file("one2");
    EXPECT_TRUE(ok());
}

// Typed or browsed to, Directory 1 was not chosen as Directory 1: merging
// into it, which replaces its files, is asked first.
TEST_F(Selection, AnOtherFolderThatIsADirectoryItselfIsAskedAbout) {
    ASSERT_EQ(::symlink(form.dir1.c_str(), tree.file("alias").c_str()), 0);
    form.other = tree.file("alias/");
    frame.overwriteAnswers = {false};
    EXPECT_FALSE(ok());
    EXPECT_EQ(frame.kinds, std::vector<QuestionKind>{QuestionKind::MergeInPlace});
    EXPECT_EQ(frame.questions.back(), "The destination " + tree.file("alias/") +
                                          " is Directory 1 itself: merged files replace its "
                                          "own.\nMerge into Directory 1?");
    ASSERT_TRUE(ok());
    EXPECT_EQ(chosen.destination, tree.file("alias/"));
}

} // namespace
} // namespace tandel
