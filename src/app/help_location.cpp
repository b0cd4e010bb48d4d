#include "app/help_location.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace tandel::ui {

std::vector<std::string> helpFolders(const std::string& programDir) {
    const std::filesystem::path dir(programDir);
    // A build tree keeps the program in build/ under the sources; an installed
    // program lives in <prefix>/bin beside <prefix>/share, the window program
    // in <prefix>/libexec/tandel.
    return {
        (dir / "resources" / "help").lexically_normal().string(),
        (dir / ".." / "resources" / "help").lexically_normal().string(),
        (dir / ".." / "share" / "doc" / "tandel").lexically_normal().string(),
        (dir / ".." / ".." / "share" / "doc" / "tandel").lexically_normal().string(),
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

std::vector<std::string> browserCommand(const char* browserVariable, const std::string& url) {
    if (browserVariable == nullptr) {
        return {};
    }
    const std::string_view all(browserVariable);
    const std::string_view first = all.substr(0, all.find(':'));
    std::vector<std::string> words;
    bool placed = false;
    std::size_t at = 0;
    while (at < first.size()) {
        const std::size_t end = std::min(first.find(' ', at), first.size());
        if (end > at) {
            std::string word(first.substr(at, end - at));
            if (const std::size_t mark = word.find("%s"); mark != std::string::npos) {
                word.replace(mark, 2, url);
                placed = true;
            }
            words.push_back(std::move(word));
        }
        at = end + 1;
    }
    if (!words.empty() && !placed) {
        words.push_back(url);
    }
    return words;
}

std::string programOnPath(const std::string& program, const char* searchPath) {
    if (program.find('/') != std::string::npos) {
        return program;
    }
    const std::string_view folders(searchPath != nullptr ? searchPath : "");
    std::size_t at = 0;
    while (at <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', at), folders.size());
        const std::filesystem::path candidate =
            std::filesystem::path(end > at ? std::string(folders.substr(at, end - at)) : ".") /
            program;
        std::error_code error;
        if (::access(candidate.c_str(), X_OK) == 0 &&
            std::filesystem::is_regular_file(candidate, error)) {
            return candidate.string();
        }
        at = end + 1;
    }
    return {};
}

} // namespace tandel::ui
