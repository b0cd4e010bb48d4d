#include "view/position_bar.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

#include "control/application.h"
#include "merge/position_ticks.h"

namespace tandel {

position_bar::position_bar(Application& app, QWidget* parent)
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
    const std::vector<std::int64_t> ticks =
        PositionTicks(app_.model.side(1), app_.settings.record.rowCount, metrics);
    if (ticks.empty()) {
        return;
    }
    QPainter painter(this);
    // One whole pixel high: sharp at any scale.
    const QColor ink = palette().color(QPalette::Text);
    for (const std::int64_t y : ticks) {
        painter.fillRect(0, static_cast<int>(y), width(), 1, ink);
    }
}

} // namespace tandel
