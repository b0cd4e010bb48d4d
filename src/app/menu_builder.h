// Menus and the menu bar built from the command tables: each item shows its
// label and, after a tab, the shortcut text, and runs its command id.
#pragma once

#include <QString>

#include <functional>
#include <span>

#include "app/command_tables.h"

class QMenu;
class QMenuBar;
class QWidget;

namespace tandel::ui {

using CommandRunner = std::function<void(int)>;

// The text of an item's action: the label, then a tab and the shortcut shown.
QString itemText(const MenuEntry& entry, std::span<const Accelerator> accelerators);

// One menu of plain items and separators (nested popups open sub-menus).
QMenu* buildMenu(std::span<const MenuEntry> entries, std::span<const Accelerator> accelerators,
                 const CommandRunner& run, QWidget* parent);

// The table's first popup as a menu of its own, under the popup's title.
QMenu* buildPopup(std::span<const MenuEntry> entries, std::span<const Accelerator> accelerators,
                  const CommandRunner& run, QWidget* parent);

// The popups of a table on a menu bar; returns the first popup's menu.
QMenu* fillMenuBar(QMenuBar* bar, std::span<const MenuEntry> entries,
                   std::span<const Accelerator> accelerators, const CommandRunner& run);

} // namespace tandel::ui
