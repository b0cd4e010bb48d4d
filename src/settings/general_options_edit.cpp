#include "settings/general_options_edit.h"
#include "settings/profile_text.h"

#include <limits>

namespace tandel {
namespace {

std::int32_t flag(bool on) {
    return on ? 1 : 0;
}

// The typed count when it is a number within [low, high].
std::optional<std::int32_t> countInRange(std::string_view text, std::int32_t low,
                                         std::int32_t high) {
    const auto value = readTypedInteger(text);
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

OptionNotice outOfRange(std::string_view what, std::int32_t low, std::int32_t high) {
    return {Severity::Error, std::string(what) + " must be a whole number from " +
                                 std::to_string(low) + " to " + std::to_string(high)};
}

} // namespace

GeneralOptions readGeneralOptions(const SettingsRecord& record, const CompareSettings& compare) {
    GeneralOptions o;
    o.compressSpaces = record.compressSpaces != 0;
    o.ignoreAllSpaces = record.ignoreAllSpaces != 0;
    o.tableMode = compare.tableMode != 0;
    o.ignoreComments = compare.ignoreComments != 0;
    o.ignoreLineEnds = record.ignoreLineEnds != 0;
    o.keepLineEnds = record.unixFormat != 0;
    o.diffsOnly = record.diffsOnly != 0;
    o.tabSize = std::to_string(record.tabSize);
    o.contextLines = std::to_string(record.contextLines);
    o.lineNumbers = record.lineNumbers != 0;
    o.syncHScroll = record.syncHScroll != 0;
    o.autoWalk = record.autoWalk != 0;
    o.autoCompare = record.autoCompare != 0;
    o.highlightChanges = record.highlightChanges != 0;
    return o;
}

std::optional<long long> readTypedInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpaceOrTab(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t digits = i;
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    if (i == digits) {
        return std::nullopt;
    }
    while (i < text.size() && isSpaceOrTab(text[i])) {
        ++i;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

OptionResult applyGeneralOptions(const GeneralOptions& o, SettingsRecord& record,
                                 CompareSettings& compare) {
    const auto tabSize = countInRange(o.tabSize, kMinTabSize, kMaxTabSize);
    if (!tabSize) {
        return outOfRange("Tab size", kMinTabSize, kMaxTabSize);
    }
    const auto contextLines = countInRange(o.contextLines, kMinContextLines, kMaxContextLines);
    if (!contextLines) {
        return outOfRange("Context lines", kMinContextLines, kMaxContextLines);
    }
    record.compressSpaces = flag(o.compressSpaces);
    record.ignoreAllSpaces = flag(o.ignoreAllSpaces);
    compare.tableMode = flag(o.tableMode);
    compare.ignoreComments = flag(o.ignoreComments);
    record.ignoreLineEnds = flag(o.ignoreLineEnds);
    record.unixFormat = flag(o.keepLineEnds);
    record.diffsOnly = flag(o.diffsOnly);
    record.tabSize = *tabSize;
    record.contextLines = *contextLines;
    record.lineNumbers = flag(o.lineNumbers);
    record.syncHScroll = flag(o.syncHScroll);
    record.autoWalk = flag(o.autoWalk);
    record.autoCompare = flag(o.autoCompare);
    record.highlightChanges = flag(o.highlightChanges);
    return std::nullopt;
}

} // namespace tandel
