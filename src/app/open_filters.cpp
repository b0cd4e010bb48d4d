#include "app/open_filters.h"

#include <algorithm>

namespace tandel::ui {

namespace {

std::string dialogPatterns(const std::string& patterns) {
    std::string out;
    std::string word;
    const auto flush = [&] {
        if (word.empty()) {
            return;
        }
        if (!out.empty()) {
            out += ' ';
        }
        out += word == "*.*" ? "*" : word;
        word.clear();
    };
    for (const char c : patterns) {
        if (c == ';' || c == ' ' || c == ',') {
            flush();
        } else {
            word += c;
        }
    }
    flush();
    return out;
}

} // namespace

std::vector<std::string> openFilters(const StringLists& lists) {
    std::vector<std::string> filters{"All files(*)"};
    const std::size_t count = std::min(lists.fileDescriptions.size(), lists.fileFilters.size());
    for (std::size_t i = 0; i < count; ++i) {
        filters.push_back(lists.fileDescriptions[i] + " (" + dialogPatterns(lists.fileFilters[i]) +
                          ")");
    }
    return filters;
}

int filterToSelect(int storedIndex, std::size_t filterCount) {
    if (filterCount == 0 || storedIndex < 0 ||
        static_cast<std::size_t>(storedIndex) >= filterCount) {
        return 0;
    }
    return storedIndex;
}

} // namespace tandel::ui
