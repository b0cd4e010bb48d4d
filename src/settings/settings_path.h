#pragma once

// Where tandel.ini lives: $XDG_CONFIG_HOME/tandel/tandel.ini, by default
// ~/.config/tandel/tandel.ini.

#include <string>

#include "base/file_system.h"

namespace tandel {

// The path from explicit inputs (any may be null or empty): the XDG configuration
// folder when it is an absolute path, else the home folder's ".config", else the
// password database's home folder, else "tandel.ini" in the working folder.
std::string settingsPathFrom(const char* xdgConfigHome, const char* home, const char* passwdHome);

// The path for this process, from its environment and the password database.
std::string defaultSettingsPath();

// Makes sure the folder that holds `iniPath` exists, creating missing parents;
// ENOTDIR when something other than a folder is in the way.
[[nodiscard]] IoStatus ensureSettingsFolder(FileSystem& files, const std::string& iniPath);

} // namespace tandel
