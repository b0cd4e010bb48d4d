// Faults of the file system, made by the failing file layer so that they fail
// the same way as root: nothing is reported as success, no file is lost.
#include "merge/comparison_driver.h"
#include "merge/decisions.h"
#include "merge/driver_test_support.h"
#include "merge/merged_output.h"
#include "merge/save.h"
#include "support/failing_file_system.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace tandel {
namespace {

using testing::FailingFileSystem;
using testing::FileOp;

// Looks at one name after every rename, removal and link: whether it ever
// went missing between two steps of a save.
class WatchedFiles : public FailingFileSystem {
public:
    std::string watched;
    bool everMissing = false;

    IoStatus rename(const std::string& from, const std::string& to) override {
        return look(FailingFileSystem::rename(from, to));
    }
    IoStatus remove(const std::string& path) override {
        return look(FailingFileSystem::remove(path));
    }
    IoStatus linkFile(const std::string& existing, const std::string& path) override {
        return look(FailingFileSystem::linkFile(existing, path));
    }

private:
    IoStatus look(IoStatus status) {
        everMissing = everMissing || (!watched.empty() && !std::filesystem::exists(watched));
        return status;
    }
};

// Saves over "target", whose backup "target.bak" holds "older\n". Whatever
// fails, the folder ends as it began: target, its old backup, no stray file.
class FailedSaves : public testing_support::AppTest {
protected:
    FailedSaves() { app.model.files = &failing; }
    void SetUp() override {
        compared(files.write("a", "one\n"), files.write("b", "two\n"));
        selectAll(app.model, frame);
        target = files.write("target", "precious\n");
        files.write("target.bak", "older\n");
    }
    // Loads and compares a pair, ready to save.
    void compared(const std::string& one, const std::string& two) {
        load(one, two);
        frame.posted.clear();
        ASSERT_NE(compareFiles(app, one, two), CompareResult::Failed);
        app.settings.record.notYetCompared = 0;
    }
    ProduceResult save() {
        return produceResult(app.model, app.settings.record, frame, target, OutputSink::File,
                             false);
    }
    bool errorMentions(const std::string& part) const {
        for (const std::string& text : frame.shown(Severity::Error))
            if (text.find(part) != std::string::npos)
                return true;
        return false;
    }
    void expectUntouched() {
        EXPECT_EQ(files.read("target"), "precious\n");
        EXPECT_EQ(files.read("target.bak"), "older\n");
        EXPECT_EQ(files.entries(), (std::vector<std::string>{"a", "b", "target", "target.bak"}));
    }

    WatchedFiles failing;
    std::string target;
};

TEST_F(FailedSaves, TheTargetNameAlwaysHoldsTheOldFileOrTheNewOne) {
    struct Fault {
        FileOp op;
        std::string part;
        int error;
    };
    struct Case {
        std::vector<Fault> faults;
        bool saved;
        std::string note; // the warning's start, if one
    };
    const std::string bak = target + ".bak";
    const std::string notBack = "The previous backup " + bak + " could not be put back";
    const std::vector<Case> cases = {
        {{{FileOp::Finish, "target", ENOSPC}}, false, ""},
        {{{FileOp::CreateUnique, "", ENOSPC}}, false, ""},   // no room to move the old backup
        {{{FileOp::Rename, bak + "\n", EACCES}}, false, ""}, // nor may it be moved
        {{{FileOp::LinkFile, bak, EACCES}}, false, ""},
        {{{FileOp::LinkFile, bak, EACCES}, {FileOp::Rename, "\n" + bak, EIO}}, false, notBack},
        // Without hard links a copy is the backup, unless it has no room.
        {{{FileOp::LinkFile, bak, EPERM}}, true, ""},
        {{{FileOp::LinkFile, bak, EPERM}, {FileOp::Write, bak, ENOSPC}}, false, ""},
        // The final rename.
        {{{FileOp::Commit, "target", ENOSPC}}, false, ""},
        {{{FileOp::Commit, "target", ENOSPC}, {FileOp::Rename, "\n" + bak, EIO}}, false, notBack},
        {{{FileOp::Remove, "old-backup", EIO}}, true, "The previous backup, kept as "},
    };
    failing.watched = target;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.faults.back().op));
        for (const std::string& name : files.entries())
            if (name != "a" && name != "b")
                std::filesystem::remove(files.file(name));
        files.write("target", "precious\n");
        files.write("target.bak", "older\n");
        failing.clear();
        for (const Fault& f : c.faults)
            failing.fail(f.op, f.part, f.error);
        frame.messages.clear();
        frame.permissionAnswers = {Answer::No};
        const int failuresBefore = failing.failures();

        EXPECT_EQ(save(), c.saved ? ProduceResult::Done : ProduceResult::Failed)
            << frame.allMessages();
        EXPECT_FALSE(failing.everMissing);
        EXPECT_GT(failing.failures(), failuresBefore); // the fault was met
        if (c.saved) {
            EXPECT_NE(files.read("target"), "precious\n");
            EXPECT_EQ(files.read("target.bak"), "precious\n");
        } else {
            EXPECT_EQ(files.read("target"), "precious\n");
            // Either the save said why, or it asked, as no backup could be made
            // (and was told No).
            const bool asked =
                !frame.kinds.empty() && frame.kinds.back() == QuestionKind::BackupFailed &&
                std::any_of(c.faults.begin(), c.faults.end(), [&](const Fault& f) {
                    return frame.questions.back().find(
                               withReason(bak, IoStatus::failure(f.error))) != std::string::npos;
                });
            EXPECT_TRUE(asked || errorMentions(withReason("Error writing output file " + target,
                                                          IoStatus::failure(c.faults[0].error))))
                << frame.allMessages();
            frame.kinds.clear();
            frame.questions.clear();
        }
        const auto warnings = frame.shown(Severity::Warning);
        if (c.note.empty()) {
            EXPECT_TRUE(warnings.empty()) << frame.allMessages();
            if (!c.saved)
                expectUntouched();
        } else {
            ASSERT_EQ(warnings.size(), 1u) << frame.allMessages();
            EXPECT_EQ(warnings[0].rfind(c.note, 0), 0u) << warnings[0];
            // It names the hidden file that holds the older backup now.
            EXPECT_NE(warnings[0].find(files.file(".tandel-old-backup.")), std::string::npos)
                << warnings[0];
            const std::vector<std::string> names = files.entries();
            EXPECT_EQ(std::count_if(names.begin(), names.end(),
                                    [](const std::string& n) { return n.starts_with(".tandel"); }),
                      1);
        }
    }
}

TEST_F(FailedSaves, ABackupThatIsAnInputStaysAndTheOldFileGoesBesideIt) {
    // Merging target.bak with target into target.
    compared(target + ".bak", target);
    selectFrom(app.model, frame, 1);
    EXPECT_EQ(save(), ProduceResult::Done) << frame.allMessages();
    EXPECT_EQ(files.read("target"), "older\n");
    EXPECT_EQ(files.read("target.bak"), "older\n");
    EXPECT_EQ(files.read("target.bak.1"), "precious\n");
    EXPECT_EQ(frame.shown(Severity::Info).back(),
              "The old " + target + " was kept as " + target + ".bak.1");

    // A folder where the backup belongs: asked, and never replaced.
    compared(files.file("a"), files.file("b"));
    selectAll(app.model, frame);
    std::filesystem::remove(files.file("target.bak"));
    std::filesystem::create_directory(files.file("target.bak"));
    frame.permissionAnswers = {Answer::No};
    EXPECT_EQ(save(), ProduceResult::Failed);
    EXPECT_EQ(files.read("target"), "older\n");
    EXPECT_TRUE(std::filesystem::is_directory(files.file("target.bak")));
}

TEST_F(FailedSaves, AReadOnlyTargetIsReplacedOnlyWhenTheUserAgrees) {
    ::chmod(target.c_str(), 0444);
    frame.overwriteAnswers = {false, true};
    EXPECT_EQ(save(), ProduceResult::Failed);
    EXPECT_EQ(frame.kinds.back(), QuestionKind::ReadOnly);
    expectUntouched();
    EXPECT_EQ(save(), ProduceResult::Done);
    EXPECT_EQ(files.read("target.bak"), "precious\n");
}

} // namespace
} // namespace tandel
