// The accelerator table of the run mode. Keys are looked up before anything
// else sees them, as a menu bar's mnemonics would otherwise take Alt+F or
// Alt+S; each key runs the first command the table binds it to.
#pragma once

#include <QObject>

#include <functional>
#include <optional>
#include <span>

#include "app/command_tables.h"

class QKeyEvent;
class QWidget;

namespace tandel::ui {

// The table's form of a key event; nothing for keys no table binds.
std::optional<KeyChord> chordOf(const QKeyEvent& event);
// The toolkit's key code for one of ours: chordOf the other way round.
int qtKeyOf(int key);

class Accelerators : public QObject {
    Q_OBJECT
public:
    // Keys pressed in `window` or in any widget inside it run `run`; dialogs
    // and open menus keep their keys.
    Accelerators(QWidget* window, std::span<const Accelerator> table, std::function<void(int)> run);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<int> commandFor(QObject* watched, const QKeyEvent& event) const;

    QWidget* window_;
    std::span<const Accelerator> table_;
    std::function<void(int)> run_;
};

} // namespace tandel::ui
