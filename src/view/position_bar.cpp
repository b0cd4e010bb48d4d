#include "view/position_bar.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include <array>

#include "control/application.h"
#include "panes/position_ticks.h"

namespace tandel {

position_bar::position_bar(const Application& app, QWidget* parent)
    : QWidget(parent), app_(app), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
    setObjectName(QStringLiteral("DiffPos"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    scrollBar_->setObjectName(QStringLiteral("VertScr"));
}

void position_bar::paintEvent(QPaintEvent* /*event*/) {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBar_);
    // The arrow button's height as the style draws it on a bar of full width.
    QStyleOptionSlider option;
    option.initFrom(scrollBar_);
    option.orientation = Qt::Vertical;
    option.rect = QRect(0, 0, extent, height());
    const int arrow =
        style()
            ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, scrollBar_)
            .height();
    const PositionBarMetrics metrics{height(), extent, arrow > 0 ? arrow : extent};
    const std::vector<PositionTick> ticks =
        positionTicks(app_.model, app_.settings.record.rowCount, metrics);
    if (ticks.empty()) {
        return;
    }
    QPainter painter(this);
    // Whole pixels: sharp at any scale. Undecided segments are red and drawn
    // last, so that thousands of decided ones around them never hide them;
    // those the merge decided on its own are a pale green under the user's
    // own choices; the current one is a wider blue band.
    const std::array<QColor, 3> shades{QColor(120, 185, 140), QColor(0, 140, 60),
                                       QColor(220, 30, 30)};
    const QColor current(30, 90, 240);
    const auto pass = [](const PositionTick& tick) {
        return tick.undecided ? 2 : tick.automatic ? 0 : 1;
    };
    for (int p = 0; p < 3; ++p) {
        for (const PositionTick& tick : ticks) {
            if (pass(tick) == p) {
                painter.fillRect(0, static_cast<int>(tick.y), width(), 1,
                                 shades[static_cast<std::size_t>(p)]);
            }
        }
    }
    for (const PositionTick& tick : ticks) {
        if (tick.current) {
            painter.fillRect(0, static_cast<int>(tick.y) - 1, width(), 3, current);
        }
    }
}

} // namespace tandel
