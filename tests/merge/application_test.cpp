#include "merge/application.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "merge/console_frame.h"
#include "merge/driver_test_support.h"
#include "merge/unattended_run.h"

namespace tandel {
namespace {

using testing_support::readFile;
using testing_support::DispatchingFrame;
using testing_support::TempFolder;
using testing_support::writeFile;

TEST(Application, CommandLineSetsTheRunModeAndShowsItsError) {
    DispatchingFrame frame;
    Application app(frame);
    EXPECT_EQ(applyCommandLine(app, {"-mandc", "-d1", "/a", "-bogus", "-auto"}), -1);
    EXPECT_TRUE(app.frameState.directoryWindow);
    EXPECT_FALSE(app.frameState.unattended); // the parse stopped before it
    EXPECT_EQ(app.switches.valueOf(kSwitchD1), "/a");
    EXPECT_EQ(frame.shown(Severity::Error), std::vector<std::string>{"Unknown option"});

    EXPECT_TRUE(requestsUnattendedRun({"a", "b", "/AUTO"}));
    EXPECT_FALSE(requestsUnattendedRun({"a", "b", "/auto/x"}));
    EXPECT_FALSE(requestsUnattendedRun({"-x", "a"}));
    // Even after a bad token: a script asking for an unattended run must not
    // get a window waiting for a user.
    EXPECT_TRUE(requestsUnattendedRun({"-x", "-Auto"}));
}

TEST(ConsoleFrame, LabelsMessagesAndAnswersOnlyForItsOwnTarget) {
    std::ostringstream errors;
    ConsoleFrame frame(errors);
    frame.message(Severity::Error, "Unable to open file");
    frame.message(Severity::Warning, "careful");
    EXPECT_EQ(errors.str(), "Error: Unable to open file\nWarning: careful\n");
    EXPECT_EQ(frame.errorCount(), 1);

    // Without a target every replace question is answered No.
    EXPECT_FALSE(frame.confirmOverwrite("File /o already exists.\nSave anyway ?"));
    frame.setWritableTarget("/o");
    EXPECT_TRUE(frame.confirmOverwrite("File /o already exists.\nSave anyway ?"));
    EXPECT_FALSE(frame.confirmOverwrite("File /other already exists.\nSave anyway ?"));
    EXPECT_FALSE(frame.confirmOverwrite("File /o.bak already exists.\nSave anyway ?"));
    EXPECT_EQ(frame.askYesNoCancel("Confirm file operation",
                                   "Destination file /o already exists.\nReplace it with /a ?"),
              kAnswerYes);
    EXPECT_EQ(frame.askYesNoCancel("Confirm file operation",
                                   "Destination file /p already exists.\nReplace it with /a ?"),
              kAnswerNo);
    EXPECT_EQ(frame.askPermission("Copy?"), kAnswerNo);
}

TEST(ConsoleFrame, RunsPostedCommandsInOrderUntilStopped) {
    std::ostringstream errors;
    ConsoleFrame frame(errors);
    std::vector<int> ran;
    bool stop = false;
    frame.setCommandHandler([&](int id) {
        ran.push_back(id);
        if (id == 1) {
            frame.postCommand(3); // posted while running: runs after 2
        }
        if (id == 3) {
            stop = true;
        }
    });
    frame.postCommand(1);
    frame.postCommand(2);
    frame.runPosted([&] { return stop; });
    frame.postCommand(4);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    frame.sendCommand(5);
    EXPECT_EQ(ran.back(), 5);
}

class UnattendedRunTest : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& arguments) {
        errors.str("");
        return runUnattended(arguments, errors, ini);
    }

    TempFolder folder;
    std::string ini = folder.file("config/tandel/tandel.ini");
    std::ostringstream errors;
};

TEST_F(UnattendedRunTest, SavesTheMergeAndWritesTheSettings) {
    const std::string a = folder.file("a.txt");
    const std::string b = folder.file("b.txt");
    const std::string out = folder.file("out.txt");
    writeFile(a, "keep\nleft\n");
    writeFile(b, "keep\nright\n");
    EXPECT_EQ(run({"-auto", "-f1", a, "-f2", b, "-outf", out}), 0) << errors.str();
    // Text mode by default: every line ends in CR LF.
    EXPECT_EQ(readFile(out), "keep\r\nright\r\nleft\r\n");
    EXPECT_NE(readFile(ini).find("Tab size"), std::string::npos);

    writeFile(ini, "[Options]\nUnix format=1\n");
    EXPECT_EQ(run({a, b, "-outf", out, "/auto"}), 0) << errors.str();
    EXPECT_EQ(readFile(out), "keep\nright\nleft\n");
    EXPECT_EQ(readFile(out + ".bak"), "keep\r\nright\r\nleft\r\n");
}

TEST_F(UnattendedRunTest, IdenticalFilesSaveFile1) {
    const std::string a = folder.file("a.txt");
    const std::string b = folder.file("b.txt");
    const std::string out = folder.file("out.txt");
    writeFile(a, "same\r\nlines");
    writeFile(b, "same\r\nlines");
    EXPECT_EQ(run({"-auto", a, b, "-outf", out}), 0) << errors.str();
    EXPECT_NE(errors.str().find("Info: Files are identical"), std::string::npos);
    EXPECT_TRUE(readFile(out) == "same\r\nlines" || readFile(out) == "same\r\nlines\r\n")
        << readFile(out);
}

TEST_F(UnattendedRunTest, FailuresEndTheRunWithAReason) {
    const std::string a = folder.file("a.txt");
    const std::string out = folder.file("out.txt");
    writeFile(a, "x\n");

    EXPECT_EQ(run({"-auto", a, folder.file("missing.txt"), "-outf", out}), 2);
    EXPECT_EQ(errors.str().rfind("Error: ", 0), 0u) << errors.str();
    EXPECT_NE(errors.str().find("missing.txt"), std::string::npos) << errors.str();

    EXPECT_EQ(run({"-auto", a, "-outf", out}), 2);
    EXPECT_EQ(errors.str().rfind("Error: ", 0), 0u) << errors.str();
    EXPECT_FALSE(std::filesystem::exists(out));

    writeFile(folder.file("b.txt"), "y\n");
    EXPECT_EQ(run({"-bogus", "-auto", a, folder.file("b.txt"), "-outf", out}), 2);
    EXPECT_EQ(errors.str(), "Error: Unknown option\n");

    EXPECT_EQ(run({"-auto", a, folder.file("b.txt")}), 255);
    EXPECT_NE(errors.str().find("Error: "), std::string::npos);
}

} // namespace
} // namespace tandel
