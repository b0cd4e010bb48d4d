#include "view/position_bar.h"

#include <QScrollBar>

namespace tandel {

position_bar::position_bar(Application& app, QWidget* parent)
    : QWidget(parent), app_(app), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
    setObjectName(QStringLiteral("DiffPos"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    scrollBar_->setObjectName(QStringLiteral("VertScr"));
}

} // namespace tandel
