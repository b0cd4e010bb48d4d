#include "view/diff_title.h"

namespace tandel {

DiffTitle::DiffTitle(Application& app, int side, QWidget* parent)
    : QWidget(parent), app_(app), side_(side) {
    setObjectName(side == 2 ? QStringLiteral("Title2") : QStringLiteral("Title1"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

} // namespace tandel
