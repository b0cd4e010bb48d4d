#include "engine/compare_settings.h"

#include "engine/table_definition.h"

#include <algorithm>

namespace tandel {
namespace {

// The "C" locale's classification, spelled out so that a process locale never
// changes which bytes form a column.
bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
bool isLetter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isSpace(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

template <typename Predicate>
void fillFrom(std::array<unsigned char, 256>& table, Predicate belongs) {
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] = belongs(c) ? 1 : 0;
    }
}

} // namespace

bool ColumnSet::containsIndex(long long k) const {
    return k >= 0 && std::binary_search(numbers_.begin(), numbers_.end(), k + 1);
}

void ColumnSet::assign(std::vector<long long> numbers) {
    std::erase_if(numbers, [](long long n) { return n < 1; });
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    numbers_ = std::move(numbers);
}

void rebuildColumnTable(CompareSettings& settings) {
    auto& table = settings.columnChars;
    switch (settings.columnType) {
    case kColumnNumeric:
        fillFrom(table, isDigit);
        break;
    case kColumnString:
        fillFrom(table, isLetter);
        break;
    case kColumnAlphanumeric:
        fillFrom(table, [](int c) { return isDigit(c) || isLetter(c); });
        break;
    case kColumnWhiteSpaceSeparated:
        fillFrom(table, [](int c) { return !isSpace(c); });
        break;
    case kColumnCustomCharset:
        parseDefinitionText(table, settings.customCharset, kDefinitionCharset);
        break;
    case kColumnCustomSeparators:
        parseDefinitionText(table, settings.customSeparators, kDefinitionSeparators);
        break;
    default:
        break;
    }
}

bool columnCompared(const CompareSettings& settings, long long k) {
    if (settings.inclusive != 0) {
        return settings.included.empty() || settings.included.containsIndex(k);
    }
    return !settings.ignored.containsIndex(k);
}

void insertColumnRange(std::vector<ColumnRange>& list, ColumnRange range) {
    const auto at = std::find_if(list.begin(), list.end(),
                                 [&](const ColumnRange& r) { return r.last >= range.first; });
    list.insert(at, range);
}

bool removeColumnRange(std::vector<ColumnRange>& list, std::size_t index) {
    if (index >= list.size()) {
        return false;
    }
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool columnRangeOverlaps(const std::vector<ColumnRange>& list, ColumnRange range) {
    return std::any_of(list.begin(), list.end(), [&](const ColumnRange& r) {
        return r.first <= range.last && range.first <= r.last;
    });
}

} // namespace tandel
