#include "app/window_display.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "app/window_status.h"
#include "control/application.h"
#include "view/diff_title.h"
#include "view/directory_window.h"
#include "view/edit_cont.h"
#include "view/pane_group.h"
#include "view/position_bar.h"

namespace tandel {

void WindowDisplay::modelChanged(ModelEvent event) {
    switch (event) {
    case ModelEvent::SegmentsChanged:
        parts_.container->updateBasePane();
        repaintPanes();
        break;
    case ModelEvent::SelectionChanged:
        repaintPanes();
        break;
    case ModelEvent::DifferencesCleared:
        parts_.container->updateBasePane();
        [[fallthrough]];
    case ModelEvent::Scrolled:
        repaintPanes();
        repaintPositionBar();
        break;
    case ModelEvent::SideLoaded:
    case ModelEvent::SidesCleared:
        parts_.container->updateBasePane();
        repaintTitles();
        repaintPositionBar();
        repaintPanes();
        break;
    case ModelEvent::ComparisonFinished:
        repaintPositionBar();
        break;
    case ModelEvent::ListRowsChanged:
        if (DirectoryWindow* lists = parts_.container->directoryWindow()) {
            lists->fill();
        }
        break;
    }
}

void WindowDisplay::repaintPanes() {
    if (PaneGroup* group = parts_.container->paneGroup()) {
        group->repaintPanes();
    }
    parts_.status->update();
}

void WindowDisplay::repaintTitles() {
    edit_cont& container = *parts_.container;
    if (container.title(1) != nullptr) {
        container.title(1)->update();
        container.title(2)->update();
    }
    parts_.status->updateCaption();
    parts_.status->update();
}

void WindowDisplay::repaintPositionBar() {
    if (PaneGroup* group = parts_.container->paneGroup()) {
        group->syncVerticalBar();
        group->positionBar()->update();
    }
    parts_.status->update();
}

void WindowDisplay::setWaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void WindowDisplay::setWalkMenu(bool walking) {
    if (parts_.filePopup == nullptr) {
        return;
    }
    QMenu* shown = walking ? parts_.walkFilePopup : parts_.filePopup;
    QMenu* hidden = walking ? parts_.filePopup : parts_.walkFilePopup;
    QMenuBar* bar = parts_.window->menuBar();
    const QList<QAction*> items = bar->actions();
    if (!items.isEmpty() && items.front() == shown->menuAction()) {
        return;
    }
    bar->insertMenu(items.isEmpty() ? nullptr : items.front(), shown);
    bar->removeAction(hidden->menuAction());
}

void WindowDisplay::clearSelection(int side) {
    auto& selection = parts_.app->frameState.selection;
    if (selection.side == side) {
        selection = {};
        repaintPanes();
    }
}

} // namespace tandel
