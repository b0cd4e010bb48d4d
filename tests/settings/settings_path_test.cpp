#include "settings/settings_path.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(ensureSettingsFolder("tandel.ini"), 0);
}

} // namespace
} // namespace tandel
