#include "engine/table_column_list.h"

#include <limits>
#include <optional>
#include <vector>

namespace tandel {
namespace {

bool isListSeparator(char c) {
    return c == ',' || c == ';' || c == ' ';
}

std::vector<std::string_view> splitTokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isListSeparator(text[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && !isListSeparator(text[i])) {
            ++i;
        }
        if (i > start) {
            tokens.push_back(text.substr(start, i - start));
        }
    }
    return tokens;
}

// A whole token of an optional sign and digits; a number too large for the
// type saturates, which still names no column that any line can reach.
std::optional<long long> readNumber(std::string_view token) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    if (i == token.size()) {
        return std::nullopt;
    }
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const int digit = c - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace

ColumnListParse parseColumnList(std::string_view text, ColumnSet& set, std::string& message) {
    std::vector<long long> numbers;
    for (std::string_view token : splitTokens(text)) {
        const auto number = readNumber(token);
        if (!number) {
            message = kBadColumnDescription;
            return ColumnListParse::Refused;
        }
        numbers.push_back(*number);
    }
    set.assign(std::move(numbers));
    return ColumnListParse::Parsed;
}

std::string addColumnToListText(std::string_view text, long long n) {
    for (std::string_view token : splitTokens(text)) {
        if (readNumber(token) == n) {
            return std::string(text);
        }
    }
    std::string result(text);
    if (!result.empty()) {
        result += ", ";
    }
    result += std::to_string(n);
    return result;
}

std::string removeColumnFromListText(std::string_view text, long long n) {
    std::string result;
    for (std::string_view token : splitTokens(text)) {
        const auto number = readNumber(token);
        if (!number || *number == n) {
            continue;
        }
        if (!result.empty()) {
            result += ", ";
        }
        result += std::to_string(*number);
    }
    return result;
}

} // namespace tandel
