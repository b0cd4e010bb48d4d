#include "settings/table_options_edit.h"

#include <algorithm>

#include "engine/table_column_list.h"
#include "settings/compare_settings_store.h"
#include "settings/general_options_edit.h"

namespace tandel {
namespace {

std::array<bool, kColumnBoxCount> boxesOf(const ColumnSet& set) {
    std::array<bool, kColumnBoxCount> boxes{};
    for (int n = 1; n <= kColumnBoxCount; ++n) {
        boxes[static_cast<std::size_t>(n - 1)] = set.containsIndex(n - 1);
    }
    return boxes;
}

OptionResult parseInto(std::string_view text, ColumnSet& set) {
    std::string message;
    if (parseColumnList(text, set, message) == ColumnListParse::Refused) {
        return OptionNotice{Severity::Error, message};
    }
    return std::nullopt;
}

int readPosition(std::string_view text) {
    const long long value = readTypedInteger(text).value_or(0);
    return static_cast<int>(std::clamp<long long>(value, 1, kColumnPositionLimit - 1));
}

} // namespace

std::string columnSetText(const ColumnSet& set) {
    std::string text;
    for (long long n : set.numbers()) {
        text += ", " + std::to_string(n);
    }
    return text.empty() ? text : text.substr(1);
}

ColumnSelection readColumnSelection(const CompareSettings& compare) {
    ColumnSelection s;
    if (compare.inclusive != 0) {
        s.specifiedOnly = true;
        s.includedText = columnSetText(compare.included);
        s.includedBoxes = boxesOf(compare.included);
    } else if (!compare.ignored.empty()) {
        s.except = true;
        s.ignoredText = columnSetText(compare.ignored);
        s.ignoredBoxes = boxesOf(compare.ignored);
    }
    return s;
}

std::string toggleColumnInText(std::string_view text, int n, bool checked) {
    return checked ? addColumnToListText(text, n) : removeColumnFromListText(text, n);
}

OptionResult applyColumnSelection(const ColumnSelection& s, CompareSettings& compare) {
    if (s.specifiedOnly) {
        ColumnSet included = compare.included;
        if (auto refused = parseInto(s.includedText, included)) {
            return refused;
        }
        compare.inclusive = 1;
        compare.included = std::move(included);
        return std::nullopt;
    }
    ColumnSet ignored;
    if (s.except) {
        if (auto refused = parseInto(s.ignoredText, ignored)) {
            return refused;
        }
    }
    compare.inclusive = 0;
    compare.ignored = std::move(ignored);
    return std::nullopt;
}

ColumnTypeChoice readColumnTypeChoice(const CompareSettings& compare) {
    return {compare.columnType, compare.customCharset, compare.customSeparators,
            compare.ignoreMultiSeps != 0};
}

int firstCheckedColumnType(const std::array<bool, kColumnTypeCount>& checked, int current) {
    const auto first = std::find(checked.begin(), checked.end(), true);
    return first == checked.end() ? current : static_cast<int>(first - checked.begin());
}

void applyColumnType(const ColumnTypeChoice& choice, CompareSettings& compare) {
    compare.columnType = choice.code;
    if (choice.code == kColumnCustomCharset) {
        compare.customCharset = choice.charsetText;
    } else if (choice.code == kColumnCustomSeparators) {
        compare.customSeparators = choice.separatorsText;
    }
    rebuildColumnTable(compare);
    compare.ignoreMultiSeps = choice.ignoreMultiSeps ? 1 : 0;
}

OptionResult ColumnPositionsEdit::add(std::string_view firstText, std::string_view lastText) {
    const int a = readPosition(firstText);
    const int b = readPosition(lastText);
    const ColumnRange range{std::min(a, b), std::max(a, b)};
    if (columnRangeOverlaps(ranges_, range)) {
        return OptionNotice{Severity::Warning, std::string(kRangeOverlaps)};
    }
    insertColumnRange(ranges_, range);
    return std::nullopt;
}

OptionResult ColumnPositionsEdit::remove(int index) {
    if (index < 0 || !removeColumnRange(ranges_, static_cast<std::size_t>(index))) {
        return OptionNotice{Severity::Info, std::string(kSelectColumnFirst)};
    }
    return std::nullopt;
}

std::vector<std::string> ColumnPositionsEdit::entries() const {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < ranges_.size(); ++i) {
        lines.push_back("Column " + std::to_string(i + 1) + " range: " +
                        std::to_string(ranges_[i].first) + " - " + std::to_string(ranges_[i].last));
    }
    return lines;
}

} // namespace tandel
