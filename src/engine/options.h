// The engine's switches and its re-entrant parser of the argument vector.
#pragma once

#include <string>
#include <vector>

namespace tandel {

// Every switch starts from its default on each call of the entry; the output
// file name is not here because it outlives a call.
struct EngineOptions {
    bool spaceChange = false;       // -b
    bool allSpace = false;          // -w
    bool ignoreSomeChanges = false; // -b or -w: lines of different lengths may be equal
    bool ignoreCase = false;        // -i
    bool ignoreBlankLines = false;  // -B
    bool alwaysText = false;        // -a
    bool brief = false;             // -q
    bool reportIdentical = false;   // -s
    bool recursive = false;         // -r
    bool newFile = false;           // -N
    bool firstSideNewFile = false;  // -P
    bool heuristic = false;         // -H
    bool minimal = false;           // -d: no cost limit on the search
    bool expandTabs = false;        // -t
    bool initialTab = false;        // -T
};

enum class ParseStatus {
    Ok,
    Rejected,  // unknown, rejected or incomplete option
    Ambiguous, // abbreviation of more than one long name
};

struct ParsedArguments {
    ParseStatus status = ParseStatus::Ok;
    EngineOptions options;
    bool outputGiven = false;
    std::string outputName; // the argument of the last -o
    std::vector<std::string> operands;
};

// Parses argv[1..argc-1] as the C library's long-option parser would: options
// and operands may be mixed (operands move behind the options) unless
// `posixlyCorrect`, "--" ends the options, long names may be abbreviated.
// Stops at the first error.
ParsedArguments parseEngineArguments(int argc, const char* const* argv, bool posixlyCorrect);

} // namespace tandel
