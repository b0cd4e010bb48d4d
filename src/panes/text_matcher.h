// The test a search applies: does the text occur in a line? With ignore case
// the text and the line are folded to lower case (ASCII letters, as the
// comparison folds them) and only their first kFoldedLength bytes take part;
// without it the whole line is tested byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tandel {

inline constexpr std::size_t kFoldedLength = 255;

class TextMatcher {
public:
    TextMatcher(std::string_view text, bool ignoreCase);

    bool ignoreCase() const { return ignoreCase_; }
    // The text as it is searched for (folded and cut under ignore case).
    const std::string& needle() const { return needle_; }

    bool matches(std::string_view line) const;

    // The first of lines [first, last) that matches, or -1. The lines lie back
    // to back in `buffer`, line i from starts[i] up to the line feed that ends
    // it at starts[i + 1] - 1; `starts` has an entry past the last line.
    // Searches the buffer as a whole rather than line by line.
    std::int64_t firstMatchingLine(const char* buffer, std::span<const std::size_t> starts,
                                   std::int64_t first, std::int64_t last) const;

    // Where the text first occurs wholly inside text[from, to), or npos. No
    // line limit here: this is the preview's search over its whole text.
    std::size_t find(std::string_view text, std::size_t from, std::size_t to) const;

private:
    // First occurrence in [begin, end) of the buffer, or nullptr; folds into
    // the scratch buffer a chunk at a time under ignore case.
    const char* search(const char* begin, const char* end) const;

    std::string needle_;
    bool ignoreCase_;
    bool needsFolding_; // ignore case and the needle holds a letter
    bool holdsLineFeed_;
    mutable std::vector<char> scratch_;
};

} // namespace tandel
