// Find and Find Next on the window's side: the modeless Find dialog, which
// window a search goes to, and the preview's selection in the bytes the core
// searches.
#include "app/main_window.h"

#include <QApplication>
#include <QTextCursor>

#include "dialogs/find_dialog.h"
#include "frame/command_ids.h"
#include "view/edit_cont.h"
#include "view/preview_edit.h"
#include "view/preview_text.h"

namespace tandel {

bool MainWindow::previewTakesSearch() const {
    const PreviewEdit* edit = preview();
    return edit != nullptr && (edit->hasFocus() || findFocus_ == edit);
}

PreviewSelection MainWindow::previewSelection() const {
    const PreviewEdit* edit = preview();
    if (edit == nullptr) {
        return {};
    }
    const QString text = edit->document()->toRawText();
    const QTextCursor cursor = edit->textCursor();
    return {static_cast<std::int64_t>(ui::previewByteOffset(text, cursor.selectionStart())),
            static_cast<std::int64_t>(ui::previewByteOffset(text, cursor.selectionEnd()))};
}

void MainWindow::selectPreviewText(std::int64_t start, std::int64_t end) {
    PreviewEdit* edit = preview();
    if (edit == nullptr) {
        return;
    }
    const QString text = edit->document()->toRawText();
    const auto at = [&](std::int64_t offset) {
        return ui::previewPosition(text, static_cast<std::size_t>(std::max<std::int64_t>(offset, 0)));
    };
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(static_cast<int>(at(start)));
    cursor.setPosition(static_cast<int>(at(end)), QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    edit->ensureCursorVisible();
    edit->setFocus();
}

void MainWindow::openFindDialog(bool matchCase) {
    QWidget* focus = QApplication::focusWidget();
    if (findDialog_ == nullptr) {
        findDialog_ = new FindDialog(this);
        connect(findDialog_, &FindDialog::findNextRequested, this,
                [this](const QString& text, bool caseMatters) {
                    app_.frameState.ignoreCase = !caseMatters;
                    app_.frameState.searchText = text.toStdString();
                    runCommand(cmd::kFindNext);
                });
        connect(findDialog_, &FindDialog::closing, this, [this](bool caseMatters) {
            app_.frameState.ignoreCase = !caseMatters;
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
