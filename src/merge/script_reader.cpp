#include "merge/script_reader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tandel {

namespace {

// Line numbers beyond this cannot come from a file held in memory; refusing
// them keeps every sum below in 32 bits.
constexpr std::int64_t kMaxLineNumber = 1'000'000'000;

struct LineRange {
    std::int64_t first = 0;
    std::int64_t last = 0;
};

bool parseNumber(std::string_view& text, std::int64_t& value) {
    std::size_t i = 0;
    value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > kMaxLineNumber) {
            return false;
        }
        ++i;
    }
    if (i == 0) {
        return false;
    }
    text.remove_prefix(i);
    return true;
}

// "N" or "N,M"; the whole part must be used.
bool parseRange(std::string_view text, LineRange& range) {
    if (!parseNumber(text, range.first)) {
        return false;
    }
    range.last = range.first;
    if (!text.empty() && text.front() == ',') {
        text.remove_prefix(1);
        if (!parseNumber(text, range.last)) {
            return false;
        }
    }
    return text.empty() && range.last >= range.first;
}

SegmentRange range(std::int64_t first, std::int64_t last) {
    return SegmentRange{static_cast<std::int32_t>(first), static_cast<std::int32_t>(last),
                        Choice::None};
}

const SegmentRange kNone{RANGE_NONE, RANGE_NONE, Choice::None};

struct Hunk {
    SegmentRange text1, gap1, text2, gap2;
};

// The file line before which a hunk starts, and the line after it, on one side.
std::int64_t startOf(const SegmentRange& text, const SegmentRange& gap) {
    return text.present() ? text.first : gap.first;
}
std::int64_t nextAfter(const SegmentRange& text, const SegmentRange& gap) {
    return text.present() ? text.last + 1 : gap.first;
}

bool parseHunk(std::string_view line, Hunk& hunk) {
    std::size_t at = line.find('a');
    char kind = 'a';
    if (at == std::string_view::npos) {
        at = line.find('c');
        kind = 'c';
    }
    if (at == std::string_view::npos) {
        at = line.find('d');
        kind = 'd';
    }
    if (at == std::string_view::npos) {
        return false;
    }
    LineRange left;
    LineRange right;
    if (!parseRange(line.substr(0, at), left) || !parseRange(line.substr(at + 1), right)) {
        return false;
    }
    switch (kind) {
    case 'a': {
        const std::int64_t n = left.first;
        if (right.first < 1) {
            return false;
        }
        hunk = {kNone, range(n + 1, n + 1 + right.last - right.first),
                range(right.first, right.last), kNone};
        return true;
    }
    case 'd': {
        const std::int64_t n = right.first;
        if (left.first < 1) {
            return false;
        }
        hunk = {range(left.first, left.last), kNone, kNone,
                range(n + 1, n + 1 + left.last - left.first)};
        return true;
    }
    default: {
        if (left.first < 1 || right.first < 1) {
            return false;
        }
        hunk = {range(left.first, left.last), kNone, range(right.first, right.last), kNone};
        const std::int64_t lines1 = left.last - left.first;
        const std::int64_t lines2 = right.last - right.first;
        if (lines2 > lines1) {
            hunk.gap1 = range(left.last + 1, left.first + lines2);
        } else if (lines1 > lines2) {
            hunk.gap2 = range(right.last + 1, right.first + lines1);
        }
        return true;
    }
    }
}

} // namespace

ScriptOutcome readScript(std::istream& in, bool directoryWindowMode, ScriptLists& lists) {
    lists = ScriptLists{};
    // Where the previous hunk ended on each side; a hunk that starts before it
    // would break the ordering every lookup relies on.
    std::int64_t next1 = 0;
    std::int64_t next2 = 0;
    std::string buffer;
    while (std::getline(in, buffer)) {
        std::string_view line(buffer);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.remove_suffix(1);
        }
        Hunk hunk;
        if (!line.empty() && line.front() >= '0' && line.front() <= '9' && parseHunk(line, hunk) &&
            startOf(hunk.text1, hunk.gap1) >= next1 && startOf(hunk.text2, hunk.gap2) >= next2) {
            lists.text1.push_back(hunk.text1);
            lists.gap1.push_back(hunk.gap1);
            lists.text2.push_back(hunk.text2);
            lists.gap2.push_back(hunk.gap2);
            next1 = nextAfter(hunk.text1, hunk.gap1);
            next2 = nextAfter(hunk.text2, hunk.gap2);
            continue;
        }
        if (line.substr(0, 5) == "Files" && line.find("identical") != std::string_view::npos) {
            lists = ScriptLists{};
            return ScriptOutcome::Identical;
        }
        if (directoryWindowMode) {
            lists = ScriptLists{};
            return ScriptOutcome::DifferentNoLists;
        }
    }
    for (std::vector<SegmentRange>* list : {&lists.text1, &lists.gap1, &lists.text2, &lists.gap2}) {
        list->push_back(SegmentRange{});
    }
    return ScriptOutcome::Different;
}

} // namespace tandel
