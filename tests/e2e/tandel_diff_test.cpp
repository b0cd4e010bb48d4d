// Starts the real tandel-diff on real files in a private folder.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using e2e::readFile;

// One run: the words given, the status expected, and (when set) the exact
// standard output and a part of standard error.
struct Case {
    std::vector<std::string> words;
    int status;
    const char* out = nullptr;
    const char* errPart = nullptr;
};

class TandelDiffTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        return box.put(name, text).string();
    }

    // Runs tandel-diff; returns its exit status and keeps standard output and
    // standard error.
    int run(const std::vector<std::string>& words, const std::string& input = "/dev/null") {
        const e2e::RunResult r = box.run(TANDEL_DIFF_PATH, words, input);
        out = r.out;
        err = r.errors;
        return r.exitCode;
    }

    void check(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::PrintToString(c.words));
            EXPECT_EQ(run(c.words), c.status) << err;
            if (c.out != nullptr) {
                EXPECT_EQ(out, c.out);
            }
            if (c.errPart != nullptr) {
                EXPECT_NE(err.find(c.errPart), std::string::npos) << err;
            }
        }
    }

    e2e::Sandbox box{"tandel-diff"};
    std::string out;
    std::string err;
};

TEST_F(TandelDiffTest, ResultGoesToStandardOutputWithTheStatus) {
    const std::string a = write("a", "1\n2\n3\n4\n5\n");
    const std::string b = write("b", "1\n2\n3\nx\ny\n4\n5\n");
    const std::string identical = "Files " + a + " and " + a + " are identical\n";
    EXPECT_EQ(run({a, b}), 1);
    EXPECT_EQ(out, "3a4,5\n");
    EXPECT_EQ(err, "");
    check({{{a, a}, 0, ""}, {{"-s", a, a}, 0, identical.c_str()}});
}

TEST_F(TandelDiffTest, ResultGoesToTheOutputFileWhenNamed) {
    const std::string a = write("a", "x\r\ny");
    const std::string b = write("b", "x\ny\n");
    const std::string result = (box.root / "result").string();
    EXPECT_EQ(run({"-o", result, a, b}), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(readFile(result), "1,2c1,2\n");
    EXPECT_EQ(run({"-b", "--ou=" + result, a, b}), 0);
    EXPECT_EQ(readFile(result), "");
    // The input files are never changed.
    EXPECT_EQ(readFile(a), "x\r\ny");
}

TEST_F(TandelDiffTest, TroubleAndUsageErrorsGiveStatusTwo) {
    const std::string a = write("a", "a\n");
    const std::string noFolder = (box.root / "no/such/folder/out").string();
    check({{{a, (box.root / "missing").string()}, 2, nullptr, "missing"},
           {{a}, 2, nullptr, "Error #2"},
           {{"--i", a, a}, 2, nullptr, "Error #1"},
           {{"-o", noFolder, a, a}, 2, nullptr, "Can't open output file"}});
}

TEST_F(TandelDiffTest, BinaryAndEmptyInputs) {
    const std::string empty = write("empty", "");
    const std::string binary = write("binary", std::string("\0\x01\n\xff\n\0", 6));
    check({{{empty, binary}, 1, "0a1,3\n"}, {{"-q", empty, binary}, 1, ""}, {{empty, empty}, 0}});
}

TEST_F(TandelDiffTest, StandardInputOperand) {
    const std::string a = write("a", "p\nq\n");
    EXPECT_EQ(run({"-", a}, write("in", "p\nr\n")), 1);
    EXPECT_EQ(out, "2c2\n");
}

} // namespace
