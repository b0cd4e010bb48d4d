#include "settings/settings_path.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "settings/temp_folder.h"

namespace tandel {
namespace {

TEST(SettingsPath, FollowsTheConfigurationFolderRules) {
    EXPECT_EQ(settingsPathFrom("/x/cfg", "/home/u", "/pw"), "/x/cfg/tandel/tandel.ini");
    // A relative or empty XDG_CONFIG_HOME is ignored.
    EXPECT_EQ(settingsPathFrom("cfg", "/home/u", "/pw"), "/home/u/.config/tandel/tandel.ini");
    EXPECT_EQ(settingsPathFrom("", "/home/u", nullptr), "/home/u/.config/tandel/tandel.ini");
    EXPECT_EQ(settingsPathFrom(nullptr, nullptr, "/pw"), "/pw/.config/tandel/tandel.ini");
    EXPECT_EQ(settingsPathFrom(nullptr, "", ""), "tandel.ini");
    EXPECT_FALSE(defaultSettingsPath().empty());
}

TEST(SettingsPath, EnsuringTheFolderCreatesParentsOrReportsFailure) {
    testing::TempFolder dir;
    EXPECT_EQ(ensureSettingsFolder(dir.file("a/b/c/tandel.ini")), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("a/b/c")));
    EXPECT_EQ(ensureSettingsFolder(dir.file("a/b/c/tandel.ini")), 0);
    testing::writeFile(dir.file("file"), "x");
    EXPECT_EQ(ensureSettingsFolder(dir.file("file/tandel.ini")), -1);
    EXPECT_EQ(ensureSettingsFolder("tandel.ini"), 0);
}

} // namespace
} // namespace tandel
