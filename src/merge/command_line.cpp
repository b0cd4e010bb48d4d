#include "merge/command_line.h"

#include <strings.h>

namespace tandel {

namespace {

const std::string kNoValue;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

} // namespace

const std::string& CommandSwitch::value() const {
    return values.empty() ? kNoValue : values[0];
}

SwitchTable::SwitchTable()
    : entries_{{{"d1", kSwitchD1, 1, false, {}},
                {"d2", kSwitchD2, 1, false, {}},
                {"f1", kSwitchF1, 1, false, {}},
                {"f2", kSwitchF2, 1, false, {}},
                {"outf", kSwitchOutf, 1, false, {}},
                {"outd", kSwitchOutd, 1, false, {}},
                {"mandc", kSwitchMandc, 0, false, {}},
                {"auto", kSwitchAuto, 0, false, {}},
                {"base", kSwitchBase, 1, false, {}}}} {}

CommandSwitch* SwitchTable::findByName(std::string_view name) {
    for (auto& entry : entries_) {
        if (equalsIgnoringCase(entry.name, name)) {
            return &entry;
        }
    }
    return nullptr;
}

CommandSwitch* SwitchTable::findById(int id) {
    for (auto& entry : entries_) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

const CommandSwitch* SwitchTable::findById(int id) const {
    return const_cast<SwitchTable*>(this)->findById(id);
}

const CommandSwitch* SwitchTable::given(int id) const {
    const CommandSwitch* entry = findById(id);
    return entry != nullptr && entry->given ? entry : nullptr;
}

std::string SwitchTable::valueOf(int id) const {
    const CommandSwitch* entry = given(id);
    return entry != nullptr ? entry->value() : std::string();
}

bool SwitchTable::mergesWithAncestor(const std::array<std::string, 2>& names) const {
    return isGiven(kSwitchBase) && names[0] == valueOf(kSwitchF1) && names[1] == valueOf(kSwitchF2);
}

std::optional<std::string> Tokenizer::next() {
    std::string token;
    bool hasContent = false;
    bool quoted = false;
    while (position_ < text_.size()) {
        const char c = text_[position_++];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' || c == '\t') {
            if (quoted) {
                // Kept, but on its own it does not make a token.
                token.push_back(c);
            } else if (hasContent) {
                return token;
            }
        } else {
            token.push_back(c);
            hasContent = true;
        }
    }
    if (hasContent) {
        return token;
    }
    return std::nullopt;
}

std::vector<std::string> tokenize(std::string_view text) {
    std::vector<std::string> tokens;
    Tokenizer tokenizer(text);
    while (auto token = tokenizer.next()) {
        tokens.push_back(std::move(*token));
    }
    return tokens;
}

ParseOutcome parseArguments(const std::vector<std::string>& tokens, SwitchTable& table) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        if (token.empty()) {
            continue; // as the tokenizer drops an empty pair of quotes
        }
        CommandSwitch* entry = nullptr;
        bool isSwitch = false;
        if (token[0] == '-' || token[0] == '/') {
            entry = table.findByName(std::string_view(token).substr(1));
            // Absolute paths start with "/", so only a known name makes it a switch.
            isSwitch = token[0] == '-' || entry != nullptr;
        }
        if (isSwitch) {
            if (entry == nullptr) {
                return {CommandLineStatus::Refused, Severity::Error, "Unknown option"};
            }
            entry->given = true;
            entry->values.clear();
            for (int n = 0; n < entry->argumentCount; ++n) {
                if (i + 1 >= tokens.size()) {
                    return {CommandLineStatus::Refused, Severity::Info, "Bad command line"};
                }
                entry->values.push_back(tokens[++i]);
            }
            continue;
        }
        CommandSwitch* file1 = table.findById(kSwitchF1);
        CommandSwitch* target = file1->given ? table.findById(kSwitchF2) : file1;
        target->given = true;
        target->values.assign(1, token);
    }
    return {};
}

ParseOutcome parseCommandLine(std::string_view text, SwitchTable& table) {
    return parseArguments(tokenize(text), table);
}

} // namespace tandel
