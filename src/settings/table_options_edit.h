// The three table pages of the options sheet without their widgets: which
// columns compare, the column type, and the column positions. Each reads what
// its page shows from the comparison definitions and applies it back.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/compare_settings.h"
#include "settings/option_notice.h"

namespace tandel {

// Columns 1 to 6 have a check box beside each list edit.
inline constexpr int kColumnBoxCount = 6;

struct ColumnSelection {
    bool specifiedOnly = false; // "Specified columns only:" rather than "All Columns"
    bool except = false;        // "Except for these:"
    std::string ignoredText;    // the edit beside "Except for these:"
    std::string includedText;   // the edit beside "Specified columns only:"
    std::array<bool, kColumnBoxCount> ignoredBoxes{};
    std::array<bool, kColumnBoxCount> includedBoxes{};
    bool operator==(const ColumnSelection&) const = default;
};

// Only the set in force is shown; the other edit starts empty.
ColumnSelection readColumnSelection(const CompareSettings& compare);

// A column set as the page shows it: " 1, 3" (a lead blank, then ", " between).
std::string columnSetText(const ColumnSet& set);

// A column check box clicked: adds n to the list text or removes it.
std::string toggleColumnInText(std::string_view text, int n, bool checked);

// Commits the selection. A list that is not all numbers is refused with the
// column description message and nothing changes; the set not selected keeps
// its contents.
[[nodiscard]] OptionResult applyColumnSelection(const ColumnSelection& selection,
                                                CompareSettings& compare);

struct ColumnTypeChoice {
    int code = kColumnWhiteSpaceSeparated;
    std::string charsetText;    // shown whatever the code, so that switching keeps it
    std::string separatorsText; // likewise
    bool ignoreMultiSeps = true;
    bool operator==(const ColumnTypeChoice&) const = default;
};

ColumnTypeChoice readColumnTypeChoice(const CompareSettings& compare);

// The page's radios come in code order; the first checked one wins, and with
// none checked the code stays `current`.
int firstCheckedColumnType(const std::array<bool, kColumnTypeCount>& checked, int current);

// Takes the text of the chosen custom type only (the other text stays as it
// was) and rebuilds the column-character table.
void applyColumnType(const ColumnTypeChoice& choice, CompareSettings& compare);

inline constexpr std::string_view kRangeOverlaps = "This range overlaps an existing column";
inline constexpr std::string_view kSelectColumnFirst = "Please, select a column first";

// The column-position page edits a copy, which replaces the committed list only
// on apply.
class ColumnPositionsEdit {
public:
    explicit ColumnPositionsEdit(std::vector<ColumnRange> committed)
        : ranges_(std::move(committed)) {}

    // Reads both texts as counts (not a number: 0), raises each to at least 1
    // and keeps it below kColumnPositionLimit (a stored range past it would not
    // be read back), orders the pair and inserts it unless it overlaps a range.
    [[nodiscard]] OptionResult add(std::string_view firstText, std::string_view lastText);
    // `index` is the selected entry, -1 for none.
    [[nodiscard]] OptionResult remove(int index);

    // "Column %d range: %d - %d" per range, numbered from 1.
    std::vector<std::string> entries() const;
    const std::vector<ColumnRange>& ranges() const { return ranges_; }
    void apply(CompareSettings& compare) const { compare.positions = ranges_; }

private:
    std::vector<ColumnRange> ranges_;
};

} // namespace tandel
