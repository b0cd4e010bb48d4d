// The working lists of the "Directory Merging" and "Customize file types"
// dialogs: what Add and Delete do to them. The dialogs hand them back to the
// settings on OK only.
#pragma once

#include "settings/settings_record.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tandel {

// The edits of the two dialogs take this many characters.
inline constexpr int kPatternLength = 99;
inline constexpr int kFileTypeTextLength = 79;

// Appends `text` to an include or exclude list. Nothing happens (false) when
// the text is empty or the list holds it already, ignoring letter case.
bool addPattern(std::vector<std::string>& patterns, const std::string& text);

// Removes entry `index`; false when there is no such entry (nothing selected).
template <typename T> bool removeEntry(std::vector<T>& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return false;
    list.erase(list.begin() + index);
    return true;
}

struct FileType {
    std::string pattern;
    std::string description;
    bool operator==(const FileType&) const = default;
};

// The settings keep patterns and descriptions as two lists of one length.
std::vector<FileType> fileTypesOf(const StringLists& lists);
void storeFileTypes(StringLists& lists, const std::vector<FileType>& types);

// Appends a file type; nothing happens (false) when either text is empty.
// The same pattern may be added again under another description.
bool addFileType(std::vector<FileType>& types, const FileType& type);

// How the file types dialog lists a type: "description (pattern)".
std::string fileTypeLine(const FileType& type);

} // namespace tandel
