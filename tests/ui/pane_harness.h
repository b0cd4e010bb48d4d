// The real window with two files compared, and what a test reads off the
// panes: grabbed images, the colour of a row, where ink lies in a row, and
// mouse positions of rows.
#pragma once

#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "view/diff_edit.h"
#include "view/edit_cont.h"
#include "view/pane_group.h"
#include "window_harness.h"

namespace tandel::test {

// Where a row's pixels differ from its background, in logical x.
struct Ink {
    int left = 0;
    int right = -1; // inclusive; right < left when the row has no ink
    bool any() const { return right >= left; }
};

class PaneHarness {
public:
    WindowHarness window;
    std::unique_ptr<MainWindow> main;

    // Opens the window on two files (none when both are empty) with the given
    // [Options] lines, "Auto walk" off unless they say otherwise, and runs
    // the posted comparison.
    void open(const std::string& left, const std::string& right, const std::string& options = "",
              QSize size = QSize(800, 500)) {
        window.folder.write("tandel.ini", "[Options]\nAuto walk=0\n" + options);
        std::vector<std::string> arguments;
        if (!left.empty() || !right.empty()) {
            arguments = {window.folder.write("left.txt", left),
                         window.folder.write("right.txt", right)};
        }
        start(arguments, size);
    }
    // The window on these arguments, under the settings file as it is.
    void start(const std::vector<std::string>& arguments, QSize size = QSize(800, 500)) {
        main = window.open(arguments);
        main->resize(size);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    Application& app() { return main->application(); }
    SettingsRecord& record() { return app().settings.record; }
    DiffEdit* pane(int side) { return main->container()->pane(side); }
    PaneGroup* group() { return main->container()->paneGroup(); }
    int h() { return record().lineHeight; }

    QPoint rowPoint(int row, int x = 40) { return QPoint(x, row * h() + h() / 2); }

    void click(int side, int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(pane(side), Qt::LeftButton, modifiers, rowPoint(row));
        QCoreApplication::sendPostedEvents();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(main.get(), k, modifiers);
        QCoreApplication::sendPostedEvents();
    }

    static QImage grab(QWidget* w) { return w->grab().toImage(); }

    static QColor at(const QImage& image, int x, int y) {
        const qreal r = image.devicePixelRatio();
        return image.pixelColor(static_cast<int>(x * r), static_cast<int>(y * r));
    }
    // The background of a row: sampled at its right end, where no text is.
    // Sampled at the middle of the row's height, clear of any outline.
    QColor rowColour(const QImage& image, int row) {
        return at(image, logicalWidth(image) - 3, row * h() + h() / 2);
    }
    // Ink of a row between x = fromX and toX (exclusive; -1: the right edge).
    Ink ink(const QImage& image, int row, int fromX = 0, int toX = -1) {
        return inkIn(image, row * h(), (row + 1) * h(), fromX, rowColour(image, row), toX);
    }
    // Ink between pixel rows top and bottom (exclusive) against `background`.
    static Ink inkIn(const QImage& image, int top, int bottom, int fromX, const QColor& background,
                     int toX = -1) {
        Ink found{logicalWidth(image), -1};
        const int right = toX < 0 ? logicalWidth(image) : toX;
        for (int y = top; y < bottom; ++y) {
            for (int x = fromX; x < right; ++x) {
                if (distance(at(image, x, y), background) > 120) {
                    found.left = std::min(found.left, x);
                    found.right = std::max(found.right, x);
                }
            }
        }
        return found;
    }
    static int logicalWidth(const QImage& image) {
        return static_cast<int>(image.width() / image.devicePixelRatio());
    }
    static int distance(const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue());
    }
};

} // namespace tandel::test
