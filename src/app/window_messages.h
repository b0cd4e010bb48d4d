// Messages and questions as message boxes and the program's own question
// dialogs, each run through the services' modal runner.
#pragma once

#include "app/window_parts.h"
#include "frame/frame.h"

namespace tandel {

class WindowMessages : public virtual Messages {
public:
    explicit WindowMessages(WindowParts& parts) : parts_(parts) {}

    void message(Severity severity, const std::string& text) override;
    void notice(const std::string& text) override;
    bool confirmOverwrite(const Question& question) override;
    Answer askPermission(const Question& question) override;
    Answer askFileOrDirectory(const std::string& file, const std::string& directory) override;
    Answer askYesNoCancel(const std::string& caption, const Question& question) override;

private:
    WindowParts& parts_;
};

} // namespace tandel
