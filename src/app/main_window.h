// The main window: a composition of small parts. It owns the application
// object, directory merging and the command router, the frame whose parts
// play the roles the core asks for, the menus and toolbar, the fonts, the
// status bar, the jobs and the directory commands, and turns menus, keys and
// toolbar buttons into command ids for them.
#pragma once

#include <QFont>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "app/directory_commands.h"
#include "app/help_viewer.h"
#include "app/open_windows.h"
#include "app/window_caption.h"
#include "app/window_fonts.h"
#include "app/window_frame.h"
#include "app/window_jobs.h"
#include "app/window_menus.h"
#include "app/window_parts.h"
#include "app/window_services.h"
#include "app/window_status.h"
#include "control/application.h"
#include "control/command_router.h"
#include "control/pane_commands.h"
#include "dirmerge/directory_merge.h"
#include "settings/settings_store.h"

class QMenu;
class QToolBar;

namespace tandel {

class DirectoryWindow;
class ProgressPanel;
class edit_cont;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Reads the settings and the command line (program name removed) and
    // builds the window for the run mode; start() then shows it.
    MainWindow(WindowServices services, const std::vector<std::string>& arguments,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window, loads the files the command line names and, in
    // directory window mode, posts the list build.
    void start();

    // Every command id, from a menu, a key, a button or the program itself.
    void runCommand(int id);

    Application& application() { return app_; }
    // What the core asks of the window, role by role.
    WindowFrame& frame() { return frame_; }
    edit_cont* container() const { return parts_.container; }
    // The two directory lists; null in file mode.
    DirectoryWindow* directoryWindow() const;
    QToolBar* toolbar() const { return menus_.toolbar(); }
    // The panes' context menu of the run mode.
    QMenu* quickMenu() const { return menus_.quickMenu(); }
    const QFont& textFont() const { return parts_.textFont; }
    const QFont& titleFont() const { return parts_.titleFont; }

    // For the dialogs: help context N, or the contents for 0.
    void showHelp(int context = 0);
    // The program's own help window once help has opened in it, else null.
    HelpViewer* helpViewer() const { return helpViewer_; }
    // The panel over the panes while a load or comparison runs.
    ProgressPanel* progressPanel() const { return jobs_.progressPanel(); }
    // Whether a load or comparison is running; waits for it (tests).
    bool busy() const { return jobs_.running(); }

    // The exit code of the run, once it has ended.
    int exitCode() const { return app_.frameState.exitCode; }

signals:
    // A print job finished page `page` (1-based) and lets events through.
    void printPageFinished(int page);
    // Each command id as it arrives, before it runs.
    void commandReceived(int id);
    // The run has ended and its settings are written.
    void finished(int exitCode);

protected:
    void closeEvent(QCloseEvent* event) override;
    // The keys that scroll the panes, or the first directory list.
    void keyPressEvent(QKeyEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    // main_window.cpp
    bool runWindowCommand(int id);
    // The Base Pane item's check follows "Base pane".
    void checkBasePaneItem();
    // main_window_dialogs.cpp
    void openOptions();
    // main_window_lifecycle.cpp
    void placeWindow();
    // The newest other main window of this process that is shown, or null.
    const MainWindow* newestOtherWindow() const;
    void shutDown();

    WindowServices services_;
    WindowParts parts_{.window = this,
                       .services = &services_,
                       .app = &app_,
                       .directories = &directories_,
                       .router = &router_,
                       .frame = &frame_,
                       .status = &status_,
                       .runCommand = [this](int id) { runCommand(id); },
                       .pageFinished = [this](int page) { emit printPageFinished(page); },
                       .showHelp = [this](int context) { showHelp(context); },
                       .syncToolbarChecks = [this] { menus_.syncToolbarChecks(); }};
    WindowFrame frame_{parts_};
    WindowStatus status_{parts_};
    WindowFonts fonts_{parts_};
    WindowMenus menus_{parts_};
    WindowJobs jobs_{parts_};
    DirectoryCommands directoryCommands_{parts_, menus_};
    Application app_{frame_};
    // What the panes ask of the model; they only read it themselves.
    ApplicationPaneCommands paneCommands_{app_};
    SettingsStore store_;
    DirectoryMerge directories_;
    CommandRouter router_;
    ui::OpenWindows openWindows_;
    int serial_ = 0; // the order main windows were made in
    int commandDepth_ = 0;
    bool ended_ = false;
    QPointer<HelpViewer> helpViewer_;
};

} // namespace tandel
