// The open and save dialogs the core asks for.
#pragma once

#include <string>

namespace tandel {

class FileChooser {
public:
    virtual ~FileChooser() = default;

    // The open dialog of a side ("Open file 1" / "Open file 2") and the save
    // dialog; false when cancelled, else `chosen` holds the name.
    virtual bool chooseOpenFile(const std::string& title, const std::string& startDirectory,
                                std::string& chosen) = 0;
    virtual bool chooseSaveFile(const std::string& startDirectory, const std::string& proposal,
                                std::string& chosen) = 0;
};

} // namespace tandel
