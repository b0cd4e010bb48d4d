// Find (317) and Find Next (316): the search in what the user sees, the
// directory lists, the preview or the two panes. The window supplies the
// preview's text and selection and shows a preview or list hit through the
// Frame; the panes are scrolled here.
#pragma once

#include "frame/frame.h"
#include "panes/text_matcher.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tandel {

class Session;

inline constexpr const char* kNoSearchStringMessage = "No search string";
inline constexpr const char* kNotComparedMessage = "Files have not been compared yet";
inline constexpr const char* kNotFoundMessage = "Search string was not found";

// The directory window's list search: the row of the first hit below row
// `after` (-1: from the top), or -1; at a hit the list that holds it shows
// the row. Directory merging provides it.
using ListSearcher = std::function<std::int64_t(std::int64_t after, const TextMatcher& matcher)>;

// Searches for `text`: in the directory window its lists, else the preview
// when it takes the search, else the panes, whose hit becomes the top line.
// Each search starts below the last place and wraps to the top once. True
// when found; otherwise the reason has been shown.
[[nodiscard]] bool runSearch(Session& app, const std::string& text, bool ignoreCase,
                             const ListSearcher& lists = {});

// The preview's part: forward from the selection's end, then once from the
// top up to that end. The byte offset of the hit, or npos.
[[nodiscard]] std::size_t previewSearch(std::string_view text, PreviewSelection selection,
                                        const TextMatcher& matcher);

// Command 316: searches again for the stored text with the stored flag. The
// Find dialog's Find Next stores its text and flag, then runs this.
void findNextMatch(Session& app, const ListSearcher& lists = {});

// Command 317: refused before a comparison in file mode; otherwise forgets
// the last search text and opens the dialog, match case ticked unless the
// last search ignored case.
void findCommand(Session& app);

} // namespace tandel
