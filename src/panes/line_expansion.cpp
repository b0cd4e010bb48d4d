#include "panes/line_expansion.h"

#include "merge/display_text.h"
#include "settings/settings_record.h"

#include <algorithm>
#include <cstdio>

namespace tandel {

namespace {

// Calls visit(character, first column, columns) for each character of the
// shown part until visit returns false.
template <class Visit> void walkColumns(std::string_view line, std::int32_t tabSize, Visit visit) {
    const std::string_view shown = shownPart(line);
    const std::int64_t tab = effectiveTabSize(tabSize);
    CharReader reader(shown, lineEncodingOf(shown));
    std::int64_t column = 0;
    while (!reader.done()) {
        const std::size_t at = reader.position();
        const DecodedChar c = reader.next();
        const std::int64_t width = c.code == '\t' ? tab : 1;
        if (!visit(c, at, column, width)) {
            return;
        }
        column += width;
    }
}

} // namespace

std::int32_t effectiveTabSize(std::int32_t tabSize) {
    return std::clamp<std::int32_t>(tabSize, 1, kMaxTabSize);
}

std::string_view shownPart(std::string_view line) {
    if (line.empty()) {
        return line;
    }
    const auto last = static_cast<unsigned char>(line.back());
    const bool control = (last < 0x20 && last != '\t') || last == 0x7F;
    return control ? line.substr(0, line.size() - 1) : line;
}

std::int64_t expandedWidth(std::string_view line, std::int32_t tabSize) {
    std::int64_t width = 0;
    walkColumns(line, tabSize, [&](DecodedChar, std::size_t, std::int64_t, std::int64_t columns) {
        width += columns;
        return true;
    });
    return width;
}

void expandColumns(std::string_view line, std::int32_t tabSize, std::int64_t first,
                   std::int64_t count, std::u32string& out) {
    if (count <= 0) {
        return;
    }
    first = std::max<std::int64_t>(first, 0);
    const std::int64_t stop = first > INT64_MAX - count ? INT64_MAX : first + count;
    walkColumns(line, tabSize,
                [&](DecodedChar c, std::size_t, std::int64_t column, std::int64_t columns) {
                    if (column >= stop) {
                        return false;
                    }
                    if (column + columns > first) {
                        if (c.code == '\t') {
                            const std::int64_t from = std::max(column, first);
                            const std::int64_t to = std::min(column + columns, stop);
                            out.append(static_cast<std::size_t>(to - from), U' ');
                        } else {
                            out.push_back(shownCharacter(c.code));
                        }
                    }
                    return true;
                });
}

void shownTextOf(std::string_view line, std::int32_t tabSize, std::int64_t offset,
                 std::u32string& out) {
    out.clear();
    expandColumns(line, tabSize, offset, kShownColumns, out);
}

std::u32string expandedLine(std::string_view line, std::int32_t tabSize) {
    std::u32string out;
    expandColumns(line, tabSize, 0, INT64_MAX, out);
    return out;
}

ByteSpan columnsToBytes(std::string_view line, std::int32_t tabSize, std::int64_t first,
                        std::int64_t last) {
    const std::size_t shownSize = shownPart(line).size();
    if (first <= 0 && last == kToLineEnd) {
        return {0, shownSize};
    }
    if (last <= first) {
        return {}; // an empty selection inside a tab takes nothing
    }
    ByteSpan span{shownSize, 0};
    bool any = false;
    walkColumns(line, tabSize,
                [&](DecodedChar c, std::size_t at, std::int64_t column, std::int64_t columns) {
                    if (column >= last) {
                        return false;
                    }
                    if (column + columns > first) {
                        if (!any) {
                            span.begin = at;
                            any = true;
                        }
                        span.end = at + c.size;
                    }
                    return true;
                });
    if (!any) {
        span.end = span.begin;
    }
    return span;
}

std::vector<ColumnSpan> shownColumnSpans(std::string_view line, std::int32_t tabSize,
                                         std::int64_t offset, const std::vector<ByteSpan>& spans) {
    std::vector<ColumnSpan> shown;
    offset = std::clamp<std::int64_t>(offset, 0, INT64_MAX - kShownColumns);
    const std::int64_t stop = offset + kShownColumns;
    std::size_t k = 0;
    walkColumns(line, tabSize,
                [&](DecodedChar, std::size_t at, std::int64_t column, std::int64_t columns) {
                    while (k < spans.size() && spans[k].end <= at) {
                        ++k;
                    }
                    if (column >= stop || k == spans.size()) {
                        return false;
                    }
                    const std::int64_t from = std::max(column, offset) - offset;
                    const std::int64_t to = std::min(column + columns, stop) - offset;
                    if (at < spans[k].begin || to <= from) {
                        return true;
                    }
                    if (!shown.empty() && shown.back().last == from) {
                        shown.back().last = to;
                    } else {
                        shown.push_back({from, to});
                    }
                    return true;
                });
    return shown;
}

std::string lineNumberLabel(std::int64_t line) {
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%-6lld  ", static_cast<long long>(line) + 1);
    return std::string(text, static_cast<std::size_t>(std::max(n, 0)));
}

} // namespace tandel
