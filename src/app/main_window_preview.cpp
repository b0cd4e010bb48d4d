// The preview of the merged result below the container, and pasting into it.
#include "app/main_window.h"

#include "app/frame_body.h"
#include "view/preview_edit.h"

namespace tandel {

PreviewEdit* MainWindow::preview() const { return body_->preview(); }

bool MainWindow::previewOpen() const { return body_->preview() != nullptr; }

void MainWindow::openPreview() {
    PreviewEdit* edit = body_->openPreview();
    edit->setFont(textFont_);
    applyTabStops();
}

void MainWindow::closePreview() { body_->closePreview(); }

void MainWindow::applyTabStops() {
    if (PreviewEdit* edit = body_->preview()) {
        const SettingsRecord& record = app_.settings.record;
        edit->setTabStops(record.tabSize, record.charWidth);
    }
}

void MainWindow::setPreviewText(const std::string& text) {
    if (PreviewEdit* edit = body_->preview()) {
        edit->setBytes(text);
    }
}

std::string MainWindow::previewText() const {
    const PreviewEdit* edit = body_->preview();
    return edit != nullptr ? edit->bytes() : std::string();
}

bool MainWindow::previewModified() const {
    const PreviewEdit* edit = body_->preview();
    return edit != nullptr && edit->document()->isModified();
}

void MainWindow::setPreviewModified(bool modified) {
    if (PreviewEdit* edit = body_->preview()) {
        edit->document()->setModified(modified);
    }
}

void MainWindow::pasteIntoPreview() {
    if (PreviewEdit* edit = body_->preview()) {
        edit->paste();
        return;
    }
    message(Severity::Warning, "Unable to paste. You are not in Preview mode");
}

} // namespace tandel
