#include "view/diff_edit.h"

namespace tandel {

DiffEdit::DiffEdit(Application& app, int side, QWidget* parent)
    : QWidget(parent), app_(app), side_(side) {
    setObjectName(side == 2 ? QStringLiteral("edit2") : QStringLiteral("edit1"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::ClickFocus);
}

} // namespace tandel
