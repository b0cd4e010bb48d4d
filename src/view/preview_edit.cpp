#include "view/preview_edit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

#include "view/preview_text.h"

namespace tandel {

PreviewEdit::PreviewEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("preview"));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::Box);
}

void PreviewEdit::setBytes(const std::string& bytes) {
    const QString text = ui::previewTextFromBytes(bytes);
    limit_ = std::max(kCharacterLimit, text.size());
    setPlainText(text);
}

std::string PreviewEdit::bytes() const {
    return ui::previewBytesFromText(document()->toRawText());
}

void PreviewEdit::setTabStops(int tabSize, int averageCharWidth) {
    setTabStopDistance(static_cast<qreal>(std::max(1, tabSize) * std::max(1, averageCharWidth)));
}

qsizetype PreviewEdit::room() const {
    // The document counts one more character than its text holds.
    const qsizetype used = document()->characterCount() - 1;
    const QTextCursor cursor = textCursor();
    const qsizetype replaced = cursor.selectionEnd() - cursor.selectionStart();
    return std::max<qsizetype>(0, limit_ - used + replaced);
}

void PreviewEdit::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) {
        return;
    }
    // Like the edit controls of old, a paste takes what fits.
    const QString text = source->text().left(room());
    textCursor().insertText(text);
    ensureCursorVisible();
}

void PreviewEdit::keyPressEvent(QKeyEvent* event) {
    if (!event->text().isEmpty() && event->text().at(0).isPrint() && room() == 0) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace tandel
