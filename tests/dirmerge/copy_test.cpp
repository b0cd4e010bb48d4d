// Copies of files, links and folders, what they ask and how they fail, and
// the folders the directory selection makes.
#include "dirmerge/copy_path.h"
#include "dirmerge/destination_copy.h"
#include "dirmerge/directory_selection.h"
#include "dirmerge/ensure_directory.h"
#include "merge/driver_test_support.h"
#include "merge/save.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace tandel {
namespace {

using testing::FileOp;
using testing_support::readFile;
using testing_support::TempFolder;

// Every file below `folder` with what it holds, and every folder as "/".
std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string rel = entry.path().string().substr(folder.size());
        found[rel] = entry.is_directory() ? "/" : readFile(entry.path().string());
    }
    return found;
}

struct CopyFixture : ::testing::Test {
    TempFolder tree;
    test::FakeFrame frame;
    ToAllAnswers answers;
    testing::FailingFileSystem files;
    CopyServices services{frame, answers,
                          [this](const std::string& p) { return makeBackupFile(files, p); }, files};

    std::string p(const std::string& rel) const { return tree.file(rel); }
    std::string read(const std::string& rel) const { return readFile(p(rel)); }
    bool has(const std::string& rel) const { return std::filesystem::exists(p(rel)); }
    CopyResult copy(const std::string& from, const std::string& to) {
        return copyPath(services, p(from), p(to), answers.replace);
    }
    // s/<name> holds "new <name>", t/<name> holds "old".
    void pairs(std::initializer_list<const char*> names) const {
        for (const char* n : names) {
            tree.write(std::string("s/") + n, std::string("new ") + n);
            tree.write(std::string("t/") + n, "old");
        }
    }
};

TEST_F(CopyFixture, NewFileKeepsBytesAndTimes) {
    const std::string text("line\r\nno final newline\0with nul", 31);
    tree.write("src/a.txt", text, 123456);
    ASSERT_EQ(copy("src/a.txt", "dst/a.txt"), CopyResult::Failed); // no such folder: shown, failed
    EXPECT_EQ(frame.shown(Severity::Error).size(), 1u);
    tree.mkdir("dst");
    ASSERT_EQ(copy("src/a.txt", "dst/a.txt"), CopyResult::Done);
    EXPECT_EQ(read("dst/a.txt"), text);
    struct stat st {};
    ::stat(p("dst/a.txt").c_str(), &st);
    EXPECT_EQ(st.st_mtime, 123456);
}

TEST_F(CopyFixture, ReplaceAnswersHoldAndCancelPostsTheRequest) {
    pairs({"a", "b", "c", "d"});
    frame.permissionAnswers = {Answer::No, Answer::NoToAll};
    for (const char* n : {"a", "b", "c"}) // c silently skipped
        EXPECT_EQ(copy(std::string("s/") + n, std::string("t/") + n), CopyResult::Done);
    EXPECT_EQ(frame.questions.size(), 2u);
    EXPECT_EQ(frame.questions[0], "Destination file " + p("t/a") +
                                      " already exists.\nReplace it with " + p("s/a") + " ?");
    EXPECT_EQ(read("t/c"), "old");
    tree.write("s/new", "fresh");
    EXPECT_EQ(copy("s/new", "t/new"), CopyResult::Done); // new files still go
    EXPECT_EQ(read("t/new"), "fresh");

    answers.resetForOperation();
    frame.permissionAnswers = {Answer::Cancel, Answer::YesToAll};
    EXPECT_EQ(copy("s/a", "t/a"), CopyResult::Done);
    EXPECT_EQ(frame.posted, (std::vector<int>{cmd::kWalkCancel}));
    EXPECT_EQ(copy("s/b", "t/b"), CopyResult::Done);
    EXPECT_EQ(copy("s/c", "t/c"), CopyResult::Done);
    EXPECT_EQ(read("t/c"), "new c");
    EXPECT_EQ(read("t/c.bak"), "old");
    EXPECT_EQ(frame.questions.size(), 4u);

    // A caller's own answer variable set to the message-box form.
    int own = kAskWithMessageBox;
    frame.yesNoCancelAnswers = {Answer::Yes};
    EXPECT_EQ(copyPath(services, p("s/d"), p("t/d"), own), CopyResult::Done);
    EXPECT_EQ(read("t/d"), "new d");
}

TEST_F(CopyFixture, FailedBackupAsksAndItsAnswerOutlivesTheOperation) {
    pairs({"a"});
    services.makeBackup = [](const std::string&) { return BackupResult::Impossible; };
    answers.replace = kYesToAll;
    frame.permissionAnswers = {Answer::No};
    EXPECT_EQ(copy("s/a", "t/a"), CopyResult::Done);
    EXPECT_EQ(read("t/a"), "old");
    ASSERT_EQ(frame.questions.size(), 1u);
    EXPECT_EQ(frame.questions[0], "Unable to back up " + p("t/a") +
                                      ".\nWould you like to proceed with overriding this file?");
    frame.permissionAnswers = {Answer::YesToAll};
    EXPECT_EQ(copy("s/a", "t/a"), CopyResult::Done);
    answers.resetForOperation();
    answers.replace = kYesToAll;
    tree.write("t/a", "old again");
    EXPECT_EQ(copy("s/a", "t/a"), CopyResult::Done);
    EXPECT_EQ(read("t/a"), "new a");
    EXPECT_EQ(frame.questions.size(), 2u);

    answers.backupFailure = kAskWithDialog;
    frame.permissionAnswers = {Answer::Cancel};
    EXPECT_EQ(copy("s/a", "t/a"), CopyResult::Failed);
    EXPECT_EQ(frame.posted, (std::vector<int>{cmd::kWalkCancel}));
}

// Whatever step fails, the copy names the source and the destination stays as it was.
TEST_F(CopyFixture, AFailedCopyLeavesTheDestinationAsItWas) {
    struct Case {
        FileOp op;
        const char* failing; // part of the path that fails
        int skip;            // calls that still succeed first
        int error;
        bool folderOverFile = false; // t/sub is a file that s/sub replaces
    };
    const Case cases[] = {
        {FileOp::Read, "s/sub/b", 0, EACCES},   // opening the source
        {FileOp::Read, "s/sub/b", 3, EIO},      // its third piece
        {FileOp::Open, "t/sub/b", 0, EROFS},    // the new file beside the old
        {FileOp::Write, "t/sub/b", 1, ENOSPC},  // its second piece
        {FileOp::Finish, "t/sub/b", 0, EDQUOT}, // its final flush
        {FileOp::Commit, "t/sub/b", 0, EIO},    // putting it in place
        {FileOp::MakeFolder, "t/sub", 0, EACCES, true},
    };
    const std::string big(200000, 'n'); // several pieces
    int n = 0;
    for (const bool backup : {true, false}) {
        for (const Case& c : cases) {
            const std::string at = "case" + std::to_string(n++) + "/";
            tree.write(at + "s/sub/b", big);
            tree.write(at + "t/other", "kept");
            tree.write(at + (c.folderOverFile ? "t/sub" : "t/sub/b"), "old");
            const auto before = snapshot(p(at + "t"));
            if (!backup)
                services.makeBackup = nullptr;
            answers.replace = kYesToAll;
            answers.backupFailure = kYesToAll;
            files.clear();
            files.fail(c.op, at + c.failing, c.error, c.skip);
            const std::string what = c.op == FileOp::MakeFolder
                                         ? "can not create directory " + p(at + "t/sub")
                                         : "Can not copy " + p(at + "s/sub/b");
            SCOPED_TRACE(at + what);
            EXPECT_EQ(copy(at + "s", at + "t"), CopyResult::Failed);
            EXPECT_EQ(frame.messages.back(),
                      std::make_pair(Severity::Error, what + ": " + std::strerror(c.error)));
            EXPECT_EQ(snapshot(p(at + "t")), before);
        }
    }
    EXPECT_EQ(frame.messages.size(), 2 * std::size(cases));
}

// Only a folder taking a file's place empties its name; a failed restore names the backup.
TEST_F(CopyFixture, AReplacedFileKeepsItsNameAndAFailedRestoreNamesTheBackup) {
    pairs({"a", "b"});
    answers.replace = kYesToAll;
    files.fail(FileOp::Commit, "t/a", EIO);
    EXPECT_EQ(copy("s/a", "t/a"), CopyResult::Failed);
    EXPECT_EQ(read("t/a"), "old");
    EXPECT_FALSE(has("t/a.bak"));
    files.clear();
    files.fail(FileOp::LinkFile, "t/b", EPERM);
    EXPECT_EQ(copy("s/b", "t/b"), CopyResult::Done);
    EXPECT_EQ(read("t/b") + "|" + read("t/b.bak"), "new b|old");

    tree.write("s/c/inner", "x");
    tree.write("t/c", "old c");
    files.clear();
    files.fail(FileOp::MakeFolder, "t/c", EACCES);
    files.fail(FileOp::Rename, "t/c.bak", EXDEV);
    EXPECT_EQ(copy("s/c", "t/c"), CopyResult::Failed);
    const std::string kept = "The file it was to replace is kept as " + p("t/c.bak");
    EXPECT_EQ(frame.messages.back().second, "can not create directory " + p("t/c") +
                                                ": Permission denied\n" + kept +
                                                ": Invalid cross-device link");
    EXPECT_EQ(read("t/c.bak"), "old c");
}

TEST_F(CopyFixture, CopiesKeepTheModeOfWhatTheyReplaceElseTheirSources) {
    const auto mode = [&](const std::string& rel) {
        struct stat st {};
        return ::stat(p(rel).c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };
    pairs({"run.sh", "secret", "x.BAK"});
    ::chmod(p("s/run.sh").c_str(), 0755);
    ::chmod(p("t/secret").c_str(), 0600);
    answers.replace = kYesToAll;
    tree.mkdir("new");
    EXPECT_EQ(copy("s/run.sh", "new/run.sh"), CopyResult::Done);
    EXPECT_EQ(mode("new/run.sh"), 0755u);
    for (const char* name : {"secret", "x.BAK"})
        EXPECT_EQ(copy(std::string("s/") + name, std::string("t/") + name), CopyResult::Done);
    EXPECT_EQ(read("t/secret") + "|" + read("t/secret.bak"), "new secret|old");
    EXPECT_EQ(mode("t/secret"), 0600u);
    EXPECT_EQ(read("t/x.BAK"), "new x.BAK");
    EXPECT_FALSE(has("t/x.BAK.bak"));
}

TEST_F(CopyFixture, DirectoriesMergeAndFilesAndDirectoriesReplaceEachOther) {
    tree.write("s/a", "new a");
    tree.write("s/sub/b", "new b");
    tree.write("t/a", "old a");
    tree.write("t/other", "kept");
    frame.permissionAnswers = {Answer::Yes};
    EXPECT_EQ(copy("s/", "t"), CopyResult::Done);
    EXPECT_EQ(frame.questions.size(), 1u); // only the file present in both
    EXPECT_EQ(read("t/a"), "new a");
    EXPECT_EQ(read("t/sub/b"), "new b");
    EXPECT_EQ(read("t/other"), "kept");

    tree.write("f/sub", "a file named like the folder");
    EXPECT_EQ(copy("f/sub", "t"), CopyResult::Failed);
    EXPECT_EQ(frame.messages.back().second,
              p("t/sub") + ": cannot overwrite directory with non-directory");

    // A directory over a file replaces it after a backup, without asking.
    tree.write("t/d", "a file");
    tree.write("s/d/x", "x");
    EXPECT_EQ(copy("s/d", "t/d"), CopyResult::Done);
    EXPECT_EQ(frame.questions.size(), 1u);
    EXPECT_EQ(read("t/d/x"), "x");
    EXPECT_EQ(read("t/d.bak"), "a file");
}

TEST_F(CopyFixture, ACopyOntoItselfOrIntoItsOwnSubtreeEnds) {
    tree.write("s/a", "a");
    tree.write("s/b/c", "c");
    EXPECT_EQ(copy("s/a", "s/../s/a"), CopyResult::Done);
    EXPECT_EQ(copy("s/a", "s"), CopyResult::Done); // into its own folder
    EXPECT_TRUE(frame.questions.empty());
    EXPECT_EQ(read("s/a"), "a");
    EXPECT_EQ(copy("s", "s/b/inner"), CopyResult::Done);
    EXPECT_EQ(read("s/b/inner/a"), "a");
    EXPECT_EQ(read("s/b/inner/b/c"), "c");
    EXPECT_FALSE(has("s/b/inner/b/inner"));
}

TEST_F(CopyFixture, EnsureDirectoryCreatesEveryLevelOrExplains) {
    EXPECT_TRUE(ensureDirectory(files, frame, p("a/b/c/d")));
    EXPECT_TRUE(has("a/b/c/d"));
    const std::string file = tree.write("file", "x");
    EXPECT_FALSE(ensureDirectory(files, frame, file + "/below"));
    EXPECT_EQ(frame.messages.back().second, file + " is not a directory");
    files.fail(FileOp::MakeFolder, "/e/f", ENOSPC);
    EXPECT_FALSE(ensureDirectory(files, frame, p("e/f/g")));
    EXPECT_EQ(frame.messages.back().second,
              "Unable to create directory " + p("e/f") + ": No space left on device");
    files.fail(FileOp::Status, "/locked", EACCES);
    EXPECT_FALSE(ensureDirectory(files, frame, p("locked")));
    EXPECT_EQ(frame.messages.back().second, "Cannot read " + p("locked") + ": Permission denied");
    EXPECT_EQ(frame.shown(Severity::Error).size(), 3u);
}

// Copy to Destination: foreign items are skipped, failures fail only their own rows.
TEST_F(CopyFixture, CopyToDestinationSkipsForeignItemsAndFailsOnlyTheirOwnRows) {
    DirectoryOperationState state;
    state.filters.files = &files;
    DirMergeServices dirServices;
    dirServices.makeBackup = services.makeBackup;
    DirMergeContext ctx{state, frame, dirServices};
    using Outcomes = std::vector<CopyOutcome>;
    const auto copyRows = [&](const std::vector<std::string>& paths, OperationCount& count) {
        return copySelectedRows(ctx, paths, p("two"), p("out"), count);
    };
    tree.write("elsewhere/two/g.txt", "g");
    const std::vector<std::string> some = {"", tree.write("two/deep/f.txt", "f"),
                                           p("elsewhere/two/g.txt")};
    OperationCount count;
    frame.overwriteAnswers = {false}; // "out" is not made
    EXPECT_EQ(copyRows(some, count), Outcomes(3, CopyOutcome::Skipped));
    EXPECT_FALSE(has("out"));
    EXPECT_EQ(copyRows(some, count),
              (Outcomes{CopyOutcome::Skipped, CopyOutcome::Copied, CopyOutcome::Skipped}));
    EXPECT_EQ(read("out/deep/f.txt"), "f");
    EXPECT_EQ(count.copySummary(), "1 copied, 5 skipped, 0 failed");
    EXPECT_TRUE(frame.messages.empty());

    state.answers.replace = kYesToAll;
    const std::vector<std::string> more = {tree.write("two/a.txt", "new a"),
                                           tree.write("two/new/b.txt", "b"),
                                           tree.write("two/c.txt", "c")};
    tree.write("out/a.txt", "old a");
    files.fail(FileOp::Finish, "out/a.txt", ENOSPC);
    files.fail(FileOp::MakeFolder, "out/new", EACCES);
    OperationCount failing;
    EXPECT_EQ(copyRows(more, failing),
              (Outcomes{CopyOutcome::Failed, CopyOutcome::Failed, CopyOutcome::Copied}));
    EXPECT_EQ(frame.shown(Severity::Error),
              (std::vector<std::string>{"Can not copy " + more[0] + ": No space left on device",
                                        "Unable to create directory " + p("out/new") +
                                            ": Permission denied"}));
    EXPECT_EQ(snapshot(p("out")),
              (std::map<std::string, std::string>{
                  {"/a.txt", "old a"}, {"/c.txt", "c"}, {"/deep", "/"}, {"/deep/f.txt", "f"}}));
    EXPECT_EQ(failing.copySummary(), "1 copied, 0 skipped, 2 failed");
}

// "Select directories to merge": what its OK does to the settings and folders.
struct Selection : CopyFixture {
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
    EXPECT_EQ(settings.files.selectOutdir, form.other);
}

// Why a folder cannot be made is ensureDirectory's to say (tested above).
TEST_F(Selection, AFolderThatCannotBeMadeKeepsTheDialogOpen) {
    form.other = tree.file("denied/out");
    files.fail(testing::FileOp::MakeFolder, "denied", EACCES);
    EXPECT_FALSE(ok());
    EXPECT_EQ(frame.shown(Severity::Error).size(), 1u);
    EXPECT_EQ(settings.files.selectOutdir, form.other); // remembered even so
    form.other.clear();
    EXPECT_FALSE(ok());
    EXPECT_EQ(frame.messages.back().second, "Enter a folder for the destination");
}

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
