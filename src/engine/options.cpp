#include "engine/options.h"

#include <array>
#include <cstring>
#include <string_view>

namespace tandel {
namespace {

struct LongName {
    std::string_view name;
    bool takesArgument;
    char letter; // 0: accepted by the parser but refused afterwards
};

constexpr std::array<LongName, 15> kLongNames{{
    {"te", false, 'a'},
    {"ir", false, 'b'},
    {"ig", false, 'B'},
    {"mi", false, 'd'},
    {"sp", false, 'H'},
    {"ie", false, 'i'},
    {"ne", false, 'N'},
    {"ou", true, 'o'},
    {"un", false, 'P'},
    {"re", false, 'r'},
    {"rp", false, 's'},
    {"ex", false, 't'},
    {"ii", false, 'T'},
    {"ia", false, 'w'},
    {"in", true, 0},
}};

// The letters the option string lists; 'c' is listed but refused afterwards.
constexpr std::string_view kShortLetters = "abBcdoHiNPrstTqw";

class Parser {
public:
    Parser(int argc, const char* const* argv, bool posixlyCorrect)
        : argc_(argc), argv_(argv), posixlyCorrect_(posixlyCorrect) {}

    ParsedArguments run() {
        int index = 1;
        while (index < argc_ && result_.status == ParseStatus::Ok) {
            const std::string_view word = argv_[index];
            if (word == "--") {
                for (++index; index < argc_; ++index)
                    result_.operands.emplace_back(argv_[index]);
                break;
            }
            if (word.size() < 2 || word[0] != '-') {
                if (posixlyCorrect_) {
                    for (; index < argc_; ++index)
                        result_.operands.emplace_back(argv_[index]);
                    break;
                }
                result_.operands.emplace_back(word);
                ++index;
                continue;
            }
            index = word[1] == '-' ? longOption(index, word.substr(2))
                                   : shortOptions(index, word.substr(1));
        }
        return std::move(result_);
    }

private:
    // Returns the index of the next unread word.
    int shortOptions(int index, std::string_view letters) {
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const char letter = letters[i];
            if (kShortLetters.find(letter) == std::string_view::npos) {
                result_.status = ParseStatus::Rejected;
                return index + 1;
            }
            if (letter == 'o') {
                if (i + 1 < letters.size()) {
                    apply('o', letters.substr(i + 1));
                    return index + 1;
                }
                if (index + 1 >= argc_) {
                    result_.status = ParseStatus::Rejected;
                    return index + 1;
                }
                apply('o', argv_[index + 1]);
                return index + 2;
            }
            apply(letter, {});
            if (result_.status != ParseStatus::Ok)
                break;
        }
        return index + 1;
    }

    int longOption(int index, std::string_view text) {
        const std::size_t equals = text.find('=');
        const std::string_view name = text.substr(0, equals);
        const LongName* found = nullptr;
        int prefixMatches = 0;
        for (const LongName& entry : kLongNames) {
            if (entry.name == name) {
                found = &entry;
                prefixMatches = 1;
                break;
            }
            if (entry.name.starts_with(name)) {
                if (prefixMatches++ == 0)
                    found = &entry;
            }
        }
        if (prefixMatches > 1) {
            result_.status = ParseStatus::Ambiguous;
            return index + 1;
        }
        if (found == nullptr) {
            result_.status = ParseStatus::Rejected;
            return index + 1;
        }
        std::string_view argument;
        int next = index + 1;
        if (equals != std::string_view::npos) {
            if (!found->takesArgument) {
                result_.status = ParseStatus::Rejected;
                return next;
            }
            argument = text.substr(equals + 1);
        } else if (found->takesArgument) {
            if (next >= argc_) {
                result_.status = ParseStatus::Rejected;
                return next;
            }
            argument = argv_[next++];
        }
        apply(found->letter, argument);
        return next;
    }

    void apply(char letter, std::string_view argument) {
        EngineOptions& o = result_.options;
        switch (letter) {
        case 'a':
            o.alwaysText = true;
            break;
        case 'b':
            o.spaceChange = o.ignoreSomeChanges = true;
            break;
        case 'B':
            o.ignoreBlankLines = true;
            break;
        case 'd':
            o.minimal = true;
            break;
        case 'H':
            o.heuristic = true;
            break;
        case 'i':
            o.ignoreCase = true;
            break;
        case 'N':
            o.newFile = true;
            break;
        case 'o':
            result_.outputGiven = true;
            result_.outputName = argument;
            break;
        case 'P':
            o.firstSideNewFile = true;
            break;
        case 'q':
            o.brief = true;
            break;
        case 'r':
            o.recursive = true;
            break;
        case 's':
            o.reportIdentical = true;
            break;
        case 't':
            o.expandTabs = true;
            break;
        case 'T':
            o.initialTab = true;
            break;
        case 'w':
            o.allSpace = o.ignoreSomeChanges = true;
            break;
        default:
            result_.status = ParseStatus::Rejected;
            break; // 'c' and "in"
        }
    }

    int argc_;
    const char* const* argv_;
    bool posixlyCorrect_;
    ParsedArguments result_;
};

} // namespace

ParsedArguments parseEngineArguments(int argc, const char* const* argv, bool posixlyCorrect) {
    return Parser(argc, argv, posixlyCorrect).run();
}

} // namespace tandel
