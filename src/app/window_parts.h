// The pieces of a main window its parts share: what the window was given and
// the widgets it builds. The window fills them in as it builds them; a widget
// not built yet, or not in this run mode, is null.
#pragma once

#include <QFont>

#include <functional>

class QMainWindow;
class QMenu;

namespace tandel {

class Application;
class CommandRouter;
class DirectoryMerge;
class FrameBody;
class WindowFrame;
class WindowStatus;
class edit_cont;
struct WindowServices;

struct WindowParts {
    QMainWindow* window = nullptr;
    WindowServices* services = nullptr;
    Application* app = nullptr;
    DirectoryMerge* directories = nullptr;
    CommandRouter* router = nullptr;
    WindowFrame* frame = nullptr;
    edit_cont* container = nullptr;
    FrameBody* body = nullptr;
    WindowStatus* status = nullptr;
    QMenu* filePopup = nullptr;     // the main menu's own File popup
    QMenu* walkFilePopup = nullptr; // COMP_DIR_MENU's, while the walk runs
    QFont textFont{};               // of the panes and the preview
    QFont titleFont{};              // of the titles
    // Every command id, as the window runs it.
    std::function<void(int)> runCommand{};
    // A print job finished page N (1-based) and lets events through.
    std::function<void(int)> pageFinished{};
    // Help context N, or the contents for 0.
    std::function<void(int)> showHelp{};
    // The toolbar's check buttons follow the flags again.
    std::function<void()> syncToolbarChecks{};
};

} // namespace tandel
