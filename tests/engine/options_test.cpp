#include "engine/options.h"
#include "engine_harness.h"

#include <gtest/gtest.h>

namespace tandel {
namespace {

ParsedArguments parse(std::vector<const char*> words, bool posixlyCorrect = false) {
    words.insert(words.begin(), "diff");
    return parseEngineArguments(static_cast<int>(words.size()), words.data(), posixlyCorrect);
}

TEST(EngineOptionsTest, ShortClustersAbbreviatedLongNamesAndTheOutputName) {
    ParsedArguments parsed = parse({"-bi", "-ofirst.out", "a", "-o", "-second", "b"});
    ASSERT_EQ(parsed.status, ParseStatus::Ok);
    EXPECT_TRUE(parsed.options.spaceChange && parsed.options.ignoreSomeChanges);
    EXPECT_TRUE(parsed.options.ignoreCase);
    EXPECT_FALSE(parsed.options.allSpace);
    EXPECT_EQ(parsed.outputName, "-second");
    EXPECT_EQ(parsed.operands, (std::vector<std::string>{"a", "b"}));

    // Long names abbreviate unless ambiguous, and exact names win.
    EXPECT_TRUE(parse({"--ia", "a", "b"}).options.allSpace);
    EXPECT_TRUE(parse({"--m", "a", "b"}).options.minimal);
    EXPECT_TRUE(parse({"-dH", "a", "b"}).options.minimal);
    EXPECT_FALSE(parse({"-H", "a", "b"}).options.minimal);
    EXPECT_TRUE(parse({"--t", "a", "b"}).options.alwaysText); // only "te" begins with t
    EXPECT_EQ(parse({"--i", "a", "b"}).status, ParseStatus::Ambiguous);
    EXPECT_EQ(parse({"--r", "a", "b"}).status, ParseStatus::Ambiguous); // "re", "rp"
    ParsedArguments output = parse({"--o=x", "--ou", "y", "a", "b"});
    EXPECT_EQ(output.status, ParseStatus::Ok);
    EXPECT_EQ(output.outputName, "y");

    using Words = std::vector<const char*>;
    for (const Words& words :
         {Words{"-c", "a", "b"}, Words{"-x", "a", "b"}, Words{"--in=3", "a", "b"},
          Words{"--in", "3", "a", "b"}, Words{"--zz", "a", "b"}, Words{"--te=1", "a", "b"},
          Words{"a", "b", "-o"}, Words{"a", "b", "--ou"}})
        EXPECT_EQ(parse(words).status, ParseStatus::Rejected) << words[0];
}

TEST(EngineOptionsTest, OperandsMoveBehindOptionsUnlessPosixlyCorrect) {
    ParsedArguments mixed = parse({"a", "-w", "b", "--", "-s", "-"});
    EXPECT_TRUE(mixed.options.allSpace);
    EXPECT_FALSE(mixed.options.reportIdentical);
    EXPECT_EQ(mixed.operands, (std::vector<std::string>{"a", "b", "-s", "-"}));
    ParsedArguments strict = parse({"a", "-w", "b"}, true);
    EXPECT_FALSE(strict.options.allSpace);
    EXPECT_EQ(strict.operands, (std::vector<std::string>{"a", "-w", "b"}));
}

using testing::EngineHarness;

TEST(EngineEntryTest, UsageErrorsShowTheirMessagesAndCreateNoOutput) {
    EngineHarness h;
    const std::string file = h.folder.write("one", "x\n");
    EXPECT_EQ(h.runWords({"diff", "-o", h.output, file}), -1);
    EXPECT_EQ(h.runWords({"diff", "-c", "-o", h.output, file, file}), -1);
    EXPECT_EQ(h.sink.messages, (std::vector<std::string>{"Error #2", "Error #2"}));
    h.sink.messages.clear();
    EXPECT_EQ(h.runWords({"diff", "--i", "-o", h.output, file, file}), -1);
    EXPECT_EQ(h.sink.messages, (std::vector<std::string>{"Error #1\n", "Error #2"}));
    EXPECT_FALSE(h.outputExists());
}

TEST(EngineEntryTest, EachCallSeesOnlyItsOwnSwitchesButKeepsTheOutputName) {
    EngineHarness h;
    EXPECT_EQ(h.outcome("a  b\n", "a b\n", {"-b", "-s"}), "0:" + h.identical());

    // The same files without -b, and without -o: the previous name still holds.
    testing::CallerText text0("a  b\n");
    testing::CallerText text1("a b\n");
    EXPECT_EQ(h.runWords({"diff", h.folder.file("first"), h.folder.file("second")}, text0.view(),
                         text1.view()),
              1);
    EXPECT_EQ(h.result(), "1c1\n");
    EXPECT_EQ(h.engine.outputName(), h.output);

    // A fresh engine has no output name to fall back on.
    EngineHarness fresh;
    const std::string file = fresh.folder.write("one", "x\n");
    EXPECT_EQ(fresh.runWords({"diff", file, file}, text0.view(), text0.view()), 2);
    EXPECT_EQ(fresh.sink.messages, std::vector<std::string>{"Can't open output file"});
}

} // namespace
} // namespace tandel
