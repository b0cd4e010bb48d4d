#include "app/main_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QMetaObject>

#include <memory>

#include "app/frame_body.h"
#include "control/lifecycle.h"
#include "control/toolbar_flags.h"
#include "dialogs/about_dialog.h"
#include "frame/command_ids.h"
#include "settings/compare_settings_store.h"
#include "view/directory_window.h"
#include "view/edit_cont.h"
#include "view/pane_group.h"
#include "view/preview_edit.h"
#include "view/split_cursor.h"

namespace tandel {

MainWindow::MainWindow(WindowServices services, const std::vector<std::string>& arguments,
                       QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), store_(services_.settingsPath),
      directories_(app_, services_.programPath, services_.startInstance),
      router_(app_, directories_, directoryCommands_.routerInputs()),
      openWindows_(services_.openWindowsPath) {
    static int made = 0;
    serial_ = ++made;
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    // A command line the parser refuses has been reported; the window still
    // opens with the switches it understood, so the user can go on.
    (void)readStartupSettings(app_, store_, arguments);
    fonts_.make();
    menus_.buildToolbar();
    if (app_.frameState.directoryWindow) {
        parts_.container =
            new edit_cont(app_, new DirectoryWindow(directories_, app_.settings, nullptr), this);
    } else {
        parts_.container = new edit_cont(app_, paneCommands_, this);
    }
    parts_.container->setFonts(parts_.textFont, parts_.titleFont);
    parts_.body = new FrameBody(parts_.container, this);
    setCentralWidget(parts_.body);
    menus_.buildMenus();
    if (directoryWindow() != nullptr) {
        directoryWindow()->setContextMenu(menus_.quickMenu());
    }
    directories_.setSettingsWriter([this] {
        if (store_.saveAll(app_.settings, compareSettingsWriters(app_.compare)) !=
            SettingsWrite::Written) {
            frame_.message(Severity::Warning, "Unable to write the settings to " + store_.path());
        }
    });
    menus_.buildAccelerators();
    jobs_.setUp();
    status_.setUp();
    checkBasePaneItem();
    placeWindow();
}

// The container's widgets read the application object and directory merging,
// which die with this window's members, before the base class deletes its
// children: the widgets go first.
MainWindow::~MainWindow() {
    std::unique_ptr<QWidget> body(takeCentralWidget());
}

void MainWindow::start() {
    if (!app_.frameState.unattended) {
        show();
    }
    if (app_.frameState.directoryWindow) {
        openStartupFiles(app_);
    } else {
        jobs_.startStartup();
    }
}

void MainWindow::runCommand(int id) {
    if (ended_) {
        return;
    }
    // The events a print job lets through must not change what it prints.
    if (frame_.printing()) {
        frame_.hold(id);
        return;
    }
    // While a load or comparison runs, the model is not to be touched.
    if (jobs_.running() && !WindowJobs::allowedWhileRunning(id)) {
        return;
    }
    emit commandReceived(id);
    ++commandDepth_;
    if (!runWindowCommand(id)) {
        router_.route(id);
    }
    --commandDepth_;
    ui::showSplitCursor(this, app_.frameState.splitArmed);
    // A quit asked for by a command ends the run once that command is done.
    if (commandDepth_ == 0 && app_.frameState.quitRequested) {
        close();
    }
}

bool MainWindow::runWindowCommand(int id) {
    if (directoryCommands_.run(id) || jobs_.run(id)) {
        return true;
    }
    switch (id) {
    case cmd::kOptionsGeneral:
        openOptions();
        return true;
    case cmd::kTitleFont:
        fonts_.chooseTitleFont();
        return true;
    case cmd::kTextFont:
        fonts_.chooseTextFont();
        return true;
    case cmd::kHelpContents:
        showHelp();
        return true;
    case cmd::kQuit:
        close();
        return true;
    case cmd::kAbout: {
        AboutDialog dialog(QString::fromLatin1(kWindowCaption), QString::fromLatin1(kVersion),
                           this);
        services_.runModal(dialog);
        return true;
    }
    case cmd::kToggleStatusBar:
        status_.toggle();
        return true;
    case cmd::kToggleBasePane: {
        std::int32_t& shown = app_.settings.record.basePane;
        shown = shown != 0 ? 0 : 1;
        parts_.container->updateBasePane();
        checkBasePaneItem();
        return true;
    }
    case cmd::kContextMenu:
        menus_.openContextMenuAtSegment();
        return true;
    case cmd::kPaste:
        if (PreviewEdit* edit = frame_.preview()) {
            edit->paste();
        } else {
            frame_.message(Severity::Warning, "Unable to paste. You are not in Preview mode");
        }
        return true;
    default:
        if (flipToolbarFlag(app_, id)) {
            menus_.syncToolbarChecks();
            return true;
        }
        return false;
    }
}

void MainWindow::checkBasePaneItem() {
    if (auto* item = findChild<QAction*>(QString::number(cmd::kToggleBasePane))) {
        item->setCheckable(true);
        item->setChecked(app_.settings.record.basePane != 0);
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && jobs_.running()) {
        jobs_.cancel();
        return;
    }
    PaneGroup* group = parts_.container->paneGroup();
    const bool taken =
        group != nullptr ? group->key(*event) : directoryCommands_.scrollListsByKey(*event);
    if (!taken) {
        QMainWindow::keyPressEvent(event);
    }
}

DirectoryWindow* MainWindow::directoryWindow() const {
    return parts_.container != nullptr ? parts_.container->directoryWindow() : nullptr;
}

QMenu* MainWindow::createPopupMenu() {
    return nullptr; // the toolbar stays: no menu offers to hide it
}

} // namespace tandel
