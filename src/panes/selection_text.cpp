#include "panes/selection_text.h"

#include "merge/display_text.h"
#include "merge/segment_map.h"
#include "panes/line_expansion.h"

#include <string_view>

namespace tandel {

namespace {

// Calls take(line, piece, lineFeed) for every file line in the selection.
template <class Take>
void walkSelection(const SideRecord& side, const TextSelection& selection, std::int32_t tabSize,
                   Take take) {
    if (!selection.active()) {
        return;
    }
    const OrderedSelection s = ordered(selection);
    for (std::int64_t row = s.start.row; row <= s.end.row; ++row) {
        const std::int64_t line = displayToLine(side, row).line;
        if (line >= side.lineCount) {
            return;
        }
        if (line < 0) {
            continue;
        }
        const std::string_view text = side.shownLine(line);
        const std::int64_t first = row == s.start.row ? s.start.column : 0;
        const std::int64_t last = row == s.end.row ? s.end.column : kToLineEnd;
        const ByteSpan span = columnsToBytes(text, tabSize, first, last);
        const bool endsInside = row == s.end.row && expandedWidth(text, tabSize) > last;
        take(text, text.substr(span.begin, span.end - span.begin), !endsInside);
    }
}

} // namespace

std::string selectionBytes(const SideRecord& side, const TextSelection& selection,
                           std::int32_t tabSize) {
    std::string out;
    walkSelection(side, selection, tabSize,
                  [&](std::string_view, std::string_view piece, bool lineFeed) {
                      out.append(piece);
                      if (lineFeed) {
                          out.push_back('\n');
                      }
                  });
    return out;
}

std::string selectionClipboardText(const SideRecord& side, const TextSelection& selection,
                                   std::int32_t tabSize) {
    std::string out;
    walkSelection(side, selection, tabSize,
                  [&](std::string_view line, std::string_view piece, bool lineFeed) {
                      appendClipboardText(out, piece, lineEncodingOf(shownPart(line)));
                      if (lineFeed) {
                          out.push_back('\n');
                      }
                  });
    return out;
}

} // namespace tandel
