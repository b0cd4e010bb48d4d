// The real program under settings read from tandel.ini, and with a tandel.ini
// that is no text or may not be written.
#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using e2e::readFile;
using e2e::writeFile;
namespace fs = std::filesystem;

class Settings : public ::testing::Test {
protected:
    e2e::RunResult merge(const std::string& file1 = "a\n", const std::string& file2 = "b\n") const {
        return box.run(TANDEL_PATH, e2e::autoMerge(box.put("a", file1), box.put("b", file2), out));
    }

    e2e::Sandbox box;
    const fs::path out = box.root / "out";
    const fs::path ini = box.folder("config/tandel") / "tandel.ini";
    const std::string bad = ini.string() + ".bad";
};

// Every segment is taken (file 2's lines, then file 1's) and common lines come
// from file 1, so the merged output shows which lines the settings made equal.
TEST_F(Settings, MergedOutputFollowsTheStoredComparisonSettings) {
    const struct {
        const char *name, *ini, *file1, *file2, *merged;
    } cases[] = {
        {"comma-separated, column 2 ignored",
         "[Options]\nUnix format=1\nComparison mode=1\n"
         "[Table Options]\nColDef type=5\nCustom separators=,\nIgnored columns=2\n",
         "id,name,qty\n1,apple,5\n2,pear,7\n", "id,label,qty\n1,apricots,5\n2,pear,8\n",
         "id,name,qty\n1,apple,5\n2,pear,8\n2,pear,7\n"},
        {"comments to the end of the line and across lines",
         "[Options]\nUnix format=1\nIgnore comments=1\nIgnored Segments=# $ /* */ \n",
         "x = 1 # one\n/* start\nmiddle\nend */ y = 2\nz\n",
         "x = 1 # the first\n/* begin\nother\ntext */  y = 2\nw\n",
         "x = 1 # one\n/* start\nmiddle\nend */ y = 2\nw\nz\n"},
        {"compressed spaces", "[Options]\nUnix format=1\nCompress spaces=1\n", "a  b\nab\n",
         "a \t b\na b\n", "a  b\na b\nab\n"},
        {"Unix format on keeps every line end", "[Options]\nUnix format=1\n", "a\r\nb\n",
         "a\nc\r\n", "a\r\nc\r\nb\n"},
        // A last line without a line end stays without one.
        {"Unix format off writes CR LF", "[Options]\nUnix format=0\n", "a\r\nb", "a\nc\r\n",
         "a\r\nc\r\nb"},
        // Files equal only under the settings are reported identical, and the
        // result is file 1 byte for byte, whatever the line-end setting.
        {"identical under table columns",
         "[Options]\nComparison mode=1\n[Table Options]\nColDef type=5\nCustom separators=;\n"
         "Inclusive spec=1\nIncluded columns= 1, 3\n",
         "1;a;2\r\n3;b;4\n", "1;bb;2\n3;c;4\n", nullptr},
        {"differences only shapes the window, never the saved merge", "[Options]\nDiffs Only=1\n",
         "same\nleft\n", "same\nright\n", "same\nright\nleft\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(ini, c.ini);
        const e2e::RunResult r = merge(c.file1, c.file2);
        ASSERT_EQ(r.exitCode, 0) << r.errors;
        const bool identical = c.merged == nullptr;
        EXPECT_EQ(r.errors.find("Info: Files are identical") != std::string::npos, identical)
            << r.errors;
        EXPECT_EQ(readFile(out), identical ? c.file1 : c.merged);
    }
    // Written back at the end of the run, the user's values stay.
    EXPECT_NE(readFile(ini).find("\nDiffs Only=1\n"), std::string::npos) << readFile(ini);
}

TEST_F(Settings, AFileThatIsNoTextIsKeptBesideItAndReplacedAfterOneWarning) {
    std::string utf16 = "\xff\xfe";
    for (const char c : std::string("[Options]\r\nTab size=4\r\n[Mine]\r\nk=v\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    writeFile(ini, utf16);
    e2e::RunResult r = merge();
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(r.errors, "Warning: The settings file " + ini.string() +
                            " is not a text file, so the default settings are used. The file as "
                            "it was is kept as " +
                            bad + ".\n");
    EXPECT_EQ(readFile(bad), utf16);
    EXPECT_NE(readFile(ini).find("\nTab size=8\n"), std::string::npos);
    r = merge();
    EXPECT_EQ(r.errors.find("Warning: "), std::string::npos) << r.errors;
    EXPECT_EQ(readFile(bad), utf16);
}

TEST_F(Settings, AReadOnlyFileStaysAsItWasAndTheRunSaysSo) {
    writeFile(ini, "[Options]\nTab size=4\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const e2e::RunResult r = merge();
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(r.errors, "Warning: The settings were not written to " + ini.string() +
                            ": Permission denied.\n");
    EXPECT_EQ(readFile(ini), "[Options]\nTab size=4\n");
}

} // namespace
