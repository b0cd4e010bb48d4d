// What a user's files come out as: the bytes they chose with their line ends
// and modes, binaries whole, files changed on disk noticed, work kept.
#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

#include "merge/decisions.h"
#include "merge/driver_test_support.h"
#include "merge/merged_output.h"
#include "merge/save.h"
#include "merge/unsaved_decisions.h"

namespace tandel {
namespace {

class UsersFiles : public testing_support::AppTest {
protected:
    // Loads both files and runs the comparison their loads request.
    void open(const std::string& one, const std::string& two) {
        load(files.write("one", one), files.write("two", two));
        runPosted();
    }
    // Takes side s everywhere and saves the result to a fresh name.
    std::string take(int s) {
        unselectAll(app.model, frame);
        selectFrom(app.model, frame, s);
        return save();
    }
    std::string save() {
        const std::string out = files.file("out" + std::to_string(++saves_));
        frame.saveAnswers = {out};
        EXPECT_EQ(saveResult(app.model, app.settings, frame, kSaveAs), SaveResult::Saved)
            << frame.allMessages();
        return testing_support::readFile(out);
    }
    bool identical() const { return !app.model.side(1).hasLists(); }

private:
    int saves_ = 0;
};

// Lines from a small pool with either line end, at times unterminated, binary or empty.
std::string randomFile(std::mt19937& random) {
    static const char* const pool[] = {"a", "b", "c", "", "x\ry", "tab\there", "caf\xe9"};
    const int lines = static_cast<int>(random() % 9);
    std::string bytes;
    for (int i = 0; i < lines; ++i) {
        bytes += pool[random() % std::size(pool)];
        if (i + 1 < lines || random() % 3 != 0) {
            bytes += random() % 2 == 0 ? "\n" : "\r\n";
        }
    }
    if (random() % 12 == 0) {
        bytes.insert(bytes.size() / 2, 1, '\0');
    }
    return bytes;
}

// The text a file stands for when line ends are ignored.
std::string withoutLineEnds(std::string bytes) {
    for (std::size_t at; (at = bytes.find("\r\n")) != std::string::npos;) {
        bytes.erase(at, 1);
    }
    return bytes.ends_with('\n') ? bytes.substr(0, bytes.size() - 1) : bytes;
}

std::string allCrLf(const std::string& bytes) {
    std::string out;
    for (const char c : withoutLineEnds(bytes) + "\n") {
        out += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return bytes.ends_with('\n') ? out : out.substr(0, out.size() - 2);
}

TEST_F(UsersFiles, TakingOneSideGivesThatFileBackByteForByte) {
    std::mt19937 random(18);
    for (int round = 0; round < 150; ++round) {
        const bool exactEnds = round % 2 == 0;
        app.settings.record.ignoreLineEnds = exactEnds ? 0 : 1;
        app.settings.record.unixFormat = 1;
        const std::string one = randomFile(random);
        const std::string two = randomFile(random);
        SCOPED_TRACE(::testing::PrintToString(one) + " | " + ::testing::PrintToString(two));
        open(one, two);
        const bool binary =
            one.find('\0') != std::string::npos || two.find('\0') != std::string::npos;
        if (identical()) {
            // Equal under the settings: the result is file 1 as it is.
            EXPECT_EQ(save(), one);
            EXPECT_TRUE(binary || !exactEnds || one == two);
            continue;
        }
        EXPECT_EQ(take(1), one);
        const std::string second = take(2);
        if (exactEnds || binary) {
            EXPECT_EQ(second, two);
        } else {
            // Lines both files share keep file 1's ends.
            EXPECT_EQ(withoutLineEnds(second), withoutLineEnds(two));
        }
        // "Unix format" off: the same result with CR LF for every line end.
        app.settings.record.unixFormat = 0;
        if (!binary) {
            EXPECT_EQ(take(2), allCrLf(second));
        }
    }
}

TEST_F(UsersFiles, AnUnterminatedLineFollowedByOthersTakesTheEndBeforeIt) {
    // File 1's part first, then file 2's.
    const auto leftThenRight = [this] {
        chooseSide(app.model, frame, 0, 1, false);
        chooseSide(app.model, frame, 0, 2, true);
        return save();
    };
    open("a\r\nlast", "a\r\nother\r\n");
    EXPECT_EQ(leftThenRight(), "a\r\nlast\r\nother\r\n");
    // With no line before it, the end of the line that follows.
    open("last", "first\r\nsecond\n");
    EXPECT_EQ(leftThenRight(), "last\r\nfirst\r\nsecond\n");
}

TEST_F(UsersFiles, BinaryFilesAreTakenWholeFromOneSideOnly) {
    const std::string one("\177ELF\0\0\n\r\nabc", 12);
    const std::string two("\177ELF\0\1\nabcd\r", 13);
    open(one, two);
    ASSERT_EQ(app.model.side(1).segmentCount(), 1);
    // A second side or a listing of lines make no sense here.
    chooseSide(app.model, frame, 0, 1, false);
    chooseSide(app.model, frame, 0, 2, true);
    EXPECT_EQ(save(), two);
    selectAll(app.model, frame);
    frame.saveAnswers = {files.file("both")};
    EXPECT_EQ(saveResult(app.model, app.settings, frame, kSaveAs), SaveResult::NotStarted);
    EXPECT_TRUE(frame.saveDialogs.size() == 1u) << "refused before the dialog";
    EXPECT_NE(frame.shown(Severity::Error).back().find("Binary files"), std::string::npos);
    chooseSide(app.model, frame, 0, 1, false);
    EXPECT_EQ(produceResult(app.model, app.settings.record, frame, {}, OutputSink::Preview, false),
              ProduceResult::Refused);
    EXPECT_FALSE(frame.preview);
}

TEST_F(UsersFiles, ResultsKeepTheModeOfWhatTheyReplaceOrCameFrom) {
    const std::string script = files.write("script.sh", "#!/bin/sh\necho a\n");
    ::chmod(script.c_str(), 0750);
    load(script, files.write("other.sh", "#!/bin/sh\necho b\n"));
    runPosted();
    selectFrom(app.model, frame, 2);
    const auto mode = [](const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    };
    const std::string kept = files.write("kept.sh", "old\n");
    ::chmod(kept.c_str(), 0604);
    for (const std::string& target : {files.file("fresh.sh"), kept}) {
        frame.saveAnswers = {target};
        ASSERT_EQ(saveResult(app.model, app.settings, frame, kSaveAs), SaveResult::Saved);
    }
    EXPECT_EQ(mode(files.file("fresh.sh")), 0750u);
    EXPECT_EQ(mode(kept), 0604u);
    EXPECT_EQ(mode(kept + ".bak"), 0604u);
    // Identical files: the copy of file 1 is as executable as file 1.
    ::chmod(files.write("one", "same\n").c_str(), 0700);
    open("same\n", "same\n");
    EXPECT_EQ(save(), "same\n");
    EXPECT_EQ(mode(files.file("out1")), 0700u);
}

// (That a comparison reads changed files again: driver_test.cpp.)
TEST_F(UsersFiles, FilesChangedOnDiskAreNeverOverwrittenUnasked) {
    open("a\nb\n", "a\nc\n");
    const std::string two = app.model.side(2).fileName;
    testing_support::writeFile(two, "edited again\n");
    selectFrom(app.model, frame, 1);
    frame.overwriteAnswers = {false};
    EXPECT_EQ(saveResult(app.model, app.settings, frame, kSaveAsRight), SaveResult::NotWritten);
    ASSERT_EQ(frame.kinds.back(), QuestionKind::ChangedOnDisk);
    EXPECT_EQ(testing_support::readFile(two), "edited again\n");

    // What this program wrote itself is no stranger's change.
    frame.kinds.clear();
    EXPECT_EQ(saveResult(app.model, app.settings, frame, kSaveAsLeft), SaveResult::Saved);
    EXPECT_EQ(saveResult(app.model, app.settings, frame, kSaveAsLeft), SaveResult::Saved);
    EXPECT_EQ(frame.kinds,
              (std::vector<QuestionKind>{QuestionKind::Overwrite, QuestionKind::Overwrite}));
    // The saved side then shows what it holds now, compared again.
    runPosted();
    EXPECT_EQ(app.model.side(1).lineCount, 2);
    EXPECT_EQ(app.model.side(1).line(1), "b");
}

TEST_F(UsersFiles, DecisionsAreNotDroppedWithoutAQuestion) {
    open("a\n", "b\n");
    // Nothing decided: nothing to ask.
    EXPECT_TRUE(mayDropDecisions(app.model, app.settings, frame));
    selectFrom(app.model, frame, 2);
    frame.yesNoCancelAnswers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(mayDropDecisions(app.model, app.settings, frame));
    EXPECT_TRUE(mayDropDecisions(app.model, app.settings, frame));
    EXPECT_EQ(frame.kinds, (std::vector<QuestionKind>{QuestionKind::UnsavedDecisions,
                                                      QuestionKind::UnsavedDecisions}));
    // Save: only a save that happened lets the caller go on.
    frame.yesNoCancelAnswers = {Answer::Yes, Answer::Yes};
    EXPECT_FALSE(mayDropDecisions(app.model, app.settings, frame)); // dialog cancelled
    frame.saveAnswers = {files.file("kept")};
    EXPECT_TRUE(mayDropDecisions(app.model, app.settings, frame));
    EXPECT_EQ(testing_support::readFile(files.file("kept")), "b\n");
    EXPECT_TRUE(mayDropDecisions(app.model, app.settings, frame));

    // Comparing again asks too, and Cancel keeps the decisions.
    chooseSide(app.model, frame, 0, 1, false);
    frame.yesNoCancelAnswers = {Answer::Cancel};
    dispatchCommand(app, cmd::kCompareFiles);
    EXPECT_EQ(judgingMark(app.model, 0, 1), Choice::First);
}

} // namespace
} // namespace tandel
