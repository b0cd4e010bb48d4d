// The preview: an editable window with the merged result.
#pragma once

#include <string>

namespace tandel {

class Preview {
public:
    virtual ~Preview() = default;

    virtual bool previewOpen() const = 0;
    virtual void openPreview() = 0;
    virtual void closePreview() = 0;
    virtual void setPreviewText(const std::string& text) = 0;
    virtual std::string previewText() const = 0;
    virtual bool previewModified() const = 0;
    virtual void setPreviewModified(bool modified) = 0;
};

} // namespace tandel
