// The desktop's clipboard and primary selection.
#pragma once

#include <string>

namespace tandel {

class Clipboard {
public:
    virtual ~Clipboard() = default;

    virtual void setClipboardText(const std::string& text) = 0;
    // The text of a selection just made in a pane, for the primary selection
    // of desktops that have one (middle-click pastes it); ignored elsewhere.
    virtual void setSelectionText(const std::string& text) = 0;
};

} // namespace tandel
