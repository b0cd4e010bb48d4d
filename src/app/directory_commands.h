// Directory merging in the window: the selection dialog and the walk it
// starts, the two filter dialogs, the list build with its progress box and
// the caption naming both directories, and the directory window's commands
// and keys.
#pragma once

#include <QString>

#include <optional>
#include <string>

#include "app/window_parts.h"
#include "control/command_router.h"

class QKeyEvent;
class QWidget;

namespace tandel {

class BuildProgressDialog;
class DirectoryWindow;
class WindowMenus;

class DirectoryCommands {
public:
    DirectoryCommands(WindowParts& parts, const WindowMenus& menus)
        : parts_(parts), menus_(menus) {}

    // What the command router asks of the window.
    RouterInputs routerInputs();
    // The directory commands the window runs itself; false for any other.
    bool run(int id);
    // Whether the list build runs; closing the window then stops it first.
    bool building() const { return progress_ != nullptr; }
    // The scroll keys of the lists; false when not taken.
    [[nodiscard]] bool scrollListsByKey(const QKeyEvent& event);

private:
    DirectoryWindow* lists() const;
    [[nodiscard]] bool chooseDirectories(DirectorySelection& selection);
    std::optional<std::string> browseForFolder(QWidget* owner, const QString& title,
                                               const std::string& start);
    void showDirectoryFilters(QWidget* owner);
    void showFileTypes();
    void buildList();

    WindowParts& parts_;
    const WindowMenus& menus_;
    BuildProgressDialog* progress_ = nullptr; // while the directory list build runs
};

} // namespace tandel
