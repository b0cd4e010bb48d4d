// The container ("edcontainer") below the toolbar: in file mode the two
// titles, the two panes and the position bar between them; in directory
// window mode the two directory lists. It places them whenever its size or
// the title height changes.
#pragma once

#include <QWidget>

namespace tandel {

class Application;
class BasePane;
class DiffEdit;
class DiffTitle;
class DirectoryListView;
class DirectoryWindow;
class PaneGroup;
class PaneCommands;
class position_bar;

class edit_cont : public QWidget {
    Q_OBJECT
public:
    // File mode: the panes read `app` and ask `commands` for every change.
    edit_cont(const Application& app, PaneCommands& commands, QWidget* parent);
    // Directory window mode: the container holds `lists` and takes them over.
    edit_cont(const Application& app, DirectoryWindow* lists, QWidget* parent);

    // File mode only (null in directory window mode); side 1 or 2.
    PaneGroup* paneGroup() const { return group_; }
    DiffEdit* pane(int side) const;
    DiffTitle* title(int side) const;
    position_bar* positionBar() const;
    // Directory window mode only (null in file mode); side 1 or 2.
    DirectoryWindow* directoryWindow() const { return directoryWindow_; }
    DirectoryListView* list(int side) const;

    // The text font goes to the panes, the title font to the titles.
    void setFonts(const QFont& text, const QFont& title);
    // Places the children again, as after a resize.
    void relayout();

    // File mode: the ancestor of a three-way merge, read only, under the
    // panes while "Base pane" is on; hidden otherwise.
    BasePane* basePane() const { return basePane_; }
    // Shows or hides the base pane after a change of the model or of "Base
    // pane".
    void updateBasePane();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Wheel turns over the panes and titles come here.
    void wheelEvent(QWheelEvent* event) override;

private:
    const Application& app_;
    PaneGroup* group_ = nullptr;
    DirectoryWindow* directoryWindow_ = nullptr;
    BasePane* basePane_ = nullptr;
};

} // namespace tandel
