#include "settings/compare_settings_store.h"
#include "settings/profile_text.h"

#include "engine/table_column_list.h"

#include <cstdint>
#include <optional>

namespace tandel {
namespace {

const std::string kTableOptions = "Table Options";

void readColumnSet(const Profile& profile, const std::string& key, ColumnSet& set) {
    std::string message;
    // A bad stored list is ignored at start-up: the set stays as it was.
    static_cast<void>(parseColumnList(profile.readString(kTableOptions, key, ""), set, message));
}

// The two stored forms differ: the included set is written " 1, 3" (a lead
// blank, then ", " between numbers), the ignored set tight as "2,5".
std::string formatColumnSet(const ColumnSet& set, std::string_view separator,
                            std::string_view lead) {
    std::string text;
    for (long long n : set.numbers()) {
        text += text.empty() ? lead : separator;
        text += std::to_string(n);
    }
    return text;
}

void skipBlanks(std::string_view text, std::size_t& i) {
    while (i < text.size() && isSpaceOrTab(text[i])) {
        ++i;
    }
}

// A signed decimal number after optional blanks; saturates instead of
// overflowing, so a huge number simply falls outside the accepted range.
std::optional<std::int64_t> readNumber(std::string_view text, std::size_t& i) {
    skipBlanks(text, i);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t digitsStart = i;
    std::int64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (value < kColumnPositionLimit) {
            value = value * 10 + (text[i] - '0');
        }
        ++i;
    }
    if (i == digitsStart) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// " %d : %d ": trailing text after the second number is ignored.
std::optional<std::pair<std::int64_t, std::int64_t>> readRangePart(std::string_view part) {
    std::size_t i = 0;
    const auto first = readNumber(part, i);
    if (!first) {
        return std::nullopt;
    }
    skipBlanks(part, i);
    if (i >= part.size() || part[i] != ':') {
        return std::nullopt;
    }
    ++i;
    const auto last = readNumber(part, i);
    if (!last) {
        return std::nullopt;
    }
    return std::pair{*first, *last};
}

} // namespace

std::string formatColumnPositions(const std::vector<ColumnRange>& positions) {
    std::string text;
    for (const ColumnRange& range : positions) {
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(range.first) + ':' + std::to_string(range.last);
    }
    return text;
}

std::vector<ColumnRange> parseColumnPositions(std::string_view text) {
    std::vector<ColumnRange> positions;
    if (text.empty()) {
        return positions;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const auto range = readRangePart(text.substr(start, comma - start));
        if (!range) {
            break;
        }
        const auto [first, last] = *range;
        if (0 < first && first <= last && last < kColumnPositionLimit) {
            insertColumnRange(positions, {static_cast<int>(first), static_cast<int>(last)});
        }
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    return positions;
}

std::string formatCommentDefinitions(const std::vector<CommentDefinition>& comments) {
    std::string text;
    for (const CommentDefinition& comment : comments) {
        text += comment.begin + ' ' + comment.end + ' ';
    }
    return text;
}

std::vector<CommentDefinition> parseCommentDefinitions(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ') {
            ++i;
        }
        if (i > start) {
            words.emplace_back(text.substr(start, i - start));
        }
    }
    std::vector<CommentDefinition> comments;
    for (std::size_t w = 0; w + 1 < words.size(); w += 2) {
        comments.push_back({words[w], words[w + 1]});
    }
    return comments;
}

void loadCompareSettings(const Profile& profile, CompareSettings& settings) {
    readColumnSet(profile, "Included columns", settings.included);
    readColumnSet(profile, "Ignored columns", settings.ignored);
    settings.inclusive = profile.readInt(kTableOptions, "Inclusive spec", 0);
    settings.ignoreMultiSeps = profile.readInt(kTableOptions, "Ignore MultiSeps", 1);
    settings.customCharset = profile.readString(kTableOptions, "Custom charset", "");
    settings.customSeparators = profile.readString(kTableOptions, "Custom separators", "");
    // An unknown code would cut no line into columns at all and make every
    // line equal to every other; the default type is the safe reading.
    const int type = profile.readInt(kTableOptions, "ColDef type", kColumnWhiteSpaceSeparated);
    settings.columnType = type >= 0 && type < kColumnTypeCount ? type : kColumnWhiteSpaceSeparated;
    settings.tableMode = profile.readInt(kOptionsSection, "Comparison mode", 0);
    rebuildColumnTable(settings);
    settings.positions =
        parseColumnPositions(profile.readString(kTableOptions, "Column positions", ""));
    settings.ignoreComments = profile.readInt(kOptionsSection, "Ignore comments", 0);
    settings.comments =
        parseCommentDefinitions(profile.readString(kOptionsSection, "Ignored Segments", ""));
}

void saveTableDefinitions(Profile& profile, const CompareSettings& settings) {
    const bool inclusive = settings.inclusive != 0;
    profile.writeString(kTableOptions, "Included columns",
                        inclusive ? formatColumnSet(settings.included, ", ", " ") : "");
    profile.writeString(kTableOptions, "Ignored columns",
                        inclusive ? "" : formatColumnSet(settings.ignored, ",", ""));
    profile.writeInt(kTableOptions, "Inclusive spec", settings.inclusive);
    profile.writeInt(kTableOptions, "Ignore MultiSeps", settings.ignoreMultiSeps);
    profile.writeString(kTableOptions, "Custom charset", settings.customCharset);
    profile.writeString(kTableOptions, "Custom separators", settings.customSeparators);
    profile.writeInt(kTableOptions, "ColDef type", settings.columnType);
    profile.writeInt(kOptionsSection, "Comparison mode", settings.tableMode);
    profile.writeString(kTableOptions, "Column positions",
                        formatColumnPositions(settings.positions));
}

void saveCommentDefinitions(Profile& profile, const CompareSettings& settings) {
    profile.writeInt(kOptionsSection, "Ignore comments", settings.ignoreComments);
    profile.writeString(kOptionsSection, "Ignored Segments",
                        formatCommentDefinitions(settings.comments));
}

DefinitionWriters compareSettingsWriters(const CompareSettings& settings) {
    return {[&settings](Profile& profile) { saveTableDefinitions(profile, settings); },
            [&settings](Profile& profile) { saveCommentDefinitions(profile, settings); }};
}

} // namespace tandel
