// The menus, accelerator tables, toolbars and tooltip strings as data: the
// window builds every menu, key binding and button from these tables, so each
// label, key and tooltip is written once.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "app/key_chord.h"

namespace tandel::ui {

enum class MenuKind { Item, Separator, Popup, EndPopup };

// A popup opens a nested menu that runs to its EndPopup. An empty shortcut
// text shows none.
struct MenuEntry {
    MenuKind kind = MenuKind::Item;
    int id = 0;
    const char* label = "";
    const char* shortcut = "";
};

struct Accelerator {
    KeyChord chord;
    int command = 0;
};

enum class ToolKind { Separator, Button, Check };

struct ToolButton {
    ToolKind kind = ToolKind::Separator;
    int image = -1; // index into the mode's image list; -1 for a separator
    int command = 0;
};

std::span<const MenuEntry> mainMenu();       // MAIN_MENU, the menu bar of file mode
std::span<const MenuEntry> compDirMenu();    // COMP_DIR_MENU, the File popup of the walk
std::span<const MenuEntry> quickMenu();      // QUICK_MENU, the panes' context menu
std::span<const MenuEntry> quickMenuMandc(); // QUICK_MENU_MANDC, directory window mode

std::span<const Accelerator> kestaAcc();      // KESTA_ACC, file mode
std::span<const Accelerator> kestaAccMandc(); // KESTA_ACC_MANDC, directory window mode

std::span<const ToolButton> fileToolbar();      // 20 entries
std::span<const ToolButton> directoryToolbar(); // 15 entries

// The resource name (":/icons/NAME.svg") of image `image` of a mode's image
// list; empty for an index that holds no picture.
std::string toolbarImage(bool directoryWindow, int image);

// The tooltip string of a command id; empty when there is none.
std::string tooltipText(int command);

// The command a key runs: the first entry that binds it wins.
std::optional<int> commandOfKey(std::span<const Accelerator> table, const KeyChord& chord);
// The first key that runs `command`.
std::optional<KeyChord> keyOfCommand(std::span<const Accelerator> table, int command);

// The shortcut text a menu item shows: its own text, unless that names a key
// which runs another command; then the key that runs this one (nothing when
// no key does).
std::string shownShortcut(const MenuEntry& entry, std::span<const Accelerator> table);

} // namespace tandel::ui
