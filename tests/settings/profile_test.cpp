// The ini file underneath the settings, and where it lives.
#include "settings/profile.h"
#include "settings/settings_path.h"

#include <cerrno>
#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <utility>

#include "support/failing_file_system.h"
#include "support/temp_folder.h"

namespace tandel {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

struct ProfileFile : ::testing::Test {
    TempFolder dir;
    std::string path = dir.file("a.ini");
    Profile ini{path};
};

TEST_F(ProfileFile, NamesAreCaseBlindAndKeepTheirFirstSpelling) {
    ini.writeInt("Options", "Ignore spaces", 1);
    ini.writeInt("OPTIONS", "Ignore Spaces", 0);
    EXPECT_EQ(ini.readInt("options", "IGNORE SPACES", 7), 0);
    EXPECT_EQ(ini.keys("Options"), std::vector<std::string>{"Ignore spaces"});
    ini.writeString("A", "x", "1");
    ini.writeString("A", "y", "2");
    ini.writeString("B", "z", "3");
    ini.deleteKey("a", "X");
    ini.deleteSection("b");
    EXPECT_FALSE(ini.hasKey("A", "x"));
    EXPECT_TRUE(ini.hasKey("A", "y"));
    EXPECT_FALSE(ini.hasSection("B"));
    ini.deleteSection("A");
    ASSERT_TRUE(ini.save().ok());
    EXPECT_EQ(readFile(path), "[Options]\nIgnore spaces=0\n");
    // A new file names the user's folders: theirs alone.
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(ProfileFile, IntegersReadLikeAtoiAndSaturate) {
    writeFile(path, "[S]\nplain=42\nsigned=-17\nplus=+5\ntrail=12abc\nword=abc\nempty=\n"
                    "big=99999999999999999999\nsmall=-99999999999\nmin=-2147483648\n"
                    "quoted=\" 9\"\n");
    ASSERT_EQ(ini.load(), ProfileLoad::Read);
    const std::pair<const char*, int> cases[] = {
        {"plain", 42},        {"signed", -17},    {"plus", 5},    {"trail", 12},
        {"word", 0},          {"empty", 3},       {"missing", 3}, {"big", INT32_MAX},
        {"small", INT32_MIN}, {"min", INT32_MIN}, {"quoted", 9}};
    for (const auto& [key, value] : cases)
        EXPECT_EQ(ini.readInt("S", key, 3), value) << key;
}

TEST_F(ProfileFile, AwkwardValuesSurviveSaveAndLoadWithoutBreakingTheFile) {
    std::vector<std::pair<std::string, std::string>> values = {
        {"blanks", "  blanks around\t"}, {"quoted", "\"quoted\""},       {"quote", "\""},
        {"heredoc", "<<<TAG"},           {"comment", "; not a comment"}, {"equals", "a=b"},
        {"header", "[Options]"},         {"tab", "tab\tinside"},         {"empty", ""},
        {"invalid", "\xff\xfe invalid"}};
    values.emplace_back("long", std::string(100000, 'x'));
    for (const auto& [key, value] : values)
        ini.writeString("S", key, value);
    // A line break must not let a value turn into keys of its own.
    ini.writeString("S", "multi", "one\n[Options]\nTab size=1\r\nx");
    ASSERT_TRUE(ini.save().ok());

    Profile back(path);
    ASSERT_EQ(back.load(), ProfileLoad::Read);
    for (const auto& [key, value] : values)
        EXPECT_EQ(back.readString("S", key, "?"), value) << key;
    EXPECT_EQ(back.readString("S", "multi", ""), "one [Options] Tab size=1  x");
    EXPECT_FALSE(back.hasSection("Options"));
}

TEST_F(ProfileFile, LinesNotUnderstoodAreKeptAsCommentsAndTheRestIsRead) {
    writeFile(path, "\x01\xff[[[\n=novalue\n[Odd]\nkey=1\n[Options\r\n[Options] junk\r\n"
                    "Tab size=4\r\n; remark\r\nUnknown key = kept \r\nlast words\n; end\n");
    ASSERT_EQ(ini.load(), ProfileLoad::Read);
    EXPECT_EQ(ini.reading().kind, ProfileReading::Kind::UnreadLines);
    EXPECT_EQ(ini.reading().unreadLines, 5u);
    EXPECT_EQ(ini.reading().firstUnreadLine, 1u);
    EXPECT_EQ(ini.readInt("Options", "Tab size", 8), 4);
    ini.writeInt("Options", "Tab size", 5);
    ASSERT_TRUE(ini.save().ok());
    std::string text = readFile(path);
    std::erase_if(text, [previous = '\n'](char c) mutable {
        return std::exchange(previous, c) == '\n' && c == '\n'; // blank lines
    });
    EXPECT_EQ(text, ";\x01\xff[[[\n;=novalue\n[Odd]\nkey=1\n;[Options\n;[Options] junk\n"
                    "[Options]\nTab size=5\n; remark\nUnknown key=kept\n;last words\n; end\n");
    Profile back(path);
    ASSERT_EQ(back.load(), ProfileLoad::Read);
    EXPECT_EQ(back.reading().kind, ProfileReading::Kind::Clean);
}

TEST_F(ProfileFile, ASaveThatChangesNothingLeavesTheFileAlone) {
    writeFile(path, "[S]\nk=1\n");
    testing::FailingFileSystem files;
    files.fail(testing::FileOp::Open, "a.ini", EIO);
    Profile loaded(path, files);
    ASSERT_EQ(loaded.load(), ProfileLoad::Read);
    loaded.writeInt("S", "k", 1);
    EXPECT_TRUE(loaded.save().ok());
    loaded.writeInt("S", "k", 2);
    EXPECT_EQ(loaded.save().error(), EIO);
    // Changed by someone else since it was read: written again.
    ASSERT_EQ(loaded.load(), ProfileLoad::Read);
    writeFile(path, "[S]\nk=3\n\n");
    EXPECT_EQ(loaded.save().error(), EIO);
}

TEST(SettingsPath, FollowsTheConfigurationFolderRules) {
    EXPECT_EQ(settingsPathFrom("/x/cfg", "/home/u", "/pw"), "/x/cfg/tandel/tandel.ini");
    // A relative or empty XDG_CONFIG_HOME is ignored.
    EXPECT_EQ(settingsPathFrom("cfg", "/home/u", "/pw"), "/home/u/.config/tandel/tandel.ini");
    EXPECT_EQ(settingsPathFrom("", "/home/u", nullptr), "/home/u/.config/tandel/tandel.ini");
    EXPECT_EQ(settingsPathFrom(nullptr, nullptr, "/pw"), "/pw/.config/tandel/tandel.ini");
    // No home at all: the working folder, which needs no creating.
    EXPECT_EQ(settingsPathFrom(nullptr, "", ""), "tandel.ini");
    EXPECT_TRUE(ensureSettingsFolder(realFileSystem(), "tandel.ini").ok());
}

TEST(SettingsPath, TheFolderIsMadeWithItsParentsUnlessAFileIsInTheWay) {
    TempFolder dir;
    EXPECT_TRUE(ensureSettingsFolder(realFileSystem(), dir.file("a/b/tandel.ini")).ok());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("a/b")));
    EXPECT_TRUE(ensureSettingsFolder(realFileSystem(), dir.file("a/b/tandel.ini")).ok());
    dir.write("file", "x");
    EXPECT_EQ(ensureSettingsFolder(realFileSystem(), dir.file("file/c/tandel.ini")).error(),
              ENOTDIR);
    EXPECT_EQ(dir.read("file"), "x");
}

} // namespace
} // namespace tandel
