#include "app/accelerators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <array>

namespace tandel::ui {

namespace {

struct KeyPair {
    int qt;
    int ours;
};

constexpr std::array<KeyPair, 13> kSpecialKeys{{
    {Qt::Key_Down, kKeyDown},
    {Qt::Key_Up, kKeyUp},
    {Qt::Key_Left, kKeyLeft},
    {Qt::Key_Right, kKeyRight},
    {Qt::Key_PageUp, kKeyPageUp},
    {Qt::Key_PageDown, kKeyPageDown},
    {Qt::Key_F1, kKeyF1},
    {Qt::Key_F2, kKeyF2},
    {Qt::Key_F3, kKeyF3},
    {Qt::Key_F4, kKeyF4},
    {Qt::Key_F10, kKeyF10},
    {Qt::Key_Menu, kKeyMenu},
    {Qt::Key_F5, kKeyF5},
}};

} // namespace

std::optional<KeyChord> chordOf(const QKeyEvent& event) {
    KeyChord chord;
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (mods.testFlag(Qt::ControlModifier)) {
        chord.modifiers |= kModCtrl;
    }
    if (mods.testFlag(Qt::AltModifier)) {
        chord.modifiers |= kModAlt;
    }
    if (mods.testFlag(Qt::ShiftModifier)) {
        chord.modifiers |= kModShift;
    }
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        chord.key = key; // Qt's codes for these are their upper-case ASCII codes
        return chord;
    }
    for (const KeyPair& pair : kSpecialKeys) {
        if (pair.qt == key) {
            chord.key = pair.ours;
            return chord;
        }
    }
    return std::nullopt;
}

int qtKeyOf(int key) {
    for (const KeyPair& pair : kSpecialKeys) {
        if (pair.ours == key) {
            return pair.qt;
        }
    }
    return key; // a letter or a digit
}

Accelerators::Accelerators(QWidget* window, std::span<const Accelerator> table,
                           std::function<void(int)> run)
    : QObject(window), window_(window), table_(table), run_(std::move(run)) {
    qApp->installEventFilter(this);
}

std::optional<int> Accelerators::commandFor(QObject* watched, const QKeyEvent& event) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != window_ ||
        QApplication::activePopupWidget() != nullptr ||
        QApplication::activeModalWidget() != nullptr) {
        return std::nullopt;
    }
    const std::optional<KeyChord> chord = chordOf(event);
    return chord ? commandOfKey(table_, *chord) : std::nullopt;
}

bool Accelerators::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const std::optional<int> command = commandFor(watched, key);
    if (!command) {
        return false;
    }
    event->accept();
    // Taking the override keeps the key from the shortcut map (menu mnemonics),
    // so that it arrives as a key press, which runs the command.
    if (type == QEvent::KeyPress) {
        run_(*command);
    }
    return true;
}

} // namespace tandel::ui
