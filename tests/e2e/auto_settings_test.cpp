// Unattended runs of the real program under settings read from tandel.ini. Every
// segment is taken (file 2's lines, then file 1's) and common lines come from file
// 1, so the merged output shows which lines the settings made equal.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using e2e::readFile;
using e2e::RunResult;
using e2e::writeFile;
namespace fs = std::filesystem;

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The written file as "section/key" (lower case) -> values, one pair of quotes
// removed; a key written twice under different cases has two values.
using IniFile = std::multimap<std::string, std::string>;

IniFile parseIni(const std::string& text) {
    IniFile ini;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (line.starts_with('[')) {
            section = line.substr(1, line.find(']') - 1);
        } else if (eq != std::string::npos) {
            std::string value = line.substr(eq + 1);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                value = value.substr(1, value.size() - 2);
            }
            ini.emplace(lower(section + "/" + line.substr(0, eq)), value);
        }
    }
    return ini;
}

std::string valueOf(const IniFile& ini, const std::string& section, const std::string& key) {
    const auto it = ini.find(lower(section + "/" + key));
    return it == ini.end() ? "<missing>" : it->second;
}

class AutoSettings : public ::testing::Test {
protected:
    // Runs the real program on the two texts, merging into out().
    RunResult merge(const std::string& file1, const std::string& file2) {
        return box.run(TANDEL_PATH, {"-auto", "-f1", box.put("a.txt", file1).string(), "-f2",
                                     box.put("b.txt", file2).string(), "-outf", out().string()});
    }

    fs::path out() const { return box.root / "out.txt"; }

    e2e::Sandbox box{"tandel-ini"};
    const fs::path iniPath = box.folder("config/tandel") / "tandel.ini";
};

struct SettingsCase {
    const char* name;
    const char* ini;
    const char* file1;
    const char* file2;
    const char* merged;
};

const SettingsCase kCases[] = {
    {"comma-separated, column 2 ignored",
     "[Options]\nUnix format=1\nComparison mode=1\n"
     "[Table Options]\nColDef type=5\nCustom separators=,\nIgnored columns=2\n",
     "id,name,qty\n1,apple,5\n2,pear,7\n", "id,label,qty\n1,apricots,5\n2,pear,8\n",
     "id,name,qty\n1,apple,5\n2,pear,8\n2,pear,7\n"},
    {"white-space-separated, column 2 ignored",
     "[Options]\nUnix format=1\nComparison mode=1\n[Table Options]\nColDef type=3\n"
     "Ignored columns=2\n",
     "a b c\nk l m\n", "a  xyz\tc\nk l n\n", "a b c\nk l n\nk l m\n"},
    {"column positions, stored out of order and with blanks",
     "[Options]\nUnix format=1\nComparison mode=1\n[Table Options]\nColDef type=6\n"
     "Column positions=6:8, 1 : 3\n",
     "abcXXdef\n123..456\n", "abcYYdef\n123--457\n", "abcXXdef\n123--457\n123..456\n"},
    {"every separator a column: column 3 is the second field",
     "[Options]\nUnix format=1\nComparison mode=1\n[Table Options]\nColDef type=5\n"
     "Custom separators=,\nIgnore MultiSeps=0\nIgnored columns=3\n",
     "a,b,c\np,q,r\n", "a,X,c\np,q,s\n", "a,b,c\np,q,s\np,q,r\n"},
    {"comments to the end of the line and across lines",
     "[Options]\nUnix format=1\nIgnore comments=1\nIgnored Segments=# $ /* */ \n",
     "x = 1 # one\n/* start\nmiddle\nend */ y = 2\nz\n",
     "x = 1 # the first\n/* begin\nother\ntext */  y = 2\nw\n",
     "x = 1 # one\n/* start\nmiddle\nend */ y = 2\nw\nz\n"},
    {"compressed spaces", "[Options]\nUnix format=1\nCompress spaces=1\n", "a  b\nab\n",
     "a \t b\na b\n", "a  b\na b\nab\n"},
    {"all spaces ignored", "[Options]\nUnix format=1\nIgnore Spaces=1\n", "ab c\nq\n",
     "a b  c\nr\n", "ab c\nr\nq\n"},
    {"Unix format on keeps every line end", "[Options]\nUnix format=1\n", "a\r\nb\n", "a\nc\r\n",
     "a\r\nc\r\nb\n"},
    {"line ends compared when not ignored", "[Options]\nIgnore line ends=0\n", "a\r\nb\n",
     "a\nb\n", "a\na\r\nb\n"},
    {"Unix format off writes CR LF", "[Options]\nUnix format=0\n", "a\r\nb\n", "a\nc\r\n",
     "a\r\nc\r\nb\r\n"},
    {"identical under table columns",
     "[Options]\nComparison mode=1\n[Table Options]\nColDef type=5\nCustom separators=;\n"
     "Inclusive spec=1\nIncluded columns= 1, 3\n",
     "1;a;2\r\n3;b;4\n", "1;bb;2\n3;c;4\n", nullptr},
    {"differences only shapes the window, never the saved merge", "[Options]\nDiffs Only=1\n",
     "same\nleft\n", "same\nright\n", "same\nright\nleft\n"},
    {"identical under compressed spaces", "[Options]\nCompress spaces=1\n", "a  b\r\nc\n",
     "a b\nc\n", nullptr},
    {"identical under comments", "[Options]\nIgnore comments=1\nIgnored Segments=-- $\n",
     "x -- one\n", "x -- two\n", nullptr},
};

TEST_F(AutoSettings, MergedOutputFollowsTheStoredComparisonSettings) {
    for (const SettingsCase& c : kCases) {
        SCOPED_TRACE(c.name);
        writeFile(iniPath, c.ini);
        fs::remove(out());
        const RunResult r = merge(c.file1, c.file2);
        ASSERT_EQ(r.exitCode, 0) << r.errors;
        // Files equal only under the settings are reported identical, and the
        // result is file 1 byte for byte, whatever the line-end setting.
        const bool identical = c.merged == nullptr;
        EXPECT_EQ(r.errors.find("Info: Files are identical") != std::string::npos, identical)
            << r.errors;
        EXPECT_EQ(readFile(out()), identical ? c.file1 : c.merged);
    }
}

TEST_F(AutoSettings, ShutDownWritesTheSettingsBack) {
    // First run: no file at all; the defaults are written.
    ASSERT_EQ(merge("1\n", "2\n").exitCode, 0);
    IniFile written = parseIni(readFile(iniPath));
    EXPECT_EQ(valueOf(written, "Options", "Tab size"), "8");
    EXPECT_EQ(valueOf(written, "Options", "Comparison mode"), "0");
    EXPECT_EQ(valueOf(written, "Table Options", "ColDef type"), "3");
    EXPECT_EQ(valueOf(written, "Table Options", "Ignore MultiSeps"), "1");
    EXPECT_EQ(valueOf(written, "Table Options", "Column positions"), "");

    // The user's values survive the run, in the forms they are stored in; the
    // lower-case spelling of the spaces key is read and written back once.
    writeFile(iniPath, "[Options]\nTab size=4\nContext lines=5\nIgnore spaces=1\nUnix format=1\n"
                       "Comparison mode=1\nIgnore comments=1\nIgnored Segments=-- $ \n"
                       "[Table Options]\nColDef type=5\nCustom separators=\\t;\n"
                       "Custom charset=0-9\nInclusive spec=1\nIncluded columns=1;3\n"
                       "Ignore MultiSeps=0\nColumn positions=12:20,1:8\n");
    // Separators count as columns, so column 3 is the second field and decides.
    const RunResult r = merge("1;a;2\n", "1;b;2\n");
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(readFile(out()), "1;b;2\n1;a;2\n");
    written = parseIni(readFile(iniPath));
    const char* const kept[][3] = {
        {"Options", "Tab size", "4"},
        {"Options", "Context lines", "5"},
        {"Options", "Ignore Spaces", "1"},
        {"Options", "Comparison mode", "1"},
        {"Options", "Ignore comments", "1"},
        {"Options", "Ignored Segments", "-- $ "},
        {"Table Options", "ColDef type", "5"},
        {"Table Options", "Custom separators", "\\t;"},
        {"Table Options", "Custom charset", "0-9"},
        {"Table Options", "Inclusive spec", "1"},
        {"Table Options", "Included columns", " 1, 3"},
        {"Table Options", "Ignored columns", ""},
        {"Table Options", "Ignore MultiSeps", "0"},
        {"Table Options", "Column positions", "1:8,12:20"},
    };
    for (const auto& [section, key, value] : kept) {
        EXPECT_EQ(valueOf(written, section, key), value) << key;
    }
    EXPECT_EQ(written.count("options/ignore spaces"), 1u);
}

} // namespace
