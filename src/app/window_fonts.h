// The text font of the panes and the preview, the title font of the titles,
// and the commands that choose them. The fonts themselves live in the
// window's parts, where the preview and the container find them.
#pragma once

#include "app/window_parts.h"

namespace tandel {

struct FontDescription;

class WindowFonts {
public:
    explicit WindowFonts(WindowParts& parts) : parts_(parts) {}

    // Both fonts from the settings, with the measures the panes lay out by.
    void make();
    void chooseTextFont();
    void chooseTitleFont();

private:
    void makeTextFont();
    void makeTitleFont();
    // The font dialog from `current`; true with `description` updated when accepted.
    [[nodiscard]] bool choose(FontDescription& description, const QFont& current);

    WindowParts& parts_;
};

} // namespace tandel
