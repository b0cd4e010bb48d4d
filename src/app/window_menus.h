// The window's menus, context menu, toolbar and accelerator table, all built
// from the command tables of the run mode.
#pragma once

#include <map>
#include <span>

#include "app/command_tables.h"
#include "app/window_parts.h"

class QAction;
class QToolBar;

namespace tandel {

namespace ui {
class Accelerators;
}

class WindowMenus {
public:
    explicit WindowMenus(WindowParts& parts) : parts_(parts) {}

    void buildToolbar();
    // The menu bar, its popups and the context menu; needs the container.
    void buildMenus();
    void buildAccelerators();
    // The check buttons from the flags.
    void syncToolbarChecks();
    // The context menu at the segment in focus, for the keyboard.
    void openContextMenuAtSegment();

    QToolBar* toolbar() const { return toolbar_; }
    // The panes' or the lists' context menu.
    QMenu* quickMenu() const { return quickMenu_; }

private:
    std::span<const ui::Accelerator> accelerators() const;

    WindowParts& parts_;
    QToolBar* toolbar_ = nullptr;
    std::map<int, QAction*> checkButtons_;
    QMenu* quickMenu_ = nullptr;
    ui::Accelerators* accelerators_ = nullptr;
};

} // namespace tandel
