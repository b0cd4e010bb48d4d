// Find and Find Next on the window's side: the modeless Find dialog, which
// window a search goes to, and the preview's selection in the bytes the core
// searches.
#pragma once

#include <QPointer>

#include "app/window_parts.h"
#include "dialogs/find_dialog.h"
#include "frame/search_ui.h"

namespace tandel {

class SearchPort : public virtual SearchUi {
public:
    explicit SearchPort(WindowParts& parts) : parts_(parts) {}

    // The Find dialog while it is open, else null.
    FindDialog* findDialog() const { return findDialog_; }

    bool previewTakesSearch() const override;
    PreviewSelection previewSelection() const override;
    void selectPreviewText(std::int64_t start, std::int64_t end) override;
    void openFindDialog(bool matchCase) override;

private:
    WindowParts& parts_;
    QPointer<FindDialog> findDialog_;
    QPointer<QWidget> findFocus_; // had the focus when Find was opened
};

} // namespace tandel
