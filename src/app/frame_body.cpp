#include "app/frame_body.h"

#include <QMouseEvent>

#include "app/frame_layout.h"
#include "view/edit_cont.h"
#include "view/place_widget.h"
#include "view/preview_edit.h"

namespace tandel {

FrameBody::FrameBody(edit_cont* container, QWidget* parent)
    : QWidget(parent), container_(container) {
    container_->setParent(this);
    // The strip shows the resize cursor only while a preview is there to size.
    setMouseTracking(true);
}

PreviewEdit* FrameBody::openPreview() {
    if (preview_ == nullptr) {
        preview_ = std::make_unique<PreviewEdit>(this);
        previewHeight_ = ui::openingPreviewHeight(height());
        layOut();
        preview_->show();
    }
    return preview_.get();
}

void FrameBody::closePreview() {
    if (preview_ == nullptr) {
        return;
    }
    preview_.reset();
    dragging_ = false;
    unsetCursor();
    layOut();
}

std::optional<int> FrameBody::previewHeight() const {
    return preview_ != nullptr ? std::optional<int>(previewHeight_) : std::nullopt;
}

void FrameBody::layOut() {
    const ui::BodyLayout layout = ui::bodyLayout(width(), height(), previewHeight());
    ui::place(container_, layout.container);
    if (preview_ != nullptr && layout.preview) {
        ui::place(preview_.get(), *layout.preview);
    }
}

void FrameBody::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void FrameBody::mousePressEvent(QMouseEvent* event) {
    const int y = static_cast<int>(event->position().y());
    if (preview_ != nullptr && event->buttons() == Qt::LeftButton &&
        ui::onSplitter(y, height(), previewHeight_)) {
        dragging_ = true; // the press grabs the mouse until the release
        return;
    }
    QWidget::mousePressEvent(event);
}

void FrameBody::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    const int y = static_cast<int>(event->position().y());
    previewHeight_ = ui::releasedPreviewHeight(y, height(), minimumPart_);
    layOut();
}

void FrameBody::mouseMoveEvent(QMouseEvent* event) {
    const int y = static_cast<int>(event->position().y());
    if (preview_ != nullptr && (dragging_ || ui::onSplitter(y, height(), previewHeight_))) {
        setCursor(Qt::SplitVCursor);
    } else {
        unsetCursor();
    }
    QWidget::mouseMoveEvent(event);
}

} // namespace tandel
