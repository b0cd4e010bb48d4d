// The preview below the container: opened and closed, its text in bytes and
// whether the user changed it.
#pragma once

#include "app/window_parts.h"
#include "frame/preview.h"

namespace tandel {

class PreviewEdit;

class PreviewPort : public virtual Preview {
public:
    explicit PreviewPort(WindowParts& parts) : parts_(parts) {}

    // Null while the preview is closed.
    PreviewEdit* preview() const;
    // The preview's tab stops from "Tab size" and the text font.
    void applyTabStops();

    bool previewOpen() const override;
    void openPreview() override;
    void closePreview() override;
    void setPreviewText(const std::string& text) override;
    std::string previewText() const override;
    bool previewModified() const override;
    void setPreviewModified(bool modified) override;

private:
    WindowParts& parts_;
};

} // namespace tandel
