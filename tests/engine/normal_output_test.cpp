// The result file and status of whole runs; the change commands themselves are
// checked against an oracle in property_test.cpp.
#include "engine_harness.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

using testing::EngineHarness;

TEST(NormalOutputTest, IdenticalBlankOnlyAndBriefComparisons) {
    EngineHarness h;
    EXPECT_EQ(h.outcome("same\n", "same\n"), "0:");
    EXPECT_TRUE(h.outputExists());
    EXPECT_EQ(h.outcome("same\n", "same\n", {"-s"}), "0:" + h.identical());
    const std::string file = h.folder.write("one", "x\ny");
    testing::CallerText text("x\ny");
    EXPECT_EQ(h.runWords({"diff", "-s", "-o", h.output, file, file}, text.view(), text.view()), 0);
    EXPECT_EQ(h.result(), "Files " + file + " and " + file + " are identical\n");

    // -B drops only the changes that insert or delete blank lines; a line of
    // blanks is not empty, not even under -b.
    EXPECT_EQ(h.outcome("a\nb\n", "a\n\n\nb\n", {"-B", "-s"}), "0:" + h.identical());
    EXPECT_EQ(h.outcome("a\nb\n", "a\n\nx\nb\n", {"-B"}), "1:1a2,3\n");
    EXPECT_EQ(h.outcome("a\nb\nc\nd\n", "a\n\nb\nc\nD\n", {"-B"}), "1:4c5\n");
    EXPECT_EQ(h.compare("a\nb\n", "a\n  \nb\n", {"-B", "-b"}), 1);

    // -q compares bytes, over more than one block, and opens no output;
    // -a turns the line comparison back on, so the white-space rules apply.
    std::filesystem::remove(h.output);
    const std::string big(20000, 'z');
    std::string other = big;
    other[15000] = 'y';
    EXPECT_EQ(h.compare(big, other, {"-q"}), 1);
    EXPECT_EQ(h.compare("abc\n", "abcd\n", {"-q"}), 1);
    EXPECT_FALSE(h.outputExists());
    EXPECT_EQ(h.outcome(big, big, {"-q", "-s"}), "0:" + h.identical());
    EXPECT_EQ(h.compare("a  b\n", "a b\n", {"-q", "-b"}), 1);
    EXPECT_EQ(h.outcome("a  b\n", "a b\n", {"-q", "-a", "-b", "-s"}), "0:" + h.identical());
}

TEST(NormalOutputTest, UnwritableOutputAndMissingOperandAreTrouble) {
    EngineHarness h;
    const std::string present = h.folder.write("present", "a\n");
    EXPECT_EQ(h.runWords({"diff", "-o", h.output, present, h.folder.file("absent")}), 2);
    EXPECT_EQ(h.sink.messages,
              std::vector<std::string>{"Error in file " + h.folder.file("absent")});
    EXPECT_FALSE(h.outputExists());

    auto trouble = [&](const std::string& output) {
        h.sink.messages.clear();
        h.output = output;
        EXPECT_EQ(h.compare("a\n", "b\n"), 2);
        return h.sink.messages;
    };
    const std::string missing = h.folder.file("missing/folder/result");
    EXPECT_EQ(trouble(missing), std::vector<std::string>{"Can't open output file " + missing +
                                                         ": No such file or directory"});
    EXPECT_EQ(
        trouble("/dev/full"),
        std::vector<std::string>{"Error writing temp. file /dev/full: No space left on device"});
}

} // namespace
} // namespace tandel
