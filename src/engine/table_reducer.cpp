#include "engine/table_reducer.h"

#include <algorithm>
#include <bit>

namespace tandel {
namespace {

constexpr char kBlank = ' ';
// Marks a compared separator position, so that a separator never compares
// equal to a blank left by an ignored column.
constexpr char kSeparatorMark = static_cast<char>(255);
constexpr std::uint32_t kSeparatorValue = 0xFFFFFFFFu;

std::uint32_t include(std::uint32_t hash, std::uint32_t value) {
    return std::rotl(hash, 7) + value;
}

unsigned char folded(unsigned char c, bool ignoreCase) {
    return ignoreCase && c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Positions with an empty list, or a character set with no byte in it, put
// no byte of any line into a column: every two lines would then be equal and
// a merge would silently drop one file's text. Such a definition compares
// whole lines instead.
bool selectsNoColumn(const CompareSettings& settings) {
    if (settings.columnType == kColumnPositions) {
        return settings.positions.empty();
    }
    return std::all_of(settings.columnChars.begin(), settings.columnChars.end(),
                       [](unsigned char c) { return c == 0; });
}

} // namespace

bool TableReducer::isColumnByte(unsigned char c, long long rangeIndex, std::size_t position) const {
    if (settings_.columnType != kColumnPositions) {
        return settings_.columnChars[c] != 0;
    }
    const auto& ranges = settings_.positions;
    if (rangeIndex < 0 || static_cast<std::size_t>(rangeIndex) >= ranges.size()) {
        return false;
    }
    const ColumnRange& range = ranges[static_cast<std::size_t>(rangeIndex)];
    // Positions are 64-bit here: lines may be longer than any int range.
    const long long column = static_cast<long long>(position) + 1;
    return range.first <= column && column <= range.last;
}

std::uint32_t TableReducer::reduceAndHash(char* line, std::size_t length, bool ignoreCase) {
    const bool multiSepsIgnored = settings_.ignoreMultiSeps != 0;
    std::uint32_t hash = 0;
    long long k = -1;
    std::size_t p = 0;
    while (p < length) {
        if (!isColumnByte(static_cast<unsigned char>(line[p]), k + 1, p)) {
            if (multiSepsIgnored) {
                line[p] = kBlank;
            } else if (columnCompared(settings_, ++k)) {
                line[p] = kSeparatorMark;
                hash = include(hash, kSeparatorValue);
            } else {
                line[p] = kBlank;
            }
            ++p;
            continue;
        }
        ++k;
        const bool compared = columnCompared(settings_, k);
        do {
            if (compared) {
                hash = include(hash, folded(static_cast<unsigned char>(line[p]), ignoreCase));
            } else {
                line[p] = kBlank;
            }
            ++p;
        } while (p < length && isColumnByte(static_cast<unsigned char>(line[p]), k, p));
    }
    return hash;
}

EngineContext makeEngineContext(const CompareSettings& settings, TableReducer& reducer) {
    EngineContext context;
    context.ignoreComments = settings.ignoreComments != 0;
    context.comments = settings.comments;
    const bool tableMode = settings.tableMode != 0 && !selectsNoColumn(settings);
    context.table = tableMode ? &reducer : nullptr;
    context.skipLeadingWhiteSpace = tableMode;
    return context;
}

} // namespace tandel
