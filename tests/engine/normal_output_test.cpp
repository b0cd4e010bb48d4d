#include "engine_harness.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using testing::EngineHarness;

// Each comparison runs in the same harness, so a shorter result after a
// longer one also shows that the result file is written afresh.
TEST(NormalOutputTest, ChangeCommandRanges) {
    EngineHarness h;
    const std::string five = "1\n2\n3\n4\n5\n";
    EXPECT_EQ(h.outcome(five, "1\n2\n3\nx\ny\n4\n5\n"), "1:3a4,5\n");
    EXPECT_EQ(h.outcome(five, "2\n3\n4\n5\n"), "1:1d0\n");
    EXPECT_EQ(h.outcome(five, "a\nb\n" + five), "1:0a1,2\n");
    EXPECT_EQ(h.outcome("1\n2\n3\n4\n5\n6\n7\n8\n9\n", "1\n2\n3\n4\n5\n6\nx\n9\n"), "1:7,8c7\n");
    EXPECT_EQ(h.outcome(five, "1\n2\n3\n"), "1:4,5d3\n");
    EXPECT_EQ(h.outcome("a\nb\nc\nd\ne\n", "A\nb\nC\nd\ne\nf\n"), "1:1c1\n3c3\n5a6\n");
}

TEST(NormalOutputTest, IdenticalFilesLeaveAnOutputFile) {
    EngineHarness h;
    EXPECT_EQ(h.compare("same\n", "same\n"), 0);
    EXPECT_TRUE(h.outputExists());
    EXPECT_EQ(h.result(), "");
    EXPECT_EQ(h.outcome("same\n", "same\n", {"-s"}), "0:Files " + h.folder.file("first") + " and " +
                                                         h.folder.file("second") +
                                                         " are identical\n");
    // The same file on both sides.
    const std::string file = h.folder.write("one", "x\ny");
    testing::CallerText text0("x\ny");
    testing::CallerText text1("x\ny");
    EXPECT_EQ(h.runWords({"diff", "-s", "-o", h.output, file, file}, text0.view(), text1.view()),
              0);
    EXPECT_EQ(h.result(), "Files " + file + " and " + file + " are identical\n");
}

TEST(NormalOutputTest, BlankLineChangesCanBeIgnored) {
    EngineHarness h;
    EXPECT_EQ(h.compare("a\nb\n", "a\n\n\nb\n", {"-B", "-s"}), 0);
    EXPECT_NE(h.result().find("are identical"), std::string::npos);
    EXPECT_EQ(h.outcome("a\nb\n", "a\n\nx\nb\n", {"-B"}), "1:1a2,3\n");
    // Only the blank change is dropped; the other still counts.
    EXPECT_EQ(h.outcome("a\nb\nc\nd\n", "a\n\nb\nc\nD\n", {"-B"}), "1:4c5\n");
    // A line of blanks is not empty, not even under -b.
    EXPECT_EQ(h.compare("a\nb\n", "a\n  \nb\n", {"-B", "-b"}), 1);
}

TEST(NormalOutputTest, BriefComparisonReportsOnlyTheStatus) {
    EngineHarness h;
    EXPECT_EQ(h.compare("abc\n", "abcd\n", {"-q"}), 1);
    EXPECT_EQ(h.compare("abc\n", "abd\n", {"-q"}), 1);
    EXPECT_FALSE(h.outputExists()); // no output open: the message is not written
    EXPECT_EQ(h.compare("abc\n", "abc\n", {"-q", "-s"}), 0);
    EXPECT_NE(h.result().find("are identical"), std::string::npos);
    // -a turns the line comparison back on, so the white-space rules apply.
    EXPECT_EQ(h.compare("a  b\n", "a b\n", {"-q", "-b"}), 1);
    EXPECT_EQ(h.compare("a  b\n", "a b\n", {"-q", "-a", "-b"}), 0);
    // Byte comparison over more than one block.
    const std::string big(20000, 'z');
    std::string other = big;
    other[15000] = 'y';
    EXPECT_EQ(h.compare(big, other, {"-q"}), 1);
    EXPECT_EQ(h.compare(big, big, {"-q"}), 0);
}

TEST(NormalOutputTest, UnwritableOutputAndMissingOperandAreTrouble) {
    EngineHarness h;
    const std::string present = h.folder.write("present", "a\n");
    EXPECT_EQ(h.runWords({"diff", "-o", h.output, present, h.folder.file("absent")}), 2);
    EXPECT_EQ(h.sink.messages,
              std::vector<std::string>{"Error in file " + h.folder.file("absent")});
    EXPECT_FALSE(h.outputExists());

    h.sink.messages.clear();
    h.output = h.folder.file("missing/folder/result");
    EXPECT_EQ(h.compare("a\n", "b\n"), 2);
    EXPECT_EQ(h.sink.messages, std::vector<std::string>{"Can't open output file " + h.output +
                                                        ": No such file or directory"});
    h.sink.messages.clear();
    h.output = "/dev/full";
    EXPECT_EQ(h.compare("a\n", "b\n"), 2);
    EXPECT_EQ(h.sink.messages, std::vector<std::string>{
                                   "Error writing temp. file /dev/full: No space left on device"});
}

} // namespace
} // namespace tandel
