// Table mode's line reduction: cuts a line into columns, blanks what is not
// compared, and hashes the compared columns only.
#pragma once

#include "engine/compare_settings.h"
#include "engine/engine.h"

#include <cstddef>
#include <cstdint>

namespace tandel {

class TableReducer : public LineReducer {
public:
    // The settings must outlive the reducer; their column table must have been
    // rebuilt since the column type or the custom texts last changed.
    explicit TableReducer(const CompareSettings& settings) : settings_(settings) {}

    std::uint32_t reduceAndHash(char* line, std::size_t length, bool ignoreCase) override;

private:
    bool isColumnByte(unsigned char c, long long rangeIndex, std::size_t position) const;

    const CompareSettings& settings_;
};

// The context of one engine run under `settings`: the comment definitions and,
// in table mode, `reducer`. In table mode the line comparison also skips
// leading white space: bytes before the first column are separators, so rows
// with the same compared columns ("  d e f" and "d e f") must stay equal after
// the hash has already called them so. This follows the table-mode flag, not
// the tab size of the panes, and applies to every column type.
EngineContext makeEngineContext(const CompareSettings& settings, TableReducer& reducer);

} // namespace tandel
