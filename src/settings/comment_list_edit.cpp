#include "settings/comment_list_edit.h"

#include <algorithm>

namespace tandel {
namespace {

bool hasWhiteSpace(std::string_view text) {
    return text.find_first_of(" \t\n\v\f\r") != std::string_view::npos;
}

bool sameDefinition(const CommentDefinition& a, const CommentDefinition& b) {
    return a.begin == b.begin && a.end == b.end;
}

} // namespace

OptionResult CommentListEdit::add(std::string begin, std::string end) {
    if (hasWhiteSpace(begin) || hasWhiteSpace(end)) {
        return OptionNotice{Severity::Warning, std::string(kCommentHasSpaces)};
    }
    if (begin.empty() || end.empty()) {
        return OptionNotice{Severity::Warning, std::string(kCommentEmpty)};
    }
    const CommentDefinition definition{std::move(begin), std::move(end)};
    const bool listed = std::any_of(comments_.begin(), comments_.end(),
                                    [&](const auto& c) { return sameDefinition(c, definition); });
    if (!listed) {
        comments_.push_back(definition);
    }
    return std::nullopt;
}

OptionResult CommentListEdit::remove(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= comments_.size()) {
        return OptionNotice{Severity::Warning, std::string(kSelectEntry)};
    }
    comments_.erase(comments_.begin() + index);
    return std::nullopt;
}

std::vector<std::string> CommentListEdit::entries() const {
    std::vector<std::string> lines;
    for (const CommentDefinition& c : comments_) {
        lines.push_back(c.begin + " ... " + c.end);
    }
    return lines;
}

} // namespace tandel
