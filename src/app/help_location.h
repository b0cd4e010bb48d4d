// Where the help pages are: beside the build (resources/help) or installed
// (../share/doc/tandel), relative to the program's own folder.
#pragma once

#include <string>
#include <vector>

namespace tandel::ui {

// The folders searched for index.html, in order, for a program in `programDir`.
std::vector<std::string> helpFolders(const std::string& programDir);

// The first index.html found, or an empty text.
std::string findHelpPage(const std::string& programDir);

// The fragment of a help context: "context-260"; empty for the contents (0).
std::string helpFragment(int context);

} // namespace tandel::ui
