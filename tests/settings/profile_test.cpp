#include "settings/profile.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>

#include "settings/temp_folder.h"

namespace tandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

std::string keyOf(std::size_t i) {
    std::string key = "k";
    key += std::to_string(i);
    return key;
}

TEST(Profile, NamesAreCaseBlindAndKeepTheirFirstSpelling) {
    TempFolder dir;
    Profile ini(dir.file("a.ini"));
    ini.writeInt("Options", "Ignore spaces", 1);
    ini.writeInt("OPTIONS", "Ignore Spaces", 0);
    EXPECT_EQ(ini.readInt("options", "IGNORE SPACES", 7), 0);
    EXPECT_EQ(ini.keys("Options"), std::vector<std::string>{"Ignore spaces"});
    ASSERT_EQ(ini.save(), 0);
    EXPECT_EQ(readFile(dir.file("a.ini")), "[Options]\nIgnore spaces=0\n");
}

TEST(Profile, IntegersReadLikeAtoiAndSaturate) {
    TempFolder dir;
    writeFile(dir.file("a.ini"), "[S]\n"
                                 "plain=42\nsigned=-17\nplus=+5\ntrail=12abc\nword=abc\n"
                                 "empty=\nbig=99999999999999999999\nsmall=-99999999999\n"
                                 "min=-2147483648\nquoted=\" 9\"\n");
    Profile ini(dir.file("a.ini"));
    ASSERT_EQ(ini.load(), 0);
    EXPECT_EQ(ini.readInt("S", "plain", 0), 42);
    EXPECT_EQ(ini.readInt("S", "signed", 0), -17);
    EXPECT_EQ(ini.readInt("S", "plus", 0), 5);
    EXPECT_EQ(ini.readInt("S", "trail", 0), 12);
    EXPECT_EQ(ini.readInt("S", "word", 3), 0);
    EXPECT_EQ(ini.readInt("S", "empty", 3), 3);
    EXPECT_EQ(ini.readInt("S", "missing", 3), 3);
    EXPECT_EQ(ini.readInt("S", "big", 0), INT32_MAX);
    EXPECT_EQ(ini.readInt("S", "small", 0), INT32_MIN);
    EXPECT_EQ(ini.readInt("S", "min", 0), INT32_MIN);
    EXPECT_EQ(ini.readInt("S", "quoted", 0), 9);
}

TEST(Profile, AwkwardValuesSurviveSaveAndLoadWithoutBreakingTheFile) {
    TempFolder dir;
    const std::vector<std::string> values = {"  blanks around\t",
                                             "\"quoted\"",
                                             "\"",
                                             "<<<TAG",
                                             "; not a comment",
                                             "a=b",
                                             "[Options]",
                                             "tab\tinside",
                                             "",
                                             std::string(100000, 'x'),
                                             "\xff\xfe invalid utf-8"};
    Profile ini(dir.file("a.ini"));
    for (std::size_t i = 0; i < values.size(); ++i) {
        ini.writeString("S", keyOf(i), values[i]);
    }
    // A line break must not let a value turn into keys of its own.
    ini.writeString("S", "multi", "one\n[Options]\nTab size=1\r\nx");
    ASSERT_EQ(ini.save(), 0);

    Profile back(dir.file("a.ini"));
    ASSERT_EQ(back.load(), 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(back.readString("S", keyOf(i), "?"), values[i]) << i;
    }
    EXPECT_EQ(back.readString("S", "multi", ""), "one [Options] Tab size=1  x");
    EXPECT_FALSE(back.hasSection("Options"));
}

TEST(Profile, GarbageAndUnknownContentIsReadAndKept) {
    TempFolder dir;
    std::string garbage = "\x01\x02\xff[[[\n=novalue\n[Odd]\nkey=1\n";
    garbage += std::string("noise\0more\n", 11);
    garbage += "[Options]\r\nTab size=4\r\n; remark\r\nUnknown key = kept \r\n";
    writeFile(dir.file("a.ini"), garbage);
    Profile ini(dir.file("a.ini"));
    ASSERT_EQ(ini.load(), 0);
    // The NUL byte did not hide what follows it.
    EXPECT_EQ(ini.readInt("Options", "Tab size", 8), 4);
    ini.writeInt("Options", "Tab size", 5);
    ASSERT_EQ(ini.save(), 0);

    Profile back(dir.file("a.ini"));
    ASSERT_EQ(back.load(), 0);
    EXPECT_EQ(back.readInt("Options", "Tab size", 8), 5);
    EXPECT_EQ(back.readString("Options", "Unknown key", ""), "kept");
    EXPECT_EQ(back.readInt("Odd", "key", 0), 1);
    EXPECT_NE(readFile(dir.file("a.ini")).find("; remark"), std::string::npos);
}

TEST(Profile, DeletingKeysAndSections) {
    Profile ini("unused.ini");
    ini.writeString("A", "x", "1");
    ini.writeString("A", "y", "2");
    ini.writeString("B", "z", "3");
    ini.deleteKey("a", "X");
    ini.deleteSection("b");
    EXPECT_FALSE(ini.hasKey("A", "x"));
    EXPECT_TRUE(ini.hasKey("A", "y"));
    EXPECT_FALSE(ini.hasSection("B"));
    EXPECT_EQ(ini.readString("B", "z", "gone"), "gone");
}

TEST(Profile, MissingFileIsEmptyAndUnusablePathsFailCleanly) {
    TempFolder dir;
    Profile missing(dir.file("none.ini"));
    EXPECT_EQ(missing.load(), 0);
    EXPECT_TRUE(missing.keys("Options").empty());

    // Root ignores permission bits, so the unwritable place is a path through a file.
    writeFile(dir.file("plain"), "x");
    Profile underFile(dir.file("plain") + "/tandel.ini");
    EXPECT_EQ(underFile.load(), 0);
    underFile.writeInt("Options", "Tab size", 3);
    EXPECT_EQ(underFile.save(), -1);

    std::filesystem::create_directory(dir.file("folder.ini"));
    Profile folder(dir.file("folder.ini"));
    EXPECT_EQ(folder.load(), -1);
    EXPECT_EQ(folder.save(), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.ini")));
}

TEST(Profile, FailedSaveLeavesOldFileAndNoLeftovers) {
    TempFolder dir;
    // A folder in the way of the rename makes the last step fail.
    std::filesystem::create_directory(dir.file("t.ini"));
    writeFile(dir.file("t.ini") + "/inside", "old");
    Profile ini(dir.file("t.ini"));
    ini.writeInt("Options", "Tab size", 3);
    EXPECT_EQ(ini.save(), -1);
    EXPECT_EQ(readFile(dir.file("t.ini") + "/inside"), "old");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.file(""))) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(Profile, SaveGoesThroughASymbolicLink) {
    TempFolder dir;
    writeFile(dir.file("real.ini"), "[S]\nk=1\n");
    std::filesystem::create_symlink(dir.file("real.ini"), dir.file("link.ini"));
    Profile ini(dir.file("link.ini"));
    ASSERT_EQ(ini.load(), 0);
    ini.writeInt("S", "k", 2);
    ASSERT_EQ(ini.save(), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(readFile(dir.file("real.ini")), "[S]\nk=2\n");
}

} // namespace
} // namespace tandel
