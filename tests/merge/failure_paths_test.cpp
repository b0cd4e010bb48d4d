// Faults of the file system, made by the failing file layer so that they fail
// the same way as root: nothing is reported as success, no file is lost.
#include "control/application.h"
#include "merge/comparison_driver.h"
#include "merge/decisions.h"
#include "merge/driver_test_support.h"
#include "merge/merged_output.h"
#include "merge/result_copy.h"
#include "merge/save.h"
#include "merge/side_loader.h"
#include "control/unattended_run.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <sstream>

namespace tandel {
namespace {

using testing::FailingFileSystem;
using testing::FileOp;
using testing_support::ScopedEnv;
using testing_support::TempFolder;

class FailurePaths : public ::testing::Test {
protected:
    FailurePaths() : tmp_("TMP", tmpFolder.path()) { app.model.files = &failing; }

    void load(const std::string& one, const std::string& two) {
        ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, one, 1), 0);
        ASSERT_EQ(LoadSide(app.model, app.settings.record, frame, two, 2), 0);
        frame.posted.clear();
    }
    CompareResult compare(const std::string& one, const std::string& two) {
        return compareFiles(app, one, two);
    }
    bool errorMentions(const std::string& part) const {
        for (const std::string& text : frame.shown(Severity::Error))
            if (text.find(part) != std::string::npos)
                return true;
        return false;
    }

    TempFolder files;
    TempFolder tmpFolder;
    FailingFileSystem failing;
    testing_support::DispatchingFrame frame;
    Application app{frame};

private:
    ScopedEnv tmp_;
};

TEST_F(FailurePaths, AResultTheEngineCannotWriteFailsTheComparison) {
    load(files.write("a", "one\ntwo\n"), files.write("b", "one\nthree\n"));
    failing.fail(FileOp::Write, "$3781", ENOSPC);
    EXPECT_EQ(compare(app.model.side(1).fileName, app.model.side(2).fileName),
              CompareResult::Failed);
    EXPECT_TRUE(errorMentions("No space left on device")) << frame.allMessages();
    EXPECT_FALSE(app.model.side(1).hasLists());
    EXPECT_EQ(app.settings.record.notYetCompared, 1);
    EXPECT_TRUE(tmpFolder.entries().empty());

    // Unattended, the run ends with a failure and saves nothing.
    app.frameState.unattended = true;
    app.switches.findById(kSwitchOutf)->given = true;
    app.switches.findById(kSwitchOutf)->values = {files.file("out")};
    compareFilesCommand(app);
    EXPECT_TRUE(app.frameState.quitRequested);
    EXPECT_EQ(app.frameState.exitCode, kUnattendedFailure);
    EXPECT_FALSE(FileExists(realFileSystem(), files.file("out")));
}

TEST_F(FailurePaths, AnUnreadableResultFailsTheComparison) {
    load(files.write("a", "x\n"), files.write("b", "y\n"));
    failing.fail(FileOp::Read, "$3781", EACCES);
    EXPECT_EQ(compare(app.model.side(1).fileName, app.model.side(2).fileName),
              CompareResult::Failed);
    EXPECT_EQ(frame.shown(Severity::Error),
              std::vector<std::string>{"Can not open temporary file: Permission denied"});
}

TEST_F(FailurePaths, AQuietLoadThatFailsNeverComparesThePreviousText) {
    app.frameState.directoryWindow = true;
    const std::string a = files.write("a", "same\n");
    EXPECT_EQ(compare(a, files.write("b", "same\n")), CompareResult::Identical);
    const std::string c = files.write("c", "same\n");
    failing.fail(FileOp::Read, c, EACCES);
    EXPECT_EQ(compare(a, c), CompareResult::Failed);
    EXPECT_EQ(frame.shown(Severity::Error),
              std::vector<std::string>{"Unable to open file " + c + ": Permission denied"});
}

TEST_F(FailurePaths, NamesThatLookLikeOptionsAreNames) {
    load(files.write("x", "a\nb\n"), files.write("y", "a\nc\n"));
    // Neither is an engine option, nor standard input: the texts are the sides'.
    EXPECT_EQ(compare("-w", "-"), CompareResult::Different);
    EXPECT_EQ(app.model.side(1).segmentCount(), 1);
    EXPECT_TRUE(frame.shown(Severity::Error).empty()) << frame.allMessages();
}

TEST_F(FailurePaths, AFailedWriteLeavesTheTargetAndNoTemporaryFile) {
    load(files.write("a", "one\n"), files.write("b", "two\n"));
    ASSERT_NE(compare(app.model.side(1).fileName, app.model.side(2).fileName),
              CompareResult::Failed);
    app.settings.record.notYetCompared = 0;
    SelectAll(app.model, frame);
    const std::string target = files.write("target", "precious\n");
    failing.fail(FileOp::Commit, "target", ENOSPC);
    EXPECT_EQ(Produce(app.model, app.settings.record, frame, target, OutputSink::File, false), -1);
    EXPECT_TRUE(errorMentions("Error writing output file " + target + ": No space left on device"))
        << frame.allMessages();
    EXPECT_EQ(files.read("target"), "precious\n");
    EXPECT_EQ(files.entries(), (std::vector<std::string>{"a", "b", "target"}));
}

TEST_F(FailurePaths, IdenticalFilesCopyAsksWhenTheBackupFailsAndRestoresOnError) {
    const std::string source = files.write("source", "new\n");
    const std::string target = files.write("target", "old\n");
    // The backup cannot be made: asked, and No leaves the target.
    failing.fail(FileOp::Rename, "target.bak", EACCES);
    frame.permissionAnswers = {kAnswerNo};
    EXPECT_EQ(CopyResultFile(failing, frame, source, target, {}), CopyOutcome::Skipped);
    ASSERT_EQ(frame.kinds.size(), 2u);
    EXPECT_EQ(frame.kinds[1], QuestionKind::BackupFailed);
    EXPECT_EQ(files.read("target"), "old\n");
    // The backup is made but the copy fails: the old file is back in place.
    failing.clear();
    failing.fail(FileOp::Commit, "target", ENOSPC);
    EXPECT_EQ(CopyResultFile(failing, frame, source, target, {}), CopyOutcome::Failed);
    EXPECT_EQ(files.read("target"), "old\n");
    EXPECT_EQ(files.entries(), (std::vector<std::string>{"source", "target"}));
}

// The unattended run end to end, in process: identical files whose copy
// cannot be made exit 2, and the target is never overwritten unasked.
TEST_F(FailurePaths, UnattendedIdenticalFilesReportAFailedCopy) {
    const std::string a = files.write("a", "same\n");
    const std::string a2 = files.write("a2", "same\n");
    const std::string settings = files.file("tandel.ini");
    std::ostringstream errors;
    EXPECT_EQ(runUnattended({"-auto", "-f1", a, "-f2", a2, "-outf", files.file("no/out")}, errors,
                            settings),
              kUnattendedFailure)
        << errors.str();

    const std::string target = files.write("tgt", "old\n");
    ASSERT_EQ(::mkdir(files.file("tgt.bak").c_str(), 0755), 0);
    errors.str({});
    EXPECT_EQ(runUnattended({"-auto", "-f1", a, "-f2", a2, "-outf", target}, errors, settings),
              kUnattendedFailure)
        << errors.str();
    EXPECT_NE(errors.str().find("Unable to back up " + target), std::string::npos) << errors.str();
    EXPECT_EQ(files.read("tgt"), "old\n");
}

} // namespace
} // namespace tandel
