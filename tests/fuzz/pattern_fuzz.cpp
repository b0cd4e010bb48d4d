// The file-type pattern matcher on any pattern and name. A leading "^" must
// invert the answer of the rest, whatever the rest holds.
#include "dirmerge/pattern.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first NUL splits pattern from name; without one the name is empty.
    const std::size_t cut = input.find('\0');
    const std::string_view pattern = input.substr(0, cut);
    const std::string_view name =
        cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
    const bool plain = tandel::matchPattern(name, pattern);
    if (pattern.empty() || pattern.front() != '^') {
        const std::string negated = "^" + std::string(pattern);
        tandel::fuzz::require(tandel::matchPattern(name, negated) != plain,
                              "a leading ^ inverts the match");
    }
    return 0;
}
