#include "control/search.h"

#include "merge/session.h"
#include "panes/navigation.h"
#include "panes/pane_search.h"

#include <algorithm>

namespace tandel {
namespace {

bool notFound(Frame& frame) {
    frame.message(Severity::Info, kNotFoundMessage);
    return false;
}

bool searchLists(Session& app, const TextMatcher& matcher, const ListSearcher& lists) {
    std::int64_t& last = app.frameState.lastFoundPosition;
    std::int64_t row = lists ? lists(last, matcher) : -1;
    if (row < 0 && lists) {
        row = lists(-1, matcher);
    }
    last = row;
    return row >= 0 || notFound(app.frame());
}

bool searchPreview(Frame& frame, const TextMatcher& matcher) {
    const std::string text = frame.previewText();
    const std::size_t hit = previewSearch(text, frame.previewSelection(), matcher);
    if (hit == std::string_view::npos) {
        return notFound(frame);
    }
    const auto start = static_cast<std::int64_t>(hit);
    frame.selectPreviewText(start, start + static_cast<std::int64_t>(matcher.needle().size()));
    return true;
}

bool searchPanes(Session& app, const TextMatcher& matcher) {
    Frame& frame = app.frame();
    SettingsRecord& record = app.settings.record;
    std::int64_t& last = app.frameState.lastFoundPosition;
    if (!listsFitFiles(app.model)) {
        frame.message(Severity::Error, kBadDifferencesMessage);
        last = -1;
        return notFound(frame);
    }
    // The search starts below the top line. The wrap searches only the rows
    // the first pass skipped: the rows below the top line have no hit.
    const std::int64_t top = record.topLine;
    std::int64_t line = firstHitRow(app.model, matcher, top + 1);
    if (line < 0) {
        line = firstHitRow(app.model, matcher, 0, top + 1);
    }
    last = line;
    if (line < 0) {
        return notFound(frame);
    }
    scrollPanesToLine(record, frame, line);
    return true;
}

} // namespace

std::size_t previewSearch(std::string_view text, PreviewSelection selection,
                          const TextMatcher& matcher) {
    const auto size = static_cast<std::int64_t>(text.size());
    const auto end = static_cast<std::size_t>(std::clamp<std::int64_t>(selection.end, 0, size));
    const std::size_t hit = matcher.find(text, end, text.size());
    // The wrap may find the selected text itself: a text that is there is
    // never reported missing.
    if (hit != std::string_view::npos || end == 0) {
        return hit;
    }
    return matcher.find(text, 0, std::min(text.size(), end + matcher.needle().size() - 1));
}

bool runSearch(Session& app, const std::string& text, bool ignoreCase, const ListSearcher& lists) {
    Frame& frame = app.frame();
    if (text.empty()) {
        frame.message(Severity::Info, kNoSearchStringMessage);
        return false;
    }
    const TextMatcher matcher(text, ignoreCase);
    if (app.frameState.directoryWindow) {
        return searchLists(app, matcher, lists);
    }
    if (app.settings.record.notYetCompared != 0) {
        frame.message(Severity::Info, kNotComparedMessage);
        return false;
    }
    if (frame.previewOpen() && frame.previewTakesSearch()) {
        return searchPreview(frame, matcher);
    }
    return searchPanes(app, matcher);
}

void findNextMatch(Session& app, const ListSearcher& lists) {
    // The reason of a failed search has been shown; nothing else follows from it.
    static_cast<void>(runSearch(app, app.frameState.searchText, app.frameState.ignoreCase, lists));
}

void findCommand(Session& app) {
    if (app.settings.record.notYetCompared != 0 && !app.frameState.directoryWindow) {
        app.frame().message(Severity::Info, kNotComparedMessage);
        return;
    }
    app.frameState.searchText.clear();
    app.frame().openFindDialog(!app.frameState.ignoreCase);
}

} // namespace tandel
