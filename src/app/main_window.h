// The main window: the frame of the whole program. It owns the application
// object, directory merging and the command router, implements every frame
// service the core asks for, and turns menus, keys and toolbar buttons into
// command ids. Its parts live in main_window_*.cpp by concern.
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
#include "app/window_services.h"
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

// The version comes from the project (CMakeLists.txt).
inline constexpr const char* kVersion = TANDEL_VERSION;
inline constexpr const char* kWindowCaption = "Tandel v" TANDEL_VERSION;

class MainWindow : public QMainWindow, public Frame {
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
    edit_cont* container() const { return container_; }
    // The two directory lists; null in file mode.
    DirectoryWindow* directoryWindow() const;
    PreviewEdit* preview() const;
    QToolBar* toolbar() const { return toolbar_; }
    // The panes' context menu of the run mode.
    QMenu* quickMenu() const { return quickMenu_; }
    const QFont& textFont() const { return textFont_; }
    const QFont& titleFont() const { return titleFont_; }

    // For the dialogs: help context N, or the contents for 0.
    void showHelp(int context = 0);
    // After the options change: the check buttons from the flags, the
    // preview's tab stops from "Tab size", both panes repainted.
    void syncToolbarChecks();
    void applyTabStops();

    // The program's own help window once help has opened in it, else null.
    HelpViewer* helpViewer() const { return helpViewer_; }
    // The Find dialog while it is open, else null.
    FindDialog* findDialog() const { return findDialog_; }
    // The panel over the panes while a load or comparison runs.
    ProgressPanel* progressPanel() const { return progressPanel_; }
    // Whether a load or comparison is running; waits for it (tests).
    bool busy() const { return jobRunning(); }
    // The abort dialog while a print job runs, else null.
    AbortDialog* abortDialog() const { return abortDialog_.get(); }
    // Where the last print job put its lines.
    const PageLayout& lastPrintLayout() const { return lastPrintLayout_; }

    // The exit code of the run, once it has ended.
    int exitCode() const { return app_.frameState.exitCode; }

    // Frame: messages and questions.
    void message(Severity severity, const std::string& text) override;
    void notice(const std::string& text) override;
    bool confirmOverwrite(const Question& question) override;
    Answer askPermission(const Question& question) override;
    Answer askFileOrDirectory(const std::string& file, const std::string& directory) override;
    Answer askYesNoCancel(const std::string& caption, const Question& question) override;
    bool chooseOpenFile(const std::string& title, const std::string& startDirectory,
                        std::string& chosen) override;
    bool chooseSaveFile(const std::string& startDirectory, const std::string& proposal,
                        std::string& chosen) override;

    // Frame: commands, repaints and layout.
    void postCommand(int id) override;
    void sendCommand(int id) override;
    void repaintPanes() override;
    void repaintTitles() override;
    void repaintPositionBar() override;
    void relayout() override;
    void refreshLists() override;
    void setWaitCursor(bool on) override;
    void setWalkMenu(bool walking) override;
    void clearSelection(int side) override;
    void setClipboardText(const std::string& text) override;
    void setSelectionText(const std::string& text) override;

    // Frame: the preview.
    bool previewOpen() const override;
    void openPreview() override;
    void closePreview() override;
    void setPreviewText(const std::string& text) override;
    std::string previewText() const override;
    bool previewModified() const override;
    void setPreviewModified(bool modified) override;

    // Frame: search.
    bool previewTakesSearch() const override;
    PreviewSelection previewSelection() const override;
    void selectPreviewText(std::int64_t start, std::int64_t end) override;
    void openFindDialog(bool matchCase) override;
    void showListRow(int list, std::int64_t row) override;

    // Frame: printing.
    bool startPrint(const std::string& documentName) override;
    bool printLine(const std::string& text) override;
    void endPrint() override;
    void printDirectoryLists() override;

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
    void pasteIntoPreview();
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
    // The open or save dialog with the file types' filters, the remembered
    // filter and `name` selected; true with `chosen` set when accepted.
    [[nodiscard]] bool runFileDialog(QFileDialog& dialog, std::int32_t& filterIndex,
                                     const std::string& name, std::string& chosen);
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
    // main_window_print.cpp
    void betweenPrintedPages();
    // main_window_status.cpp
    void setUpStatusBar();
    void toggleStatusBar();
    void updateStatus();
    void updateCaption();
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
    Application app_{*this};
    SettingsStore store_;
    DirectoryMerge directories_;
    CommandRouter router_;
    ui::OpenWindows openWindows_;
    int serial_ = 0; // the order main windows were made in

    edit_cont* container_ = nullptr;
    FrameBody* body_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    std::map<int, QAction*> checkButtons_;
    QMenu* filePopup_ = nullptr;     // the main menu's own File popup
    QMenu* walkFilePopup_ = nullptr; // COMP_DIR_MENU's, while the walk runs
    QMenu* quickMenu_ = nullptr;
    ui::Accelerators* accelerators_ = nullptr;
    QFont textFont_;
    QFont titleFont_;
    BuildProgressDialog* progress_ = nullptr; // while the directory list build runs
    int commandDepth_ = 0;
    bool ended_ = false;

    QPointer<FindDialog> findDialog_;
    QPointer<HelpViewer> helpViewer_;
    QPointer<QWidget> findFocus_; // had the focus when Find was opened

    std::unique_ptr<PrintJob> printJob_;
    std::unique_ptr<AbortDialog> abortDialog_;
    PageLayout lastPrintLayout_;
    int printedPages_ = 0;
    std::vector<int> heldCommands_; // arrived while printing; run after it
    bool closeAfterPrint_ = false;
    QLabel* differenceStatus_ = nullptr;
    QLabel* sideStatus_ = nullptr;
    ComparisonJobs* jobs_ = nullptr;
    ProgressPanel* progressPanel_ = nullptr;
    QElapsedTimer jobStarted_;
    std::array<std::string, 2> jobNames_;
};

} // namespace tandel
