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

// The command that shows `url` in the browser the user named in the BROWSER
// variable (`browserVariable`: commands separated by ":", the first one
// used; "%s" stands for the URL, else it is added at the end); empty when
// none is named.
std::vector<std::string> browserCommand(const char* browserVariable, const std::string& url);

// `program` as a path: itself when it holds a "/", else the first executable
// file of that name in the folders of `searchPath` (PATH); empty when none.
std::string programOnPath(const std::string& program, const char* searchPath);

} // namespace tandel::ui
