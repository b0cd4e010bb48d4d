#include "view/scroll_keys.h"

#include <QKeyEvent>

namespace tandel::ui {

std::optional<PaneKey> scrollKeyOf(const QKeyEvent& event) {
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return std::nullopt;
    }
    switch (event.key()) {
    case Qt::Key_Up:
        return PaneKey::Up;
    case Qt::Key_Down:
        return PaneKey::Down;
    case Qt::Key_PageUp:
        return PaneKey::PageUp;
    case Qt::Key_PageDown:
        return PaneKey::PageDown;
    case Qt::Key_Left:
        return PaneKey::Left;
    case Qt::Key_Right:
        return PaneKey::Right;
    case Qt::Key_Home:
        return PaneKey::Home;
    case Qt::Key_End:
        return PaneKey::End;
    default:
        return std::nullopt;
    }
}

} // namespace tandel::ui
