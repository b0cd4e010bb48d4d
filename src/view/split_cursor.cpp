#include "view/split_cursor.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QWidget>

#include <cmath>

namespace tandel::ui {

namespace {

constexpr int kCursorSize = 32;

} // namespace

QCursor splitCursor(const QWidget* window) {
    const qreal ratio = window != nullptr ? window->devicePixelRatioF() : 1.0;
    const int pixels = static_cast<int>(std::ceil(kCursorSize * ratio));
    QPixmap image(pixels, pixels);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/cursors/split.svg"));
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(ratio);
    // The hot spot is the middle of the cut: the row under it is split.
    return QCursor(image, kCursorSize / 2, kCursorSize / 2);
}

void showSplitCursor(QWidget* window, bool armed) {
    if (window == nullptr) {
        return;
    }
    const bool shown =
        window->testAttribute(Qt::WA_SetCursor) && window->cursor().shape() == Qt::BitmapCursor;
    if (armed == shown) {
        return;
    }
    if (armed) {
        window->setCursor(splitCursor(window));
    } else {
        window->unsetCursor();
    }
}

} // namespace tandel::ui
