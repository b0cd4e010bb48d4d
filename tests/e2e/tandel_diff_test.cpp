// Starts the real tandel-diff on real files in a private folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

class TandelDiffTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tandel-diff-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
        return (folder / name).string();
    }

    // Runs tandel-diff with the words (quoted for the shell); returns its exit
    // status and keeps standard output and standard error.
    int run(const std::string& words) {
        const std::string command = std::string("'") + TANDEL_DIFF_PATH + "' " + words + " >'" +
                                    (folder / "stdout").string() + "' 2>'" +
                                    (folder / "stderr").string() + "'";
        const int raw = std::system(command.c_str());
        out = readFile(folder / "stdout");
        err = readFile(folder / "stderr");
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    static std::string quote(const std::string& word) { return "'" + word + "'"; }

    fs::path folder;
    std::string out;
    std::string err;
};

TEST_F(TandelDiffTest, ResultGoesToStandardOutputWithTheStatus) {
    const std::string a = write("a", "1\n2\n3\n4\n5\n");
    const std::string b = write("b", "1\n2\n3\nx\ny\n4\n5\n");
    EXPECT_EQ(run(quote(a) + " " + quote(b)), 1);
    EXPECT_EQ(out, "3a4,5\n");
    EXPECT_EQ(err, "");
    EXPECT_EQ(run(quote(a) + " " + quote(a)), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(run("-s " + quote(a) + " " + quote(a)), 0);
    EXPECT_EQ(out, "Files " + a + " and " + a + " are identical\n");
}

TEST_F(TandelDiffTest, ResultGoesToTheOutputFileWhenNamed) {
    const std::string a = write("a", "x\r\ny");
    const std::string b = write("b", "x\ny\n");
    const std::string result = (folder / "result").string();
    EXPECT_EQ(run("-o " + quote(result) + " " + quote(a) + " " + quote(b)), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(readFile(result), "1,2c1,2\n");
    EXPECT_EQ(run("-b --ou=" + quote(result) + " " + quote(a) + " " + quote(b)), 0);
    EXPECT_EQ(readFile(result), "");
    // The input files are never changed.
    EXPECT_EQ(readFile(a), "x\r\ny");
}

TEST_F(TandelDiffTest, TroubleAndUsageErrorsGiveStatusTwo) {
    const std::string a = write("a", "a\n");
    EXPECT_EQ(run(quote(a) + " " + quote((folder / "missing").string())), 2);
    EXPECT_NE(err.find("missing"), std::string::npos);
    EXPECT_EQ(run(quote(a)), 2);
    EXPECT_NE(err.find("Error #2"), std::string::npos);
    EXPECT_EQ(run("--i " + quote(a) + " " + quote(a)), 2);
    EXPECT_NE(err.find("Error #1"), std::string::npos);
    EXPECT_EQ(run("-o " + quote((folder / "no/such/folder/out").string()) + " " + quote(a) + " " +
                  quote(a)),
              2);
    EXPECT_NE(err.find("Can't open output file"), std::string::npos);
}

TEST_F(TandelDiffTest, BinaryAndEmptyInputs) {
    const std::string empty = write("empty", "");
    const std::string binary = write("binary", std::string("\0\x01\n\xff\n\0", 6));
    EXPECT_EQ(run(quote(empty) + " " + quote(binary)), 1);
    EXPECT_EQ(out, "0a1,3\n");
    EXPECT_EQ(run("-q " + quote(empty) + " " + quote(binary)), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(run(quote(empty) + " " + quote(empty)), 0);
}

TEST_F(TandelDiffTest, StandardInputOperand) {
    const std::string a = write("a", "p\nq\n");
    EXPECT_EQ(run("- " + quote(a) + " <" + quote(write("in", "p\nr\n"))), 1);
    EXPECT_EQ(out, "2c2\n");
}

} // namespace
