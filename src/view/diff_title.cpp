#include "view/diff_title.h"

#include <QPainter>

#include <string>

#include "control/application.h"
#include "merge/display_text.h"
#include "merge/file_format_label.h"

#include <algorithm>

namespace tandel {

DiffTitle::DiffTitle(const Application& app, int side, QWidget* parent)
    : QWidget(parent), app_(app), side_(side) {
    setObjectName(side == 2 ? QStringLiteral("Title2") : QStringLiteral("Title1"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setForegroundRole(QPalette::ButtonText);
}

QString DiffTitle::shownPath() const {
    const std::string& name = app_.model.side(side_).fileName;
    std::string shown;
    appendShownText(shown, name, lineEncodingOf(name));
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

QString DiffTitle::formatLabel() const {
    const std::string label = fileFormatLabel(app_.model.side(side_));
    return label.empty() ? QString() : QStringLiteral("  (%1)").arg(QString::fromStdString(label));
}

void DiffTitle::paintEvent(QPaintEvent* /*event*/) {
    const QString path = shownPath();
    if (path.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect box = rect().adjusted(0, 1, -1, 1);
    // A path wider than the title loses its start, never its file name nor
    // how the file is written.
    const QString label = formatLabel();
    const int room = std::max(0, box.width() - fontMetrics().horizontalAdvance(label));
    const QString fitted = fontMetrics().elidedText(path, Qt::ElideLeft, room) + label;
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, fitted);
}

} // namespace tandel
