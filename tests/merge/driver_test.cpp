#include "merge/comparison_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "merge/application.h"
#include "merge/command_ids.h"
#include "merge/dispatcher.h"
#include "merge/driver_test_support.h"
#include "merge/side_loader.h"
#include "merge/temp_result_file.h"

namespace tandel {
namespace {

using testing_support::readFile;
using testing_support::DispatchingFrame;
using testing_support::TempFolder;
using testing_support::writeFile;
using Args = std::vector<std::string>;

// Points TMP (and TMPDIR) somewhere for one test and puts them back after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(EngineArguments, FollowTheSpaceCommentAndTableSettings) {
    const auto build = [](bool compress, bool all, bool comments, bool table) {
        return buildEngineArguments({compress, all, comments, table}, "T", "one", "two");
    };
    EXPECT_EQ(build(false, false, false, false),
              (Args{"diff", "-s", "-a", "-o", "T", "one", "two"}));
    EXPECT_EQ(build(true, false, false, false),
              (Args{"diff", "-s", "-a", "-b", "-o", "T", "one", "two"}));
    EXPECT_EQ(build(false, true, false, false),
              (Args{"diff", "-s", "-a", "-w", "-o", "T", "one", "two"}));
    EXPECT_EQ(build(true, true, false, false),
              (Args{"diff", "-s", "-a", "-b", "-w", "-o", "T", "one", "two"}));
    // Comment blanking and table columns leave blanks that must compare alike.
    EXPECT_EQ(build(false, false, true, false), build(true, false, false, false));
    EXPECT_EQ(build(false, false, false, true), build(true, false, false, false));
}

TEST(TempResultFile, IsCreatedEmptyAndRemovedWithItsObject) {
    TempFolder dir;
    std::string path;
    {
        auto temp = TempResultFile::create({dir.path()});
        ASSERT_TRUE(temp.has_value());
        path = temp->path();
        EXPECT_EQ(path.rfind(dir.path() + "/$3781", 0), 0u) << path;
        EXPECT_TRUE(std::filesystem::exists(path));
        EXPECT_EQ(std::filesystem::file_size(path), 0u);
        auto second = TempResultFile::create({dir.path()});
        ASSERT_TRUE(second.has_value());
        EXPECT_NE(second->path(), path);
    }
    EXPECT_TRUE(dir.entries().empty());
}

TEST(TempResultFile, MissingFoldersFallBackInOrder) {
    TempFolder good;
    TempFolder cwd;
    const std::string missing = good.file("no/such/folder");
    {
        auto temp = TempResultFile::create({missing, good.path()});
        ASSERT_TRUE(temp.has_value());
        EXPECT_EQ(std::filesystem::path(temp->path()).parent_path(), good.path());
    }
    {
        auto temp = TempResultFile::create({missing}, cwd.path());
        ASSERT_TRUE(temp.has_value());
        EXPECT_EQ(temp->path(), cwd.file("tmp$3781.bin"));
    }
    EXPECT_TRUE(cwd.entries().empty());
    EXPECT_FALSE(TempResultFile::create({missing}, missing).has_value());
}

TEST(TempResultFile, DirectoriesComeFromTmpThenTmpdir) {
    ScopedEnv tmp("TMP", "/first");
    ScopedEnv tmpdir("TMPDIR", "/second");
    EXPECT_EQ(temporaryDirectories(), (Args{"/first", "/second", "/tmp"}));
    ScopedEnv emptyTmp("TMP", "");
    EXPECT_EQ(temporaryDirectories(), (Args{"/second", "/tmp"}));
}

class DriverTest : public ::testing::Test {
protected:
    DriverTest() : tmp_("TMP", tmpFolder.path()) {}

    std::string put(const std::string& name, const std::string& bytes) {
        const std::string path = files.file(name);
        writeFile(path, bytes);
        return path;
    }
    void load(const std::string& one, const std::string& two) {
        ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, one, 1), 0);
        ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, two, 2), 0);
    }
    // The event loop: posted commands in order.
    void runPosted() {
        while (!frame.posted.empty()) {
            const int id = frame.posted.front();
            frame.posted.erase(frame.posted.begin());
            dispatchCommand(app, id);
        }
    }
    int compareLoaded() {
        return compareFiles(app, app.model.side(1).fileName, app.model.side(2).fileName);
    }

    TempFolder files;
    TempFolder tmpFolder;
    DispatchingFrame frame;
    Application app{frame};

private:
    ScopedEnv tmp_;
};

TEST_F(DriverTest, LoadingBothSidesComparesAndInstallsTheSegments) {
    load(put("a", "a\nb\nc\nd\ne\n"), put("b", "a\nB\nc\nx\nd\n"));
    ASSERT_EQ(frame.posted, std::vector<int>{cmd::kCompareFiles});
    runPosted();

    EXPECT_EQ(app.frameState.lastCompareResult, kCompareDifferent);
    EXPECT_EQ(app.model.side(1).segmentCount(), 3);
    EXPECT_EQ(app.model.side(2).segmentCount(), 3);
    EXPECT_EQ(app.settings.record.notYetCompared, 0);
    EXPECT_EQ(app.settings.record.rowCount, 6);
    EXPECT_FALSE(app.model.loadedSinceComparison[0] || app.model.loadedSinceComparison[1]);
    EXPECT_TRUE(frame.messages.empty()) << frame.allMessages();
    EXPECT_TRUE(tmpFolder.entries().empty());
    // "Auto walk" is on by default: the view goes to the first segment.
    EXPECT_TRUE(frame.posted.empty());
}

TEST_F(DriverTest, IdenticalFilesAreReportedAndLeaveNoSegments) {
    app.settings.record.compressSpaces = 1;
    load(put("a", "one  two\nthree\n"), put("b", "one two\nthree\n"));
    EXPECT_EQ(compareLoaded(), kCompareIdentical);
    EXPECT_TRUE(frame.shownText(Severity::Info, "Files are identical")) << frame.allMessages();
    EXPECT_FALSE(app.model.side(1).hasLists());
    EXPECT_FALSE(app.model.side(2).hasLists());
    EXPECT_EQ(app.settings.record.notYetCompared, 0);
    EXPECT_TRUE(tmpFolder.entries().empty());

    app.settings.record.compressSpaces = 0;
    EXPECT_EQ(compareLoaded(), kCompareDifferent);
    EXPECT_EQ(app.model.side(1).segmentCount(), 1);
}

TEST_F(DriverTest, TmpNamingAMissingFolderFallsBack) {
    TempFolder second;
    ScopedEnv missing("TMP", files.file("gone/away"));
    ScopedEnv tmpdir("TMPDIR", second.path());
    load(put("a", "1\n"), put("b", "2\n"));
    EXPECT_EQ(compareLoaded(), kCompareDifferent);
    EXPECT_TRUE(frame.messages.empty()) << frame.allMessages();
    EXPECT_TRUE(second.entries().empty());
    EXPECT_FALSE(std::filesystem::exists(files.file("gone")));
}

TEST_F(DriverTest, AnEmptySideIsNotComparedOutsideAnUnattendedRun) {
    load(put("a", ""), put("b", "x\n"));
    runPosted();
    EXPECT_EQ(app.settings.record.notYetCompared, 1);
    EXPECT_FALSE(app.model.side(1).hasLists());
    EXPECT_EQ(app.settings.record.rowCount, 0);
}

TEST_F(DriverTest, SpentCopiesAreReloadedBeforeTheNextComparisonOfAnyMode) {
    app.compare.ignoreComments = 1;
    app.compare.comments = {{"/*", "*/"}};
    const std::string one = put("a", "x = 1; /* old */\ny\n");
    const std::string two = put("b", "x = 1; /* new note */\ny\n");
    load(one, two);
    frame.posted.clear();
    EXPECT_EQ(compareLoaded(), kCompareIdentical);
    EXPECT_TRUE(app.model.side(1).reloadNeeded);

    // Without comment ignoring the comments count again: the blanked copies
    // must not be compared as if they were the files.
    app.compare.ignoreComments = 0;
    EXPECT_EQ(compareLoaded(), kCompareDifferent);
    EXPECT_FALSE(app.model.side(1).reloadNeeded);
    // The reload requested no comparison of its own.
    EXPECT_TRUE(frame.posted.empty());
}

TEST_F(DriverTest, AReloadThatFailsGoesOnWithTheSpentCopy) {
    app.compare.tableMode = 1;
    const std::string one = put("a", "a 1\nb 2\n");
    const std::string two = put("b", "a 1\nb 3\n");
    load(one, two);
    frame.posted.clear();
    EXPECT_NE(compareLoaded(), kCompareFailed);
    ASSERT_TRUE(app.model.side(2).reloadNeeded);

    writeFile(one, "a 1\nb 3\n"); // changed on disk: the reload picks it up
    std::filesystem::remove(two);
    app.compare.tableMode = 0;
    EXPECT_NE(compareLoaded(), kCompareFailed);
    EXPECT_TRUE(frame.shownText(Severity::Error, "Unable to open file")) << frame.allMessages();
    EXPECT_EQ(app.model.side(1).line(1), "b 3");
    EXPECT_TRUE(frame.posted.empty());
    EXPECT_TRUE(app.model.loadedSinceComparison[0] && app.model.loadedSinceComparison[1]);
}

TEST_F(DriverTest, DirectoryWindowModeLoadsQuietlyAndInstallsNothing) {
    app.frameState.directoryWindow = true;
    const std::string one = put("a", "same\n");
    EXPECT_EQ(compareFiles(app, one, put("b", "same\n")), kCompareIdentical);
    EXPECT_EQ(compareFiles(app, one, put("c", "other\n")), kCompareDifferent);
    EXPECT_FALSE(app.model.side(1).hasLists());
    EXPECT_TRUE(frame.messages.empty()) << frame.allMessages();
    EXPECT_TRUE(frame.posted.empty());
    EXPECT_TRUE(tmpFolder.entries().empty());
}

TEST_F(DriverTest, TheWalkLoadsAPairAndLearnsTheResult) {
    app.settings.record.directoryWalk = 1;
    frame.onSend = [this](int id) { dispatchCommand(app, id); };
    const std::string one = put("a", "same\n");
    EXPECT_EQ(loadPairAndCompare(app, one, put("b", "other\n")), kCompareDifferent);
    EXPECT_EQ(app.model.side(1).segmentCount(), 1);

    // Identical pairs are cleared silently; the walk copies them itself.
    EXPECT_EQ(loadPairAndCompare(app, one, put("c", "same\n")), kCompareIdentical);
    EXPECT_EQ(app.model.side(1).lineCount, 0);
    EXPECT_TRUE(app.model.side(1).fileName.empty());
    EXPECT_TRUE(frame.messages.empty()) << frame.allMessages();

    EXPECT_EQ(loadPairAndCompare(app, one, files.file("missing")), kCompareFailed);
}

TEST_F(DriverTest, UnattendedCompareOfAnEmptyFileStillSaves) {
    app.frameState.unattended = true;
    const std::string out = files.file("out.txt");
    applyCommandLine(app, {"-auto", "-outf", out});
    app.settings.record.unixFormat = 1;
    load(put("a", ""), put("b", "only\n"));
    runPosted();
    EXPECT_EQ(app.frameState.exitCode, 0) << frame.allMessages();
    EXPECT_EQ(readFile(out), "only\n");
}

} // namespace
} // namespace tandel
