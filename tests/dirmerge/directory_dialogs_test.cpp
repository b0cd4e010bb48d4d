// What the directory selection and filter dialogs do to the settings, and
// the directory lists' widths and scrolling, without widgets.
#include "dirmerge/directory_selection.h"
#include "dirmerge/filter_lists.h"
#include "dirmerge/list_geometry.h"
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
    EXPECT_EQ(frame.questions,
              (std::vector<std::string>{"Directory " + form.dir1 + " does not exist.\nCreate it?",
                                        "Directory " + form.dir1 + " does not exist.\nCreate it?",
                                        "Directory " + form.other + " does not exist.\nCreate it?"}));
    EXPECT_TRUE(std::filesystem::is_directory(form.dir1));
    EXPECT_TRUE(std::filesystem::is_directory(form.other));
    EXPECT_EQ(chosen.dir1, form.dir1);
    EXPECT_EQ(chosen.destination, form.other);
    EXPECT_TRUE(chosen.showDirectories);
    EXPECT_EQ(settings.files.selectDir1, form.dir1);
    EXPECT_EQ(settings.files.selectOutdir, form.other);
    EXPECT_EQ(settings.geometry.outDirUIType, kToOther);
    EXPECT_TRUE(frame.messages.empty());
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

TEST(DestinationChoice, DamagedValuesReadAsOther) {
    EXPECT_EQ(destinationChoiceOf(0), kToDirectory1);
    EXPECT_EQ(destinationChoiceOf(1), kToDirectory2);
    EXPECT_EQ(destinationChoiceOf(2), kToOther);
    EXPECT_EQ(destinationChoiceOf(-7), kToOther);
    EXPECT_EQ(destinationChoiceOf(1 << 30), kToOther);
}

TEST(FilterLists, AddIgnoresEmptyAndCaseTwinsDeleteNeedsASelection) {
    std::vector<std::string> patterns = {"*.c"};
    EXPECT_FALSE(addPattern(patterns, "*.C"));
    EXPECT_FALSE(addPattern(patterns, ""));
    EXPECT_TRUE(addPattern(patterns, "*.h"));
    EXPECT_EQ(patterns, (std::vector<std::string>{"*.c", "*.h"}));
    EXPECT_FALSE(removeEntry(patterns, -1));
    EXPECT_FALSE(removeEntry(patterns, 2));
    EXPECT_TRUE(removeEntry(patterns, 0));
    EXPECT_EQ(patterns, (std::vector<std::string>{"*.h"}));
}

TEST(FilterLists, FileTypesRoundTripThroughTheSettingsLists) {
    StringLists lists;
    lists.fileFilters = {"*.c", "*.h", "orphan"};
    lists.fileDescriptions = {"C", "Headers"};
    std::vector<FileType> types = fileTypesOf(lists);
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(fileTypeLine(types[1]), "Headers (*.h)");
    EXPECT_FALSE(addFileType(types, {"*.txt", ""}));
    EXPECT_FALSE(addFileType(types, {"", "Text"}));
    EXPECT_TRUE(addFileType(types, {"*.c", "C again"})); // a pattern may come twice
    storeFileTypes(lists, types);
    EXPECT_EQ(lists.fileFilters, (std::vector<std::string>{"*.c", "*.h", "*.c"}));
    EXPECT_EQ(lists.fileDescriptions, (std::vector<std::string>{"C", "Headers", "C again"}));
}

TEST(ListGeometry, ColumnWidthsFromTheSettings) {
    Geometry g;
    EXPECT_EQ(startColumnWidths(g, 1, 1600), (ListColumnWidths{800 - 130 - 80 - 80, 130, 80, 80}));
    EXPECT_EQ(fillerWidth(1600, startColumnWidths(g, 1, 1600)), 2);
    // A narrow window still shows the names.
    EXPECT_EQ(startColumnWidths(g, 1, 800).name, kDefaultNameMinimum);
    EXPECT_EQ(fillerWidth(800, startColumnWidths(g, 1, 800)), 0);
    g.pathSize2 = 300;
    g.timeSize2 = 90;
    g.sizeSize2 = 60;
    g.stateSize2 = 70;
    EXPECT_EQ(startColumnWidths(g, 2, 800), (ListColumnWidths{300, 90, 60, 70}));
    // What a damaged file may hold never gives a negative or endless column.
    g.pathSize1 = -500;
    g.timeSize1 = 2'000'000'000;
    g.sizeSize1 = -3;
    const ListColumnWidths held = startColumnWidths(g, 1, 800);
    EXPECT_EQ(held.name, kDefaultNameMinimum);
    EXPECT_LE(held.date, 100000);
    EXPECT_EQ(held.size, 0);
    recordColumnWidths(g, 1, {222, 111, 55, 66});
    EXPECT_EQ(g.pathSize1, 222);
    EXPECT_EQ(g.timeSize1, 111);
    EXPECT_EQ(g.sizeSize1, 55);
    EXPECT_EQ(g.stateSize1, 66);
    EXPECT_EQ(g.pathSize2, 300);
}

TEST(ListGeometry, RevealedRowBecomesTheTopWhereTheListIsLongEnough) {
    // 100 rows, 10 to a page.
    EXPECT_EQ(topRevealing(50, 70, 10, 100), 70); // below the view
    EXPECT_EQ(topRevealing(50, 20, 10, 100), 20); // above it
    EXPECT_EQ(topRevealing(50, 55, 10, 100), 55); // in view
    EXPECT_EQ(topRevealing(50, 95, 10, 100), 90); // near the end: the last page
    EXPECT_EQ(topRevealing(0, 3, 10, 5), 0);      // shorter than a page
    EXPECT_EQ(topRevealing(7, 0, 10, 0), 0);
    EXPECT_EQ(topAfterEnsureVisible(50, 75, 10, 100), 66);
}

TEST(ListGeometry, KeysScrollByPageRowAndToTheEnds) {
    EXPECT_EQ(topAfterKey(PaneKey::PageDown, 20, 10, 100), 30);
    EXPECT_EQ(topAfterKey(PaneKey::PageUp, 20, 10, 100), 10);
    EXPECT_EQ(topAfterKey(PaneKey::PageUp, 5, 10, 100), 0);
    EXPECT_EQ(topAfterKey(PaneKey::Down, 20, 10, 100), 21);
    EXPECT_EQ(topAfterKey(PaneKey::Up, 0, 10, 100), 0);
    EXPECT_EQ(topAfterKey(PaneKey::Home, 20, 10, 100), 0);
    EXPECT_EQ(topAfterKey(PaneKey::End, 20, 10, 100), 90);
    EXPECT_EQ(topAfterKey(PaneKey::PageDown, 85, 10, 100), 90);
    EXPECT_EQ(topAfterKey(PaneKey::End, 0, 0, 3), 2); // a page of no rows counts as one
    EXPECT_EQ(topAfterKey(PaneKey::Left, 20, 10, 100), 20);
}

} // namespace
} // namespace tandel
