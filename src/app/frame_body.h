// The main window's area below the toolbar: the container, and while the
// preview is open the preview below it, with a 4-pixel strip between them
// that the user drags to share the height. The preview takes a third of the
// height when it opens and follows the strip where the button is released.
#pragma once

#include <QWidget>

#include <memory>
#include <optional>

namespace tandel {

class PreviewEdit;
class edit_cont;

class FrameBody : public QWidget {
    Q_OBJECT
public:
    FrameBody(edit_cont* container, QWidget* parent);

    edit_cont* container() const { return container_; }
    // Null while the preview is closed.
    PreviewEdit* preview() const { return preview_.get(); }

    PreviewEdit* openPreview();
    void closePreview();
    std::optional<int> previewHeight() const;

    // Neither the container nor the preview is made lower than this.
    void setMinimumPart(int pixels) { minimumPart_ = pixels; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void layOut();

    edit_cont* container_;
    std::unique_ptr<PreviewEdit> preview_; // a child that closing the preview destroys
    int previewHeight_ = 0;
    int minimumPart_ = 40;
    bool dragging_ = false;
};

} // namespace tandel
