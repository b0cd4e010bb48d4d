#include "app/window_menus.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>

#include "app/accelerators.h"
#include "app/menu_builder.h"
#include "control/application.h"
#include "control/toolbar_flags.h"
#include "merge/segment_map.h"
#include "panes/navigation.h"
#include "view/diff_edit.h"
#include "view/edit_cont.h"
#include "view/pane_group.h"

// The resource file lives in a static library; its data must be named once.
static void initialiseResources() {
    Q_INIT_RESOURCE(tandel);
}

namespace tandel {

std::span<const ui::Accelerator> WindowMenus::accelerators() const {
    return parts_.app->frameState.directoryWindow ? ui::kestaAccMandc() : ui::kestaAcc();
}

void WindowMenus::buildMenus() {
    QMainWindow* window = parts_.window;
    const ui::CommandRunner run = parts_.runCommand;
    if (parts_.app->frameState.directoryWindow) {
        // The directory window has no menu bar: its context menu, keys and
        // toolbar carry its commands.
        quickMenu_ = ui::buildMenu(ui::quickMenuMandc(), accelerators(), run, window);
        return;
    }
    parts_.filePopup = ui::fillMenuBar(window->menuBar(), ui::mainMenu(), accelerators(), run);
    parts_.walkFilePopup = ui::buildPopup(ui::compDirMenu(), accelerators(), run, window);
    quickMenu_ = ui::buildMenu(ui::quickMenu(), accelerators(), run, window);
    parts_.container->paneGroup()->setContextMenu(quickMenu_);
}

void WindowMenus::buildAccelerators() {
    accelerators_ = new ui::Accelerators(parts_.window, accelerators(), parts_.runCommand);
}

void WindowMenus::buildToolbar() {
    initialiseResources();
    const bool directoryWindow = parts_.app->frameState.directoryWindow;
    toolbar_ = new QToolBar(parts_.window);
    toolbar_->setObjectName(QStringLiteral("1000"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setIconSize(QSize(16, 16));
    for (const ui::ToolButton& button :
         directoryWindow ? ui::directoryToolbar() : ui::fileToolbar()) {
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
        QObject::connect(action, &QAction::triggered, parts_.window,
                         [run = parts_.runCommand, id] { run(id); });
        if (button.kind == ui::ToolKind::Check) {
            action->setCheckable(true);
            checkButtons_[id] = action;
        }
    }
    parts_.window->addToolBar(Qt::TopToolBarArea, toolbar_);
    syncToolbarChecks();
}

void WindowMenus::syncToolbarChecks() {
    for (const auto& [id, action] : checkButtons_) {
        action->setChecked(toolbarFlag(*parts_.app, id));
    }
}

void WindowMenus::openContextMenuAtSegment() {
    const Application& app = *parts_.app;
    PaneGroup* group = parts_.container->paneGroup();
    if (group == nullptr || quickMenu_ == nullptr) {
        return;
    }
    // At the segment in focus when it is in view, else at the top of the pane.
    const SettingsRecord& record = app.settings.record;
    const std::int32_t i = segmentInFocus(app.model, record);
    std::int64_t row = i >= 0 ? segmentDisplayStart(app.model, i) - 1 - record.topLine : 0;
    if (row < 0 || row >= record.visibleRows) {
        row = 0;
    }
    QWidget* pane = group->pane(1);
    const int y = static_cast<int>(row + 1) * std::max(record.lineHeight, 1);
    quickMenu_->popup(pane->mapToGlobal(QPoint(pane->width() / 4, y)));
}

} // namespace tandel
