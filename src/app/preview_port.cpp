#include "app/preview_port.h"

#include "app/frame_body.h"
#include "control/application.h"
#include "view/preview_edit.h"

namespace tandel {

PreviewEdit* PreviewPort::preview() const {
    return parts_.body->preview();
}

bool PreviewPort::previewOpen() const {
    return preview() != nullptr;
}

void PreviewPort::openPreview() {
    PreviewEdit* edit = parts_.body->openPreview();
    edit->setFont(parts_.textFont);
    applyTabStops();
}

void PreviewPort::closePreview() {
    parts_.body->closePreview();
}

void PreviewPort::applyTabStops() {
    if (PreviewEdit* edit = preview()) {
        const SettingsRecord& record = parts_.app->settings.record;
        edit->setTabStops(record.tabSize, record.charWidth);
    }
}

void PreviewPort::setPreviewText(const std::string& text) {
    if (PreviewEdit* edit = preview()) {
        edit->setBytes(text);
    }
}

std::string PreviewPort::previewText() const {
    const PreviewEdit* edit = preview();
    return edit != nullptr ? edit->bytes() : std::string();
}

bool PreviewPort::previewModified() const {
    const PreviewEdit* edit = preview();
    return edit != nullptr && edit->document()->isModified();
}

void PreviewPort::setPreviewModified(bool modified) {
    if (PreviewEdit* edit = preview()) {
        edit->document()->setModified(modified);
    }
}

} // namespace tandel
