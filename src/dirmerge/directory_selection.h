// "Select directories to merge" without its widgets: what the dialog shows
// when it opens and what its OK does with the three texts.
#pragma once

#include "base/file_system.h"
#include "dirmerge/directory_walk.h"
#include "frame/frame.h"
#include "settings/settings_record.h"

#include <string>

namespace tandel {

// "OutDirUIType": where the results go.
enum DestinationChoice : int { kToDirectory1 = 0, kToDirectory2 = 1, kToOther = 2 };

// The stored choice as one of the three; anything else a damaged file holds
// reads as "Other:".
DestinationChoice destinationChoiceOf(int stored);

// The choice the dialog opens with: always "Other:", whatever was stored.
// A stored "Directory 1" cannot be told from the default that every earlier
// run wrote, and results merged into a directory replace its files, so
// that choice is made by a click each time (the "Other:" text still holds
// the folder used last).
inline DestinationChoice openingDestinationChoice() {
    return kToOther;
}

// What the dialog's controls hold when OK is pressed.
struct SelectionForm {
    std::string dir1;
    std::string dir2;
    std::string other; // the "Other:" edit
    DestinationChoice choice = kToOther;
    bool showDirectories = true;
};

// OK: remembers Directory 1 and makes it a directory (created with its
// missing parents after the user agreed), then the same for Directory 2,
// then resolves the destination, refuses one inside Directory 1 or 2, asks
// before merging into one of them that was typed as "Other:", and makes it.
// Each text is remembered as soon as it is read, even when ensuring it
// fails. True with `chosen` filled; false after an error message or a No, and
// the dialog stays open. An empty text is refused with a message of its own.
[[nodiscard]] bool confirmSelection(FileSystem& files, Frame& frame, const SelectionForm& form,
                                    Settings& settings, DirectorySelection& chosen);

} // namespace tandel
