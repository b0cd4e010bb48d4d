#include "app/search_port.h"

#include <QApplication>
#include <QMainWindow>
#include <QTextCursor>

#include "app/frame_body.h"
#include "control/application.h"
#include "frame/command_ids.h"
#include "view/preview_edit.h"
#include "view/preview_text.h"

namespace tandel {

bool SearchPort::previewTakesSearch() const {
    const PreviewEdit* edit = parts_.body->preview();
    return edit != nullptr && (edit->hasFocus() || findFocus_ == edit);
}

PreviewSelection SearchPort::previewSelection() const {
    const PreviewEdit* edit = parts_.body->preview();
    if (edit == nullptr) {
        return {};
    }
    const QString text = edit->document()->toRawText();
    const QTextCursor cursor = edit->textCursor();
    return {static_cast<std::int64_t>(ui::previewByteOffset(text, cursor.selectionStart())),
            static_cast<std::int64_t>(ui::previewByteOffset(text, cursor.selectionEnd()))};
}

void SearchPort::selectPreviewText(std::int64_t start, std::int64_t end) {
    PreviewEdit* edit = parts_.body->preview();
    if (edit == nullptr) {
        return;
    }
    const QString text = edit->document()->toRawText();
    const auto at = [&](std::int64_t offset) {
        return ui::previewPosition(text,
                                   static_cast<std::size_t>(std::max<std::int64_t>(offset, 0)));
    };
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(static_cast<int>(at(start)));
    cursor.setPosition(static_cast<int>(at(end)), QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    edit->ensureCursorVisible();
    edit->setFocus();
}

void SearchPort::openFindDialog(bool matchCase) {
    QWidget* focus = QApplication::focusWidget();
    if (findDialog_ == nullptr) {
        findDialog_ = new FindDialog(parts_.window);
        Application& app = *parts_.app;
        QObject::connect(findDialog_, &FindDialog::findNextRequested, parts_.window,
                         [this, &app](const QString& text, bool caseMatters) {
                             app.frameState.ignoreCase = !caseMatters;
                             app.frameState.searchText = text.toStdString();
                             parts_.runCommand(cmd::kFindNext);
                         });
        QObject::connect(findDialog_, &FindDialog::closing, parts_.window,
                         [this, &app](bool caseMatters) {
                             app.frameState.ignoreCase = !caseMatters;
                             findFocus_ = nullptr;
                             findDialog_->deleteLater();
                             findDialog_ = nullptr;
                         });
    }
    // Find again while the dialog has the focus keeps the window the search
    // was meant for.
    if (focus == nullptr || focus->window() != findDialog_) {
        findFocus_ = focus;
    }
    findDialog_->reset(matchCase);
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

} // namespace tandel
