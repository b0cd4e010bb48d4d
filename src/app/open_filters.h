// The filter list of the open and save dialogs, built from the file types
// of the settings, and the remembered filter index.
#pragma once

#include <string>
#include <vector>

#include "settings/settings_record.h"

namespace tandel::ui {

// "All files(*)" first, then "description (patterns)" per file type. A
// pattern list written with ";" between its patterns is shown with blanks,
// and "*.*" is written "*": both are how the dialog reads them, and "*.*"
// would hide every file whose name has no dot.
std::vector<std::string> openFilters(const StringLists& lists);

// The stored index (the dialog's index minus 1) of the filter to select, held
// to the list.
int filterToSelect(int storedIndex, std::size_t filterCount);

} // namespace tandel::ui
