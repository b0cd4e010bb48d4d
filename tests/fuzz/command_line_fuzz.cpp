// The command-line tokenizer and the switch parser on any text: tokens carry
// no quote characters, and a text the parser accepts parses the same from its
// own tokens.
#include "fuzz_support.h"
#include "merge/command_line.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> tokens = tandel::tokenize(text);
    for (const std::string& token : tokens)
        tandel::fuzz::require(token.find('"') == std::string::npos, "tokens hold no quotes");

    tandel::SwitchTable fromText;
    const tandel::ParseOutcome outcome = tandel::parseCommandLine(text, fromText);
    tandel::SwitchTable fromTokens;
    const tandel::ParseOutcome again = tandel::parseArguments(tokens, fromTokens);
    tandel::fuzz::require(outcome.status == again.status, "text and tokens parse alike");
    for (const tandel::CommandSwitch& entry : fromText.entries()) {
        const tandel::CommandSwitch* other = fromTokens.findById(entry.id);
        tandel::fuzz::require(other != nullptr && other->given == entry.given &&
                                  other->values == entry.values,
                              "text and tokens give the same switches");
        // A switch is marked given before its arguments are read, so only a
        // successful parse promises them all.
        if (entry.given && outcome.status == tandel::CommandLineStatus::Parsed)
            tandel::fuzz::require(static_cast<int>(entry.values.size()) == entry.argumentCount,
                                  "a given switch has all its arguments");
    }
    return 0;
}
