#include "app/help_location.h"

#include <filesystem>
#include <system_error>

namespace tandel::ui {

std::vector<std::string> helpFolders(const std::string& programDir) {
    const std::filesystem::path dir(programDir);
    // A build tree keeps the program in build/ under the sources; an installed
    // program lives in <prefix>/bin beside <prefix>/share.
    return {
        (dir / "resources" / "help").lexically_normal().string(),
        (dir / ".." / "resources" / "help").lexically_normal().string(),
        (dir / ".." / "share" / "doc" / "tandel").lexically_normal().string(),
    };
}

std::string findHelpPage(const std::string& programDir) {
    for (const std::string& folder : helpFolders(programDir)) {
        const std::filesystem::path page = std::filesystem::path(folder) / "index.html";
        std::error_code error;
        if (std::filesystem::is_regular_file(page, error)) {
            return page.string();
        }
    }
    return {};
}

std::string helpFragment(int context) {
    return context == 0 ? std::string() : "context-" + std::to_string(context);
}

} // namespace tandel::ui
