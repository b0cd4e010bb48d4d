// The comparison definitions: table mode (how a line is cut into columns and
// which columns count) and the comment definitions the engine blanks.
#pragma once

#include "engine/engine.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tandel {

// Column type codes, as stored under "ColDef type".
enum ColumnType : int {
    kColumnNumeric = 0,
    kColumnString = 1,
    kColumnAlphanumeric = 2,
    kColumnWhiteSpaceSeparated = 3,
    kColumnCustomCharset = 4,
    kColumnCustomSeparators = 5,
    kColumnPositions = 6,
};
inline constexpr int kColumnTypeCount = 7;

// One column position range, both ends counted from 1 and inclusive.
struct ColumnRange {
    int first = 0;
    int last = 0;
    bool operator==(const ColumnRange&) const = default;
};

// A set of column numbers (1-based). Kept as the sorted listed numbers rather
// than a flag per column, so that a stray huge number in a list costs nothing;
// asking about a column beyond the highest listed one answers "not listed",
// exactly as a flag array of that length would.
class ColumnSet {
public:
    bool empty() const { return numbers_.empty(); }
    // Column index k counts from 0.
    bool containsIndex(long long k) const;
    // The highest index in use, -1 for an empty set.
    long long highestIndex() const { return numbers_.empty() ? -1 : numbers_.back() - 1; }
    const std::vector<long long>& numbers() const { return numbers_; }
    // Numbers below 1 name no column and are dropped.
    void assign(std::vector<long long> numbers);
    void clear() { numbers_.clear(); }
    bool operator==(const ColumnSet&) const = default;

private:
    std::vector<long long> numbers_;
};

struct CompareSettings {
    int tableMode = 0; // "Comparison mode": 1 = table mode
    int columnType = kColumnWhiteSpaceSeparated;
    std::string customCharset;    // empty = none
    std::string customSeparators; // empty = none
    // Non-zero for the bytes that belong to a column under codes 0 to 5.
    std::array<unsigned char, 256> columnChars{};
    int ignoreMultiSeps = 1;
    std::vector<ColumnRange> positions; // increasing order
    int inclusive = 0;
    ColumnSet included;
    ColumnSet ignored;
    int ignoreComments = 0;
    std::vector<CommentDefinition> comments;
};

// Rebuilds `columnChars` from the column type and the custom texts. The
// position type leaves the table as it was; so does an unknown code.
void rebuildColumnTable(CompareSettings& settings);

// Whether column index k (from 0) takes part in the comparison.
bool columnCompared(const CompareSettings& settings, long long k);

// Column-position list operations of the options page.
// Inserts before the first range whose last position is not below the new
// first position, else at the end. No overlap test: callers ask first.
void insertColumnRange(std::vector<ColumnRange>& list, ColumnRange range);
// Returns false (and changes nothing) for an index outside the list.
bool removeColumnRange(std::vector<ColumnRange>& list, std::size_t index);
bool columnRangeOverlaps(const std::vector<ColumnRange>& list, ColumnRange range);

} // namespace tandel
