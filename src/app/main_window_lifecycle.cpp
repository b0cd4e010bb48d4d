// Where the window opens, and the end of the run: the settings written when
// the window closes, by the system or by Quit.
#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <unistd.h>

#include <optional>

#include "app/frame_layout.h"
#include "control/lifecycle.h"
#include "merge/unsaved_decisions.h"

namespace tandel {

namespace {

ui::Rect rectOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// What the desktop draws around the window; nothing until it has been shown.
ui::FrameMargins frameMarginsOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

std::vector<ui::Rect> availableScreens() {
    std::vector<ui::Rect> screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary != nullptr) {
        screens.push_back(rectOf(primary->availableGeometry()));
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) {
            screens.push_back(rectOf(screen->availableGeometry()));
        }
    }
    return screens;
}

} // namespace

void MainWindow::placeWindow() {
    const Geometry& g = app_.settings.geometry;
    const std::vector<ui::Rect> screens = availableScreens();
    const ui::FrameMargins frame = frameMarginsOf(*this);
    const ui::Rect saved = ui::placeOnScreens({g.left, g.top, g.width, g.height}, screens, frame);
    const auto place = [&](std::optional<ui::Rect> newest) {
        if (const MainWindow* other = newestOtherWindow()) {
            newest = ui::Rect{other->x(), other->y(), other->width(), other->height()};
        }
        return newest ? ui::cascadeFrom(*newest, saved, ui::screenHolding(*newest, screens), frame)
                      : saved;
    };
    // A run with no window takes no place among the windows.
    const ui::Rect r =
        app_.frameState.unattended ? place(std::nullopt) : openWindows_.claim(::getpid(), place);
    resize(r.width, r.height);
    move(r.x, r.y);
}

const MainWindow* MainWindow::newestOtherWindow() const {
    const MainWindow* newest = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const auto* window = qobject_cast<const MainWindow*>(widget);
        if (window != nullptr && window != this && window->isVisible() &&
            (newest == nullptr || window->serial_ > newest->serial_)) {
            newest = window;
        }
    }
    return newest;
}

void MainWindow::shutDown() {
    if (ended_) {
        return;
    }
    ended_ = true;
    openWindows_.forget(::getpid());
    Geometry& g = app_.settings.geometry;
    if (isMinimized()) {
        g.left = -1; // the file keeps the geometry of the last normal window
    } else {
        g.left = pos().x();
        g.top = pos().y();
        g.width = width();
        g.height = height();
    }
    // Settings that are not written have been reported with the reason.
    (void)writeShutdownSettings(app_, store_);
    emit finished(exitCode());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A print job is still walking the result: it stops first, then the
    // window closes.
    if (frame_.printing()) {
        frame_.cancelThenClose();
        event->ignore();
        return;
    }
    // Closing while the directory list is built stops the build; the
    // window closes once it has stopped.
    if (directoryCommands_.building()) {
        directories_.state.cancelRequested = true;
        event->ignore();
        return;
    }
    // A load or comparison stops at once; what it found is not wanted.
    if (jobs_.running()) {
        jobs_.cancelAndWait();
    }
    if (!ended_ && !mayDropDecisions(app_.model, app_.settings, frame_)) {
        event->ignore();
        return;
    }
    shutDown();
    event->accept();
}

} // namespace tandel
