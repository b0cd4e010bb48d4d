#include "merge/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandel {
namespace {

using Tokens = std::vector<std::string>;

TEST(Tokenizer, QuotesOnlySwitchQuotingAndBlanksSeparate) {
    EXPECT_EQ(tokenize(""), Tokens{});
    EXPECT_EQ(tokenize("  \t "), Tokens{});
    EXPECT_EQ(tokenize("a  b\tc"), (Tokens{"a", "b", "c"}));
    EXPECT_EQ(tokenize("\"my file.txt\" x"), (Tokens{"my file.txt", "x"}));
    EXPECT_EQ(tokenize("a\"\"b"), Tokens{"ab"});
    EXPECT_EQ(tokenize("x \"\" y"), (Tokens{"x", "y"}));
    EXPECT_EQ(tokenize("pre\"fix suf\"fix"), Tokens{"prefix suffix"});
    // A token of quoted blanks only joins the next token.
    EXPECT_EQ(tokenize("\" \" b"), Tokens{" b"});
    // An open quote runs to the end.
    EXPECT_EQ(tokenize("a \"b c"), (Tokens{"a", "b c"}));
}

TEST(Tokenizer, TokensHaveNoLengthLimit) {
    const std::string longToken(5000, 'x');
    EXPECT_EQ(tokenize("a " + longToken + " b"), (Tokens{"a", longToken, "b"}));
}

TEST(CommandLine, EmptyLineGivesNoSwitches) {
    SwitchTable table;
    EXPECT_EQ(parseCommandLine("   ", table).status, 0);
    for (const auto& entry : table.entries()) {
        EXPECT_FALSE(entry.given) << entry.name;
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
    EXPECT_EQ(table.given(kSwitchD1), nullptr);
    EXPECT_EQ(table.findById(6), nullptr);
}

TEST(CommandLine, BareNamesFillFile1ThenFile2) {
    SwitchTable two;
    parseArguments({"one", "two"}, two);
    EXPECT_EQ(two.valueOf(kSwitchF1), "one");
    EXPECT_EQ(two.valueOf(kSwitchF2), "two");

    SwitchTable three;
    parseArguments({"one", "two", "three"}, three);
    EXPECT_EQ(three.valueOf(kSwitchF1), "one");
    EXPECT_EQ(three.valueOf(kSwitchF2), "three");

    SwitchTable afterSwitch;
    parseArguments({"-f1", "x", "y"}, afterSwitch);
    EXPECT_EQ(afterSwitch.valueOf(kSwitchF1), "x");
    EXPECT_EQ(afterSwitch.valueOf(kSwitchF2), "y");

    SwitchTable repeated;
    parseArguments({"-d1", "first", "-d1", "last"}, repeated);
    EXPECT_EQ(repeated.valueOf(kSwitchD1), "last");
}

TEST(CommandLine, SlashTokenIsAPathUnlessItNamesASwitch) {
    SwitchTable table;
    EXPECT_EQ(parseArguments({"/home/u/a.txt", "/tmp/b c.txt", "/outf", "/f1"}, table).status, 0);
    EXPECT_EQ(table.valueOf(kSwitchF1), "/home/u/a.txt");
    EXPECT_EQ(table.valueOf(kSwitchF2), "/tmp/b c.txt");
    // A switch's argument is taken as it is, even when it looks like a switch.
    EXPECT_EQ(table.valueOf(kSwitchOutf), "/f1");

    SwitchTable root;
    parseArguments({"/", "/auto"}, root);
    EXPECT_EQ(root.valueOf(kSwitchF1), "/");
    EXPECT_TRUE(root.isGiven(kSwitchAuto));
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

TEST(CommandLine, MissingArgumentIsABadCommandLine) {
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

TEST(CommandLine, QuotedTextLineGivesPathsWithBlanks) {
    SwitchTable table;
    EXPECT_EQ(parseCommandLine("-f1 \"C:/my docs/a.txt\" -outd \"out dir\"", table).status, 0);
    EXPECT_EQ(table.valueOf(kSwitchF1), "C:/my docs/a.txt");
    EXPECT_EQ(table.valueOf(kSwitchOutd), "out dir");
}

} // namespace
} // namespace tandel
