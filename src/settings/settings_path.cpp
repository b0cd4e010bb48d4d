#include "settings/settings_path.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace tandel {

namespace {

bool usable(const char* s) {
    return s != nullptr && *s != '\0';
}

std::string passwdHomeOfUser() {
    long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(hint > 0 ? static_cast<std::size_t>(hint) : 4096);
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
           buffer.size() < (1u << 20)) {
        buffer.resize(buffer.size() * 2);
    }
    return found != nullptr && usable(found->pw_dir) ? std::string(found->pw_dir) : std::string();
}

} // namespace

std::string settingsPathFrom(const char* xdgConfigHome, const char* home, const char* passwdHome) {
    // The base directory rules ignore a relative XDG_CONFIG_HOME.
    if (usable(xdgConfigHome) && xdgConfigHome[0] == '/') {
        return std::string(xdgConfigHome) + "/tandel/tandel.ini";
    }
    if (usable(home)) {
        return std::string(home) + "/.config/tandel/tandel.ini";
    }
    if (usable(passwdHome)) {
        return std::string(passwdHome) + "/.config/tandel/tandel.ini";
    }
    return "tandel.ini";
}

std::string defaultSettingsPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if ((usable(xdg) && xdg[0] == '/') || usable(home)) {
        return settingsPathFrom(xdg, home, nullptr);
    }
    std::string passwdHome = passwdHomeOfUser();
    return settingsPathFrom(nullptr, nullptr, passwdHome.c_str());
}

IoStatus ensureSettingsFolder(FileSystem& files, const std::string& iniPath) {
    const std::size_t slash = iniPath.rfind('/');
    if (slash == std::string::npos || slash == 0) {
        return {}; // the working folder or the root: there already
    }
    const std::string folder = iniPath.substr(0, slash);
    FileStatus there;
    if (const IoStatus examined = files.status(folder, there); !examined.ok()) {
        return examined;
    }
    if (there.kind != FileKind::Missing) {
        return there.isDirectory() ? IoStatus() : IoStatus::failure(ENOTDIR);
    }
    if (const IoStatus parent = ensureSettingsFolder(files, folder); !parent.ok()) {
        return parent;
    }
    const IoStatus made = files.makeFolder(folder);
    // Another instance may have made it meanwhile.
    return made.error() == EEXIST && kindOf(files, folder) == FileKind::Directory ? IoStatus()
                                                                                  : made;
}

} // namespace tandel
