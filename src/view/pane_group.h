// The view of a comparison in file mode: the two panes, their titles and the
// position bar with the vertical scroll bar they share. It moves the shared
// top line (moving pixels, painting only uncovered rows), each pane's
// horizontal offset, and turns the scroll bars, keys and wheel into the
// panes' scroll codes.
#pragma once

#include <QObject>

#include <array>
#include <cstdint>

#include "control/pane_commands.h"
#include "panes/changed_span_cache.h"
#include "panes/pane_scroll.h"

class QKeyEvent;
class QMenu;
class QScrollBar;
class QWidget;

namespace tandel {

class Application;
class DiffEdit;
class DiffTitle;
class position_bar;

class PaneGroup : public QObject {
    Q_OBJECT
public:
    // The windows are made children of `container`; they read `app` and
    // ask `commands` for every change.
    PaneGroup(const Application& app, PaneCommands& commands, QWidget* container);

    DiffEdit* pane(int side) const { return panes_[side == 2 ? 1 : 0]; }
    DiffTitle* title(int side) const { return titles_[side == 2 ? 1 : 0]; }
    position_bar* positionBar() const { return positionBar_; }

    // The changed characters of the rows painted, kept for both panes.
    ChangedSpanCache& changedSpans() { return changedSpans_; }

    // The panes' context menu (QUICK_MENU), owned by the main window.
    QMenu* contextMenu() const { return contextMenu_; }
    void setContextMenu(QMenu* menu) { contextMenu_ = menu; }

    // The top line becomes t, clamped to the rows.
    void scrollToLine(std::int64_t t);
    void scrollVertically(VerticalScroll code, std::int64_t thumb = 0);
    void scrollHorizontally(int side, HorizontalScroll code, std::int64_t thumb = 0);
    // One wheel event's vertical delta, in eighths of a degree: the desktop's
    // lines per notch (QApplication::wheelScrollLines) for each 120.
    void wheel(int delta);
    // Page Up, Page Down, Up and Down scroll both panes; Home, End, Left and
    // Right the pane under the mouse. False for any other key.
    bool key(const QKeyEvent& event);

    // After the model or the view state changed: everything is drawn again
    // and the scroll bars follow the top line, the rows and the offsets.
    void repaintPanes();
    void syncVerticalBar();

signals:
    // The top line or side 1's horizontal offset may have changed, or the
    // rows were painted again.
    void viewMoved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The pane under the mouse pointer for the horizontal keys: the first
    // when the pointer is over it, otherwise the second.
    int sideUnderMouse() const;
    void followBar(QScrollBar* bar, int side, int action);

    const Application& app_;
    PaneCommands& commands_;
    std::array<DiffEdit*, 2> panes_{};
    std::array<DiffTitle*, 2> titles_{};
    position_bar* positionBar_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    WheelAccumulator wheel_;
    ChangedSpanCache changedSpans_;
};

} // namespace tandel
