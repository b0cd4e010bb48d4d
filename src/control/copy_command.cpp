#include "control/copy_command.h"

#include "merge/display_text.h"
#include "merge/session.h"
#include "panes/line_expansion.h"
#include "panes/selection_text.h"

#include <algorithm>

namespace tandel {

std::string previewClipboardText(std::string_view text, PreviewSelection selection) {
    const auto size = static_cast<std::int64_t>(text.size());
    const auto begin = static_cast<std::size_t>(std::clamp<std::int64_t>(selection.start, 0, size));
    const auto end = static_cast<std::size_t>(
        selection.end < 0 ? size : std::clamp<std::int64_t>(selection.end, 0, size));
    std::string out;
    if (begin >= end) {
        return out;
    }
    // Lines are decoded whole, so the selection is widened to the start of
    // its first line and walked line by line from there.
    const std::size_t previousFeed = text.rfind('\n', begin == 0 ? 0 : begin - 1);
    std::size_t lineStart =
        begin == 0 || previousFeed == std::string_view::npos ? 0 : previousFeed + 1;
    while (lineStart < end) {
        const std::size_t feed = text.find('\n', lineStart);
        const std::size_t lineEnd = feed == std::string_view::npos ? text.size() : feed;
        const std::string_view shown = shownPart(text.substr(lineStart, lineEnd - lineStart));
        const std::size_t from = std::max(begin, lineStart) - lineStart;
        const std::size_t to = std::min(end, lineStart + shown.size()) - lineStart;
        if (from < to) {
            appendClipboardText(out, shown.substr(from, to - from), lineEncodingOf(shown));
        }
        if (feed == std::string_view::npos || feed >= end) {
            break;
        }
        out.push_back('\n');
        lineStart = feed + 1;
    }
    return out;
}

void copyCommand(Session& app) {
    Frame& frame = app.frame();
    const TextSelection& selection = app.frameState.selection;
    std::string text;
    if (selection.active()) {
        text = selectionClipboardText(app.model.side(selection.side), selection,
                                      app.settings.record.tabSize);
    } else if (frame.previewOpen()) {
        text = previewClipboardText(frame.previewText(), frame.previewSelection());
    }
    // Copying nothing keeps what the clipboard held: a stray Ctrl+C must not
    // throw away the user's last copy.
    if (!text.empty()) {
        frame.setClipboardText(text);
    }
}

} // namespace tandel
