// The comment definitions page of the options sheet without its widgets: a
// list of begin and end markers edited as a copy and committed on apply.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "settings/option_notice.h"

namespace tandel {

inline constexpr std::string_view kCommentHasSpaces = "Comment definition can not contain spaces";
inline constexpr std::string_view kCommentEmpty = "Comment definition can not be empty";
inline constexpr std::string_view kSelectEntry = "Please select an entry";
// The end marker that runs a comment to the end of its line.
inline constexpr std::string_view kEndOfLineMarker = "$";
// The longest marker the page takes, as the stored definitions always allowed.
inline constexpr int kMaxMarkerLength = 39;

class CommentListEdit {
public:
    explicit CommentListEdit(std::vector<CommentDefinition> committed)
        : comments_(std::move(committed)) {}

    // Markers are stored blank-separated, so neither may hold white space, and
    // neither may be empty. A definition already listed is not added again.
    [[nodiscard]] OptionResult add(std::string begin, std::string end);
    // `index` is the selected entry, -1 for none.
    [[nodiscard]] OptionResult remove(int index);

    // "begin ... end" per definition, in list order.
    std::vector<std::string> entries() const;
    const std::vector<CommentDefinition>& comments() const { return comments_; }
    void apply(std::vector<CommentDefinition>& committed) const { committed = comments_; }

private:
    std::vector<CommentDefinition> comments_;
};

} // namespace tandel
