#include "merge/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandel {
namespace {

using Tokens = std::vector<std::string>;

TEST(Tokenizer, QuotesOnlySwitchQuotingAndBlanksSeparate) {
    const std::string longToken(5000, 'x');
    const std::vector<std::pair<std::string, Tokens>> cases = {
        {"", {}},
        {"  \t ", {}},
        {"a  b\tc", {"a", "b", "c"}},
        {"\"my file.txt\" x", {"my file.txt", "x"}},
        {"a\"\"b", {"ab"}},
        {"x \"\" y", {"x", "y"}},
        {"pre\"fix suf\"fix", {"prefix suffix"}},
        {"\" \" b", {" b"}},       // a token of quoted blanks only joins the next
        {"a \"b c", {"a", "b c"}}, // an open quote runs to the end
        {"a " + longToken + " b", {"a", longToken, "b"}},
    };
    for (const auto& [line, tokens] : cases) {
        EXPECT_EQ(tokenize(line), tokens) << line;
    }
}

TEST(CommandLine, SwitchesMatchWithoutCaseAfterHyphenOrSlash) {
    SwitchTable table;
    const ParseOutcome outcome = parseArguments(
        {"-F1", "a.txt", "/f2", "b.txt", "-OUTF", "o.txt", "/Auto", "-mandc"}, table);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(table.valueOf(kSwitchF1), "a.txt");
    EXPECT_EQ(table.valueOf(kSwitchF2), "b.txt");
    EXPECT_EQ(table.valueOf(kSwitchOutf), "o.txt");
    EXPECT_TRUE(table.isGiven(kSwitchAuto));
    EXPECT_TRUE(table.isGiven(kSwitchMandc));
    EXPECT_FALSE(table.isGiven(kSwitchD1));
}

TEST(CommandLine, BareNamesAndSlashPaths) {
    struct Case {
        Tokens tokens;
        std::string f1, f2;
    };
    const std::vector<Case> cases = {
        {{"one", "two", "/auto"}, "one", "two"},
        {{"one", "two", "three", "-auto"}, "one", "three"},
        {{"-f1", "x", "y", "/AUTO"}, "x", "y"},
        // A slash token is a path unless it names a switch.
        {{"/home/u/a.txt", "/tmp/b c.txt", "/auto"}, "/home/u/a.txt", "/tmp/b c.txt"},
        {{"/", "/auto"}, "/", ""},
    };
    for (const Case& c : cases) {
        SwitchTable table;
        EXPECT_EQ(parseArguments(c.tokens, table).status, 0) << c.tokens[0];
        EXPECT_EQ(table.valueOf(kSwitchF1), c.f1) << c.tokens[0];
        EXPECT_EQ(table.valueOf(kSwitchF2), c.f2) << c.tokens[0];
        EXPECT_TRUE(table.isGiven(kSwitchAuto)) << c.tokens[0];
    }
    // A switch's argument is taken as it is, even when it looks like a
    // switch; a repeated switch keeps its last value.
    SwitchTable table;
    parseArguments({"-outf", "/f1", "-d1", "first", "-d1", "last"}, table);
    EXPECT_EQ(table.valueOf(kSwitchOutf), "/f1");
    EXPECT_EQ(table.valueOf(kSwitchD1), "last");
}

TEST(CommandLine, UnknownOptionStopsButKeepsEarlierSwitches) {
    SwitchTable table;
    const ParseOutcome outcome = parseArguments({"-f1", "a", "-x", "-f2", "b"}, table);
    EXPECT_EQ(outcome.status, -1);
    EXPECT_EQ(outcome.severity, Severity::Error);
    EXPECT_EQ(outcome.message, "Unknown option");
    EXPECT_EQ(table.valueOf(kSwitchF1), "a");
    EXPECT_FALSE(table.isGiven(kSwitchF2));

    for (const Tokens& tokens : {Tokens{"--f1", "a"}, Tokens{"-f1=x"}, Tokens{"-"}}) {
        SwitchTable other;
        EXPECT_EQ(parseArguments(tokens, other).message, "Unknown option") << tokens[0];
    }
}

TEST(CommandLine, TextLinesAndMissingArguments) {
    SwitchTable quoted;
    EXPECT_EQ(parseCommandLine("-f1 \"C:/my docs/a.txt\" -outd \"out dir\"", quoted).status, 0);
    EXPECT_EQ(quoted.valueOf(kSwitchF1), "C:/my docs/a.txt");
    EXPECT_EQ(quoted.valueOf(kSwitchOutd), "out dir");

    SwitchTable table;
    const ParseOutcome outcome = parseCommandLine("a.txt /F2", table);
    EXPECT_EQ(outcome.status, -1);
    EXPECT_EQ(outcome.severity, Severity::Info);
    EXPECT_EQ(outcome.message, "Bad command line");
    EXPECT_EQ(table.valueOf(kSwitchF1), "a.txt");
    // The switch was met, so it counts as given, without a value.
    EXPECT_TRUE(table.isGiven(kSwitchF2));
    EXPECT_EQ(table.valueOf(kSwitchF2), "");
}

} // namespace
} // namespace tandel
