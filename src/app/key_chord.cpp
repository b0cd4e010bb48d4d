#include "app/key_chord.h"

#include <array>
#include <strings.h>

namespace tandel::ui {

namespace {

struct NamedKey {
    int key;
    const char* name;
};

constexpr std::array<NamedKey, 13> kNamedKeys{{
    {kKeyDown, "Down"},
    {kKeyUp, "Up"},
    {kKeyLeft, "Left"},
    {kKeyRight, "Right"},
    {kKeyPageUp, "PgUp"},
    {kKeyPageDown, "PgDn"},
    {kKeyF1, "F1"},
    {kKeyF2, "F2"},
    {kKeyF3, "F3"},
    {kKeyF4, "F4"},
    {kKeyF10, "F10"},
    {kKeyMenu, "Menu"},
    {kKeyF5, "F5"},
}};

struct NamedModifier {
    unsigned modifier;
    const char* name;
};

constexpr std::array<NamedModifier, 3> kModifiers{{
    {kModCtrl, "Ctrl"},
    {kModAlt, "Alt"},
    {kModShift, "Shift"},
}};

bool sameWord(std::string_view a, const char* b) {
    const std::string_view bv(b);
    return a.size() == bv.size() && ::strncasecmp(a.data(), b, a.size()) == 0;
}

std::optional<int> keyNamed(std::string_view word) {
    if (word.size() == 1) {
        const char c = word[0];
        if (c >= 'a' && c <= 'z') {
            return c - 'a' + 'A';
        }
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            return c;
        }
        return std::nullopt;
    }
    for (const NamedKey& named : kNamedKeys) {
        if (sameWord(word, named.name)) {
            return named.key;
        }
    }
    if (sameWord(word, "PgDown")) {
        return kKeyPageDown;
    }
    return std::nullopt;
}

} // namespace

std::string formatChord(const KeyChord& chord) {
    std::string text;
    for (const NamedModifier& m : kModifiers) {
        if ((chord.modifiers & m.modifier) != 0) {
            text += m.name;
            text += '+';
        }
    }
    if (chord.key < 0x100) {
        text += static_cast<char>(chord.key);
        return text;
    }
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == chord.key) {
            text += named.name;
        }
    }
    return text;
}

std::optional<KeyChord> parseChord(std::string_view text) {
    KeyChord chord;
    while (!text.empty()) {
        const std::size_t cut = text.find_first_of("+-");
        // A separator as the last character would leave no key.
        if (cut == std::string_view::npos || cut + 1 == text.size()) {
            const std::optional<int> key = keyNamed(text);
            if (!key) {
                return std::nullopt;
            }
            chord.key = *key;
            return chord;
        }
        const std::string_view word = text.substr(0, cut);
        bool known = false;
        for (const NamedModifier& m : kModifiers) {
            if (sameWord(word, m.name)) {
                chord.modifiers |= m.modifier;
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
        text.remove_prefix(cut + 1);
    }
    return std::nullopt;
}

} // namespace tandel::ui
