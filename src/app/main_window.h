// The main window: it owns the application object, directory merging and the
// command router, the frame whose parts play the roles the core asks for,
// and turns menus, keys and toolbar buttons into command ids. Its own parts
// live in main_window_*.cpp by concern.
#pragma once

#include <QFont>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/command_tables.h"
#include "app/comparison_jobs.h"
#include "app/help_viewer.h"
#include "app/open_windows.h"
#include "app/window_caption.h"
#include "app/window_frame.h"
#include "app/window_parts.h"
#include "app/window_services.h"
#include "app/window_status.h"
#include "control/application.h"
#include "control/command_router.h"
#include "dialogs/find_dialog.h"
#include "dirmerge/directory_merge.h"
#include "panes/print_layout.h"
#include "settings/settings_store.h"

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QToolBar;

namespace tandel {

class AbortDialog;
class BuildProgressDialog;
class DirectoryWindow;
class FrameBody;
class PrintJob;
class edit_cont;
class PreviewEdit;
class ProgressPanel;
namespace ui {
class Accelerators;
}

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
    QToolBar* toolbar() const { return toolbar_; }
    // The panes' context menu of the run mode.
    QMenu* quickMenu() const { return quickMenu_; }
    const QFont& textFont() const { return parts_.textFont; }
    const QFont& titleFont() const { return parts_.titleFont; }

    // For the dialogs: help context N, or the contents for 0.
    void showHelp(int context = 0);
    // After the options change: the check buttons from the flags.
    void syncToolbarChecks();

    // The program's own help window once help has opened in it, else null.
    HelpViewer* helpViewer() const { return helpViewer_; }
    // The panel over the panes while a load or comparison runs.
    ProgressPanel* progressPanel() const { return progressPanel_; }
    // Whether a load or comparison is running; waits for it (tests).
    bool busy() const { return jobRunning(); }

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
    // main_window_menus.cpp
    void buildMenus();
    void openContextMenuAtSegment();
    void buildToolbar();
    std::span<const ui::Accelerator> accelerators() const;
    // main_window_fonts.cpp
    void makeFonts();
    void makeTextFont();
    void makeTitleFont();
    // The font dialog from `current`; true with `description` updated when accepted.
    [[nodiscard]] bool chooseFont(FontDescription& description, const QFont& current);
    void chooseTextFont();
    void chooseTitleFont();
    // main_window_dialogs.cpp
    void showAbout();
    void openOptions();
    // main_window_directories.cpp
    RouterInputs routerInputs();
    bool runDirectoryCommand(int id);
    [[nodiscard]] bool chooseDirectories(DirectorySelection& selection);
    std::optional<std::string> browseForFolder(QWidget* owner, const QString& title,
                                               const std::string& start);
    void showDirectoryFilters(QWidget* owner);
    void showFileTypes();
    void buildDirectoryList();
    [[nodiscard]] bool scrollListsByKey(const QKeyEvent& event);
    // main_window_lifecycle.cpp
    void placeWindow();
    // The newest other main window of this process that is shown, or null.
    const MainWindow* newestOtherWindow() const;
    void shutDown();
    // main_window_jobs.cpp
    void setUpJobs();
    bool jobRunning() const;
    void showJobProgress();
    // Loads `load` (an empty name: that side stays) and, with `compare`,
    // compares, all on the jobs' thread.
    void startJob(const std::array<std::string, 2>& load, bool compare);
    void jobDone(ComparisonWork& work);
    void startStartupJob();
    bool runJobCommand(int id);
    void loadInJob(const std::string& name, int s);
    static bool allowedWhileJobRuns(int id);

    WindowServices services_;
    WindowParts parts_{.window = this,
                       .services = &services_,
                       .app = &app_,
                       .directories = &directories_,
                       .status = &status_,
                       .runCommand = [this](int id) { runCommand(id); },
                       .pageFinished = [this](int page) { emit printPageFinished(page); }};
    WindowFrame frame_{parts_};
    WindowStatus status_{parts_};
    Application app_{frame_};
    SettingsStore store_;
    DirectoryMerge directories_;
    CommandRouter router_;
    ui::OpenWindows openWindows_;
    int serial_ = 0; // the order main windows were made in

    QToolBar* toolbar_ = nullptr;
    std::map<int, QAction*> checkButtons_;
    QMenu* quickMenu_ = nullptr;
    ui::Accelerators* accelerators_ = nullptr;
    BuildProgressDialog* progress_ = nullptr; // while the directory list build runs
    int commandDepth_ = 0;
    bool ended_ = false;

    QPointer<HelpViewer> helpViewer_;

    ComparisonJobs* jobs_ = nullptr;
    ProgressPanel* progressPanel_ = nullptr;
    QElapsedTimer jobStarted_;
    std::array<std::string, 2> jobNames_;
};

} // namespace tandel
