#include "dirmerge/filter_lists.h"

#include "dirmerge/names.h"

#include <algorithm>

namespace tandel {

bool addPattern(std::vector<std::string>& patterns, const std::string& text) {
    if (text.empty())
        return false;
    if (std::any_of(patterns.begin(), patterns.end(),
                    [&](const std::string& p) { return compareIgnoringCase(p, text) == 0; }))
        return false;
    patterns.push_back(text);
    return true;
}

std::vector<FileType> fileTypesOf(const StringLists& lists) {
    const std::size_t n = std::min(lists.fileFilters.size(), lists.fileDescriptions.size());
    std::vector<FileType> types;
    types.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        types.push_back({lists.fileFilters[i], lists.fileDescriptions[i]});
    return types;
}

void storeFileTypes(StringLists& lists, const std::vector<FileType>& types) {
    lists.fileFilters.clear();
    lists.fileDescriptions.clear();
    for (const FileType& t : types) {
        lists.fileFilters.push_back(t.pattern);
        lists.fileDescriptions.push_back(t.description);
    }
}

bool addFileType(std::vector<FileType>& types, const FileType& type) {
    if (type.pattern.empty() || type.description.empty())
        return false;
    types.push_back(type);
    return true;
}

std::string fileTypeLine(const FileType& type) {
    return type.description + " (" + type.pattern + ")";
}

} // namespace tandel
