// One difference pane ("edit1" for side 1, "edit2" for side 2): its side of
// the comparison drawn row by row from the model, with its own horizontal
// scroll bar along the bottom. A click chooses this side of a segment, a
// Shift+drag selects characters, a right click opens the context menu, and a
// file dropped on it is loaded into its side.
#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

#include "panes/pane_geometry.h"
#include "panes/pane_scroll.h"
#include "panes/pane_selection.h"

class QScrollBar;
class QTimer;

namespace tandel {
namespace ui {
class RowLayout;
}

class Application;
class PaneCommands;
class PaneGroup;

class DiffEdit : public QWidget {
    Q_OBJECT
public:
    // The pane reads `app` and asks `commands` for every change.
    DiffEdit(const Application& app, PaneCommands& commands, PaneGroup& group, int side,
             QWidget* parent);
    ~DiffEdit() override;

    int side() const { return side_; }
    QScrollBar* horizontalBar() const { return horizontalBar_; }

    // Height of the rows' area: the pane less its horizontal scroll bar.
    int textHeight() const;
    PaneMetrics metrics() const;

    // The top line moved by d rows (old minus new): the pixels move and only
    // the rows they uncover are painted again.
    void scrollRows(std::int64_t d);
    // Columns of text the pane has room for, a digit's width each.
    std::int64_t visibleColumns() const;
    // How far the pane scrolls sideways: its side's widest line against the
    // columns it has room for.
    HorizontalExtent horizontalExtent() const;
    // The horizontal scroll bar shows this side's offset, within a range
    // that ends where the widest line's end comes into view.
    void syncHorizontalBar();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // V, and the shared bar's page, after the pane or its font changed.
    void countVisibleRows();
    // The pane row under pane y (may be negative above the pane).
    std::int64_t rowAt(int y) const;
    SelectionPoint hitAt(QPoint position) const;
    // While the left button is held: one autoscroll step for the mouse at
    // `position`, then the selection follows the mouse.
    void dragTo(QPoint position);

    const Application& app_;
    PaneCommands& commands_;
    PaneGroup& group_;
    int side_;
    QScrollBar* horizontalBar_;
    // Repeats the autoscroll while the mouse stays near an edge.
    QTimer* autoscrollTimer_;
    QPoint dragPosition_;
    // Of the pane's font; rows are laid out in it one at a time.
    std::unique_ptr<ui::RowLayout> layout_;
};

} // namespace tandel
