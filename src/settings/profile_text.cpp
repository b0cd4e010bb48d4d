#include "settings/profile_text.h"

#include <vector>

namespace tandel {

namespace {

enum class LineKind { Blank, Comment, Entry };

struct Line {
    LineKind kind;
    std::string text;
};

bool isComment(char c) {
    return c == ';' || c == '#';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isSpaceOrTab(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isSpaceOrTab(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool startsWithUtf16Mark(std::string_view bytes) {
    return bytes.starts_with("\xff\xfe") || bytes.starts_with("\xfe\xff");
}

class Preparer {
public:
    explicit Preparer(ProfileText& out) : out_(out) {}

    void add(std::string_view line) {
        ++number_;
        // The parser skips blanks before every line but only the first line
        // of a comment block; without them the block stays one.
        std::string_view rest = line;
        while (!rest.empty() && isSpaceOrTab(rest.front())) {
            rest.remove_prefix(1);
        }
        if (rest.empty()) {
            lines_.push_back({LineKind::Blank, {}});
        } else if (isComment(rest.front())) {
            lines_.push_back({LineKind::Comment, std::string(rest)});
        } else if (rest.front() == '[') {
            addHeader(line, rest);
        } else {
            const std::size_t equals = rest.find('=');
            if (equals == std::string_view::npos || trimmed(rest.substr(0, equals)).empty()) {
                unread(line);
            } else {
                lines_.push_back({LineKind::Entry, std::string(rest)});
            }
        }
    }

    void finish() {
        std::size_t last = lines_.size();
        while (last > 0 && lines_[last - 1].kind != LineKind::Entry) {
            --last;
        }
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (i < last) {
                out_.parserText += lines_[i].text;
                out_.parserText += '\n';
            } else if (lines_[i].kind == LineKind::Comment) {
                out_.trailer += lines_[i].text;
                out_.trailer += '\n';
            }
        }
    }

private:
    // "[name]", then nothing or a comment. A header followed by anything
    // else still starts its section, and the whole line is kept before it.
    void addHeader(std::string_view line, std::string_view rest) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos || trimmed(rest.substr(1, close - 1)).empty()) {
            unread(line);
            return;
        }
        const std::string_view after = trimmed(rest.substr(close + 1));
        if (!after.empty() && !isComment(after.front())) {
            unread(line);
        }
        lines_.push_back({LineKind::Entry, std::string(rest.substr(0, close + 1))});
        // The parser drops what follows the bracket; as a line of its own a
        // comment is kept.
        if (!after.empty() && isComment(after.front())) {
            lines_.push_back({LineKind::Comment, std::string(after)});
        }
    }

    void unread(std::string_view line) {
        if (out_.unreadLines++ == 0) {
            out_.firstUnreadLine = number_;
        }
        std::string comment(1, ';');
        comment += line;
        lines_.push_back({LineKind::Comment, std::move(comment)});
    }

    ProfileText& out_;
    std::vector<Line> lines_;
    std::size_t number_ = 0;
};

} // namespace

ProfileText prepareProfileText(std::string_view bytes) {
    ProfileText out;
    if (bytes.find('\0') != std::string_view::npos || startsWithUtf16Mark(bytes)) {
        out.isText = false;
        return out;
    }
    if (bytes.starts_with("\xef\xbb\xbf")) {
        bytes.remove_prefix(3); // the UTF-8 mark says nothing the bytes do not
    }
    Preparer preparer(out);
    // Line ends as the parser reads them: CR LF, a lone LF or a lone CR.
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        preparer.add(bytes.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        const std::size_t next = bytes.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        bytes.remove_prefix(next);
    }
    preparer.finish();
    return out;
}

bool isSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

} // namespace tandel
