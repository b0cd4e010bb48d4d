// What the window shows of the model: the repaints each change of the model
// calls for, the wait cursor, the walk menu and selections made void.
#pragma once

#include "app/window_parts.h"
#include "frame/display.h"

namespace tandel {

class WindowDisplay : public virtual Display {
public:
    explicit WindowDisplay(WindowParts& parts) : parts_(parts) {}

    void modelChanged(ModelEvent event) override;
    void setWaitCursor(bool on) override;
    void setWalkMenu(bool walking) override;
    void clearSelection(int side) override;

    // Both panes, and the status bar that follows them.
    void repaintPanes();
    // The titles, the caption and the status bar, after a new file or font.
    void repaintTitles();

private:
    void repaintPositionBar();

    WindowParts& parts_;
};

} // namespace tandel
