#include "settings/settings_path.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "support/temp_folder.h"

namespace tandel {
namespace {

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
    testing::TempFolder dir;
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
