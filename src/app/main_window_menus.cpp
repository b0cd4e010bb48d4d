// The main window's menus, toolbar and accelerator table, all built from the
// command tables of the run mode.
#include "app/main_window.h"

#include <QAction>
#include <QIcon>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>

#include "app/menu_builder.h"
#include "panes/navigation.h"
#include "merge/segment_map.h"
#include "control/toolbar_flags.h"
#include "view/diff_edit.h"
#include "view/edit_cont.h"
#include "view/pane_group.h"

// The resource file lives in a static library; its data must be named once.
static void initialiseResources() { Q_INIT_RESOURCE(tandel); }

namespace tandel {

std::span<const ui::Accelerator> MainWindow::accelerators() const {
    return app_.frameState.directoryWindow ? ui::kestaAccMandc() : ui::kestaAcc();
}

void MainWindow::buildMenus() {
    const ui::CommandRunner run = [this](int id) { runCommand(id); };
    if (app_.frameState.directoryWindow) {
        // The directory window has no menu bar: its context menu, keys and
        // toolbar carry its commands.
        quickMenu_ = ui::buildMenu(ui::quickMenuMandc(), accelerators(), run, this);
        return;
    }
    parts_.filePopup = ui::fillMenuBar(menuBar(), ui::mainMenu(), accelerators(), run);
    parts_.walkFilePopup = ui::buildPopup(ui::compDirMenu(), accelerators(), run, this);
    quickMenu_ = ui::buildMenu(ui::quickMenu(), accelerators(), run, this);
    parts_.container->paneGroup()->setContextMenu(quickMenu_);
}

void MainWindow::buildToolbar() {
    initialiseResources();
    const bool directoryWindow = app_.frameState.directoryWindow;
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("1000"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setIconSize(QSize(16, 16));
    for (const ui::ToolButton& button : directoryWindow ? ui::directoryToolbar()
                                                        : ui::fileToolbar()) {
        if (button.kind == ui::ToolKind::Separator) {
            toolbar_->addSeparator();
            continue;
        }
        const QString tip = QString::fromStdString(ui::tooltipText(button.command));
        QAction* action = toolbar_->addAction(
            QIcon(QString::fromStdString(ui::toolbarImage(directoryWindow, button.image))), tip);
        action->setObjectName(QString::number(button.command));
        action->setToolTip(tip);
        action->setData(button.command);
        const int id = button.command;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        if (button.kind == ui::ToolKind::Check) {
            action->setCheckable(true);
            checkButtons_[id] = action;
        }
    }
    addToolBar(Qt::TopToolBarArea, toolbar_);
    syncToolbarChecks();
}

void MainWindow::syncToolbarChecks() {
    for (const auto& [id, action] : checkButtons_) {
        action->setChecked(toolbarFlag(app_, id));
    }
}

void MainWindow::openContextMenuAtSegment() {
    PaneGroup* group = parts_.container->paneGroup();
    if (group == nullptr || quickMenu_ == nullptr) {
        return;
    }
    // At the segment in focus when it is in view, else at the top of the pane.
    const SettingsRecord& record = app_.settings.record;
    const std::int32_t i = SegmentInFocus(app_.model, record);
    std::int64_t row = i >= 0 ? SegmentDisplayStart(app_.model, i) - 1 - record.topLine : 0;
    if (row < 0 || row >= record.visibleRows) {
        row = 0;
    }
    QWidget* pane = group->pane(1);
    const int y = static_cast<int>(row + 1) * std::max(record.lineHeight, 1);
    quickMenu_->popup(pane->mapToGlobal(QPoint(pane->width() / 4, y)));
}

QMenu* MainWindow::createPopupMenu() {
    return nullptr; // the toolbar stays: no menu offers to hide it
}

} // namespace tandel
