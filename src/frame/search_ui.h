// What a search needs of the window: the preview's text selection and the
// Find dialog.
#pragma once

#include <cstdint>

namespace tandel {

// The preview's selection as byte offsets into the UTF-8 bytes of its text;
// end -1 stands for the end of the text.
struct PreviewSelection {
    std::int64_t start = 0;
    std::int64_t end = 0;
};

class SearchUi {
public:
    virtual ~SearchUi() = default;

    // The preview takes a search when it is open and holds the focus, or
    // held it when the Find dialog was opened.
    virtual bool previewTakesSearch() const = 0;
    // The preview's selection, in bytes of previewText().
    virtual PreviewSelection previewSelection() const = 0;
    // Selects the preview's bytes [start, end), scrolls them into view and
    // gives the preview the focus.
    virtual void selectPreviewText(std::int64_t start, std::int64_t end) = 0;
    // Opens the modeless Find dialog with an empty find-what field and its
    // match-case box ticked or not.
    virtual void openFindDialog(bool matchCase) = 0;
};

} // namespace tandel
