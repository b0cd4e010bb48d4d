// Keys of the accelerator tables and of the shortcut texts shown in menus,
// without any toolkit type, so that the tables can be checked on their own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tandel::ui {

enum KeyModifier : unsigned {
    kModNone = 0,
    kModCtrl = 1,
    kModAlt = 2,
    kModShift = 4,
};

// Letters and digits are their upper-case ASCII codes; other keys come after.
enum KeyCode : int {
    kKeyDown = 0x100,
    kKeyUp,
    kKeyLeft,
    kKeyRight,
    kKeyPageUp,
    kKeyPageDown,
    kKeyF1,
    kKeyF2,
    kKeyF3,
    kKeyF4,
    kKeyF10,
    kKeyMenu,
    kKeyF5,
};

struct KeyChord {
    unsigned modifiers = kModNone;
    int key = 0;

    bool operator==(const KeyChord&) const = default;
};

// "Ctrl+A", "Alt+PgUp", "F3": the form the menus show.
std::string formatChord(const KeyChord& chord);

// Reads a menu's shortcut text. Modifiers may be joined by "+" or "-"
// ("Ctrl-PgUp"), and "PgDn" names Page Down. Nothing for a text that names no
// key this program binds.
std::optional<KeyChord> parseChord(std::string_view text);

} // namespace tandel::ui
