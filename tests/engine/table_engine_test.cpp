// The engine run in table mode and with comment definitions, as the comparison
// driver calls it: "-s -a -b -o result file1 file2" on engine copies of files.
#include "engine/engine.h"
#include "engine/table_reducer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tandel {
namespace {

namespace fs = std::filesystem;

class CollectingSink : public MessageSink {
public:
    void engineMessage(const std::string& text) override { messages += text; }
    std::string messages;
};

class TableEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(::testing::TempDir()) / (std::string("table_engine_") + info->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void setType(int type) {
        settings.columnType = type;
        rebuildColumnTable(settings);
    }

    // The result file's contents, "same" standing for the identical report.
    std::string compare(const std::string& text1, const std::string& text2,
                        const std::vector<std::string>& extraOptions = {}) {
        const std::string file1 = (dir / "one.txt").string();
        const std::string file2 = (dir / "two.txt").string();
        const std::string result = (dir / "result").string();
        std::ofstream(file1, std::ios::binary) << text1;
        std::ofstream(file2, std::ios::binary) << text2;

        std::vector<std::string> args = {"diff", "-s", "-a", "-b"};
        args.insert(args.end(), extraOptions.begin(), extraOptions.end());
        args.insert(args.end(), {"-o", result, file1, file2});
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);

        std::vector<char> copy1(text1.begin(), text1.end());
        std::vector<char> copy2(text2.begin(), text2.end());
        copy1.resize(text1.size() + kEngineSpareBytes);
        copy2.resize(text2.size() + kEngineSpareBytes);

        TableReducer reducer(settings);
        CollectingSink sink;
        Engine engine;
        engine.run(static_cast<int>(args.size()), argv.data(), {copy1.data(), text1.size()},
                   {copy2.data(), text2.size()}, sink, makeEngineContext(settings, reducer));
        EXPECT_EQ(sink.messages, "");

        std::ostringstream out;
        out << std::ifstream(result, std::ios::binary).rdbuf();
        const std::string identical = "Files " + file1 + " and " + file2 + " are identical\n";
        return out.str() == identical ? "same" : out.str();
    }

    fs::path dir;
    CompareSettings settings;
};

TEST_F(TableEngineTest, CommaSeparatedWithAColumnIgnored) {
    settings.tableMode = 1;
    settings.customSeparators = std::string(",");
    setType(kColumnCustomSeparators);
    settings.ignored.assign({2});
    const std::string before = "id,name,age\n1,Smith,40\n2,Jones,31\n";
    EXPECT_EQ(compare(before, "id,NAME,age\n1,Smyth,40\n2,Jones,31\n"), "same");
    EXPECT_EQ(compare(before, "id,name,age\n1,Smith,40\n2,Jones,32\n"), "3c3\n");
    EXPECT_EQ(compare(before, "ID,name,age\n1,Smith,40\n2,Jones,31\n"), "1c1\n");
    EXPECT_EQ(compare(before, "ID,name,age\n1,Smith,40\n2,Jones,31\n", {"-i"}), "same");
}

TEST_F(TableEngineTest, WhiteSpaceAndNumericColumns) {
    settings.tableMode = 1;
    setType(kColumnWhiteSpaceSeparated);
    const std::string before = "a b c\nd e f\ng h i\n";
    // Indenting a row leaves its columns as they were.
    EXPECT_EQ(compare(before, "a\tb   c\n  d e f\ng h i   \n"), "same");
    EXPECT_EQ(compare(before, "a b c\nd e F\nx\ng h i\n"), "2c2,3\n");

    setType(kColumnNumeric);
    EXPECT_EQ(compare("x=1.5\ny=2\n", "1.5\nlength 2\n"), "same");
    EXPECT_EQ(compare("x=1.5\ny=2\n", "x=1.6\ny=2\n"), "1c1\n");
}

TEST_F(TableEngineTest, ColumnPositions) {
    settings.tableMode = 1;
    setType(kColumnPositions);
    settings.positions = {{1, 3}, {8, 10}};
    const std::string before = "001 xx 100\n002 yy 200\n";
    EXPECT_EQ(compare(before, "001 ab 100\n002 cd 200\n"), "same");
    EXPECT_EQ(compare(before, "001 xx 100\n002 yy 201\n"), "2c2\n");
}

TEST_F(TableEngineTest, SeparatorsCountWithoutIgnoreMultiSeps) {
    settings.tableMode = 1;
    settings.customSeparators = std::string(",");
    setType(kColumnCustomSeparators);
    EXPECT_EQ(compare("k,a,,b\nk,c\n", "k,a,b\nk,c\n"), "same");
    settings.ignoreMultiSeps = 0;
    EXPECT_EQ(compare("k,a,,b\nk,c\n", "k,a,b\nk,c\n"), "1c1\n");
}

TEST_F(TableEngineTest, CommentsOfBothKindsAreIgnored) {
    settings.ignoreComments = 1;
    settings.comments = {{"/*", "*/"}, {"#", "$"}};
    const std::string before = "x = 1; # one\ny = 2;\n/* block\n spanning */\nz = 3;\n";
    EXPECT_EQ(compare(before, "x = 1; # uno\ny = 2;\n/* other\n text */\nz = 3;\n"), "same");
    EXPECT_EQ(compare(before, "x = 1;\ny = 2;\n/* other\n text */\nz = 4; # four\n"), "5c5\n");

    // Together with table mode: the comments go first, then the columns.
    settings.tableMode = 1;
    setType(kColumnWhiteSpaceSeparated);
    EXPECT_EQ(compare("a  b # note\nc d\n", "a b\nc d # other\n"), "same");
}

} // namespace
} // namespace tandel
