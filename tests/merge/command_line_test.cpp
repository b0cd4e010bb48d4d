#include "merge/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandel {
namespace {

using Tokens = std::vector<std::string>;

TEST(Tokenizer, QuotesOnlySwitchQuotingAndBlanksSeparate) {
    const std::vector<std::pair<std::string, Tokens>> cases = {
        {"  \t ", {}},
        {"a  b\tc", {"a", "b", "c"}},
        {"\"my file.txt\" x", {"my file.txt", "x"}},
        {"x \"\" y", {"x", "y"}},
        {"pre\"fix suf\"fix", {"prefix suffix"}},
        {"\" \" b", {" b"}},       // a token of quoted blanks only joins the next
        {"a \"b c", {"a", "b c"}}, // an open quote runs to the end
    };
    for (const auto& [line, tokens] : cases) {
        EXPECT_EQ(tokenize(line), tokens) << line;
    }
}

TEST(CommandLine, SwitchesMatchWithoutCaseAfterHyphenOrSlashAndBareNamesAreTheFiles) {
    SwitchTable table;
    EXPECT_EQ(
        parseArguments({"-F1", "a.txt", "/f2", "b.txt", "-OUTF", "/f1", "/Auto", "/BASE", "o.txt"},
                       table)
            .status,
        CommandLineStatus::Parsed);
    EXPECT_EQ(table.valueOf(kSwitchF1), "a.txt");
    EXPECT_EQ(table.valueOf(kSwitchF2), "b.txt");
    EXPECT_EQ(table.valueOf(kSwitchOutf), "/f1"); // an argument is taken as it is
    EXPECT_TRUE(table.isGiven(kSwitchAuto));
    EXPECT_EQ(table.valueOf(kSwitchBase), "o.txt");
    EXPECT_FALSE(table.isGiven(kSwitchMandc));

    // The first and last bare names; a slash token is a path unless it names a switch.
    SwitchTable bare;
    EXPECT_EQ(parseArguments({"/home/u/a.txt", "two", "/tmp/b c.txt", "-d1", "x", "-d1", "y"}, bare)
                  .status,
              CommandLineStatus::Parsed);
    EXPECT_EQ(bare.valueOf(kSwitchF1), "/home/u/a.txt");
    EXPECT_EQ(bare.valueOf(kSwitchF2), "/tmp/b c.txt");
    EXPECT_EQ(bare.valueOf(kSwitchD1), "y"); // a repeated switch keeps its last value
}

TEST(CommandLine, AnUnknownOptionOrAMissingArgumentStopsButKeepsEarlierSwitches) {
    SwitchTable table;
    const ParseOutcome outcome = parseArguments({"-f1", "a", "-x", "-f2", "b"}, table);
    EXPECT_EQ(outcome.status, CommandLineStatus::Refused);
    EXPECT_EQ(outcome.severity, Severity::Error);
    EXPECT_EQ(outcome.message, "Unknown option");
    EXPECT_EQ(table.valueOf(kSwitchF1), "a");
    EXPECT_FALSE(table.isGiven(kSwitchF2));
    for (const Tokens& tokens : {Tokens{"--f1", "a"}, Tokens{"-f1=x"}, Tokens{"-"}}) {
        SwitchTable other;
        EXPECT_EQ(parseArguments(tokens, other).message, "Unknown option") << tokens[0];
    }

    SwitchTable quoted;
    const ParseOutcome bad = parseCommandLine("-f1 \"C:/my docs/a.txt\" /F2", quoted);
    EXPECT_EQ(bad.severity, Severity::Info);
    EXPECT_EQ(bad.message, "Bad command line");
    EXPECT_EQ(quoted.valueOf(kSwitchF1), "C:/my docs/a.txt");
    // The switch was met, so it counts as given, without a value.
    EXPECT_TRUE(quoted.isGiven(kSwitchF2));
    EXPECT_EQ(quoted.valueOf(kSwitchF2), "");
}

} // namespace
} // namespace tandel
