// The open and save dialogs, with the file types' filters and the filter
// each dialog used last.
#pragma once

#include <cstdint>

#include "app/window_parts.h"
#include "frame/file_chooser.h"

class QFileDialog;

namespace tandel {

class FileDialogs : public virtual FileChooser {
public:
    explicit FileDialogs(WindowParts& parts) : parts_(parts) {}

    bool chooseOpenFile(const std::string& title, const std::string& startDirectory,
                        std::string& chosen) override;
    bool chooseSaveFile(const std::string& startDirectory, const std::string& proposal,
                        std::string& chosen) override;

private:
    // Runs `dialog` with the filters, the remembered filter and `name`
    // selected; true with `chosen` set when accepted.
    [[nodiscard]] bool run(QFileDialog& dialog, std::int32_t& filterIndex, const std::string& name,
                           std::string& chosen);

    WindowParts& parts_;
};

} // namespace tandel
