#include "app/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaObject>

#include <memory>

#include "app/accelerators.h"
#include "app/frame_body.h"
#include "control/lifecycle.h"
#include "control/toolbar_flags.h"
#include "dialogs/abort_dialog.h"
#include "dialogs/find_dialog.h"
#include "frame/command_ids.h"
#include "settings/compare_settings_store.h"
#include "view/diff_edit.h"
#include "view/diff_title.h"
#include "view/directory_window.h"
#include "view/edit_cont.h"
#include "view/pane_group.h"
#include "view/position_bar.h"
#include "view/preview_edit.h"
#include "view/print_job.h"
#include "view/split_cursor.h"

namespace tandel {

MainWindow::MainWindow(WindowServices services, const std::vector<std::string>& arguments,
                       QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      store_(services_.settingsPath),
      directories_(app_, services_.programPath, services_.startInstance),
      router_(app_, directories_, routerInputs()),
      openWindows_(services_.openWindowsPath) {
    static int made = 0;
    serial_ = ++made;
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    // A command line the parser refuses has been reported; the window still
    // opens with the switches it understood, so the user can go on.
    (void)readStartupSettings(app_, store_, arguments);
    makeFonts();
    buildToolbar();
    container_ =
        new edit_cont(app_, app_.frameState.directoryWindow ? &directories_ : nullptr, this);
    container_->setFonts(textFont_, titleFont_);
    body_ = new FrameBody(container_, this);
    setCentralWidget(body_);
    buildMenus();
    if (directoryWindow() != nullptr) {
        directoryWindow()->setContextMenu(quickMenu_);
    }
    directories_.setSettingsWriter([this] {
        if (store_.saveAll(app_.settings, compareSettingsWriters(app_.compare)) !=
            SettingsWrite::Written) {
            message(Severity::Warning, "Unable to write the settings to " + store_.path());
        }
    });
    accelerators_ = new ui::Accelerators(this, accelerators(), [this](int id) { runCommand(id); });
    setUpJobs();
    setUpStatusBar();
    placeWindow();
}

// The container's widgets read the application object and directory merging,
// which die with this window's members, before the base class deletes its
// children: the widgets go first.
MainWindow::~MainWindow() { std::unique_ptr<QWidget> body(takeCentralWidget()); }

void MainWindow::start() {
    if (!app_.frameState.unattended) {
        show();
    }
    if (app_.frameState.directoryWindow) {
        openStartupFiles(app_);
    } else {
        startStartupJob();
    }
}

void MainWindow::runCommand(int id) {
    if (ended_) {
        return;
    }
    // The events a print job lets through must not change what it prints.
    if (printJob_ != nullptr) {
        heldCommands_.push_back(id);
        return;
    }
    // While a load or comparison runs, the model is not to be touched.
    if (jobRunning() && !allowedWhileJobRuns(id)) {
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
    if (runDirectoryCommand(id) || runJobCommand(id)) {
        return true;
    }
    switch (id) {
    case cmd::kOptionsGeneral:
        openOptions();
        return true;
    case cmd::kTitleFont:
        chooseTitleFont();
        return true;
    case cmd::kTextFont:
        chooseTextFont();
        return true;
    case cmd::kHelpContents:
        showHelp();
        return true;
    case cmd::kQuit:
        close();
        return true;
    case cmd::kAbout:
        showAbout();
        return true;
    case cmd::kToggleStatusBar:
        toggleStatusBar();
        return true;
    case cmd::kContextMenu:
        openContextMenuAtSegment();
        return true;
    case cmd::kPaste:
        pasteIntoPreview();
        return true;
    default:
        if (flipToolbarFlag(app_, id)) {
            syncToolbarChecks();
            return true;
        }
        return false;
    }
}

void MainWindow::postCommand(int id) {
    QMetaObject::invokeMethod(this, [this, id] { runCommand(id); }, Qt::QueuedConnection);
}

void MainWindow::sendCommand(int id) { runCommand(id); }

void MainWindow::repaintPanes() {
    if (PaneGroup* group = container_->paneGroup()) {
        group->repaintPanes();
    }
    updateStatus();
}

void MainWindow::repaintTitles() {
    if (container_->title(1) != nullptr) {
        container_->title(1)->update();
        container_->title(2)->update();
    }
    updateCaption();
    updateStatus();
}

void MainWindow::repaintPositionBar() {
    if (PaneGroup* group = container_->paneGroup()) {
        group->syncVerticalBar();
        group->positionBar()->update();
    }
    updateStatus();
}

void MainWindow::relayout() { container_->relayout(); }

void MainWindow::refreshLists() {
    if (directoryWindow() != nullptr) {
        directoryWindow()->fill();
    }
}

void MainWindow::setWaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::clearSelection(int side) {
    if (app_.frameState.selection.side == side) {
        app_.frameState.selection = {};
        repaintPanes();
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && jobRunning()) {
        jobs_->cancel();
        return;
    }
    PaneGroup* group = container_->paneGroup();
    const bool taken = group != nullptr ? group->key(*event) : scrollListsByKey(*event);
    if (!taken) {
        QMainWindow::keyPressEvent(event);
    }
}

void MainWindow::setClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(),
                                                            static_cast<qsizetype>(text.size())));
}

void MainWindow::setSelectionText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection()) {
        clipboard->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                           QClipboard::Selection);
    }
}

} // namespace tandel
