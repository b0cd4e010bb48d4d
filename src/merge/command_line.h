// The command line: a tokenizer for a single command-line text, the table of
// the nine switches, and the parser that fills the table.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frame/frame.h"

namespace tandel {

enum SwitchId : int {
    kSwitchD1 = 0,
    kSwitchD2 = 1,
    kSwitchF1 = 2,
    kSwitchF2 = 3,
    kSwitchOutf = 4,
    kSwitchOutd = 5,
    kSwitchMandc = 7,
    kSwitchAuto = 8,
    kSwitchBase = 9, // the common ancestor of f1 and f2 for a three-way merge
};

struct CommandSwitch {
    std::string name;
    int id = 0;
    int argumentCount = 0;
    bool given = false;
    std::vector<std::string> values; // one per argument once given

    // The first argument, or an empty text when the switch has none.
    const std::string& value() const;
};

class SwitchTable {
public:
    SwitchTable();

    CommandSwitch* findByName(std::string_view name);
    CommandSwitch* findById(int id);
    const CommandSwitch* findById(int id) const;
    // The entry only when the switch was given; the query every other part uses.
    const CommandSwitch* given(int id) const;
    bool isGiven(int id) const { return given(id) != nullptr; }
    // The first argument of a given switch, or an empty text.
    std::string valueOf(int id) const;
    // Whether files 1 and 2 are the two named with an ancestor (-base): the
    // ancestor belongs to them, not to others loaded later.
    bool mergesWithAncestor(const std::array<std::string, 2>& names) const;

    static constexpr std::size_t kSize = 9;
    const std::array<CommandSwitch, kSize>& entries() const { return entries_; }

private:
    std::array<CommandSwitch, kSize> entries_;
};

// Splits a command-line text into tokens: blanks separate, double quotes only
// switch quoting and are dropped, a token made only of quoted blanks joins the
// next one. Tokens have no length limit.
class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : text_(text) {}
    std::optional<std::string> next();

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

std::vector<std::string> tokenize(std::string_view text);

// Refused stops the parse at the first switch it does not understand.
enum class CommandLineStatus { Parsed, Refused };

// What the parser wants shown; Parsed with no message on success.
struct ParseOutcome {
    CommandLineStatus status = CommandLineStatus::Parsed;
    Severity severity = Severity::Info;
    std::string message;
};

// Fills the table from already separated arguments (the program name removed).
// A token starting with "-" is always a switch; one starting with "/" is a
// switch only when the rest names a switch, otherwise it is a path. On an
// error the switches recorded so far stay recorded.
ParseOutcome parseArguments(const std::vector<std::string>& tokens, SwitchTable& table);

// Tokenizes `text` and parses the tokens.
ParseOutcome parseCommandLine(std::string_view text, SwitchTable& table);

} // namespace tandel
