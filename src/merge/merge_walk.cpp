#include "merge/merge_walk.h"

#include "frame/frame.h"
#include "merge/segment_map.h"

#include <algorithm>
#include <string>

namespace tandel {

namespace {

class Writer {
public:
    // A listing is a report: its lines end alike whatever their files had.
    Writer(Frame& frame, LineSink& sink, bool listing)
        : frame_(frame), sink_(sink), policy_(sink.lineEnds()) {
        if (listing && policy_ == LineEndPolicy::Own) {
            policy_ = LineEndPolicy::Lf;
        }
    }

    // A marker of the listing; its line feeds follow the policy.
    bool text(std::string_view text) {
        if (!endPending(text)) {
            return false;
        }
        if (policy_ != LineEndPolicy::CrLf) {
            return sink_.put(text);
        }
        line_.clear();
        appendWithCrLf(line_, text);
        return sink_.put(line_);
    }

    // Lines from..to (0-based, inclusive) of one side. A number of -1 means
    // unnumbered; lines are written whole, whatever their length or bytes.
    bool lines(const SideRecord& side, std::int64_t from, std::int64_t to, std::int64_t number,
               std::string_view prefix, std::string_view header, std::string_view trailer) {
        if (!header.empty() && !text(header)) {
            return false;
        }
        const bool bare = prefix.empty() && number < 0 && sink_.takesRuns();
        for (std::int64_t i = std::max<std::int64_t>(from, 0); i <= to; ++i) {
            if (bare && endsWithLineFeed(side, i)) {
                // A run of such lines is its bytes as held: one piece.
                std::int64_t last = i;
                while (last < to && endsWithLineFeed(side, last + 1)) {
                    ++last;
                }
                if (!endPending("\n") || !sink_.put(heldBytes(side, i, last))) {
                    return false;
                }
                lastEnd_ = "\n";
                i = last;
                continue;
            }
            const std::string_view end = endFor(side.lineEnd(i));
            if (!endPending(end)) {
                return false;
            }
            line_.assign(prefix);
            if (number >= 0) {
                line_.append(std::to_string(number + (i - from)));
                line_.push_back(' ');
            }
            line_.append(side.line(i));
            line_.append(end);
            if (!sink_.put(line_)) {
                return false;
            }
            pending_ = end.empty();
            if (!end.empty()) {
                lastEnd_ = end;
            }
        }
        return trailer.empty() || text(trailer);
    }

    // A line number beyond a side's lines means the lists and the texts
    // disagree; say so once and go on with what exists.
    std::int64_t clamp(std::int64_t last, std::int32_t lineCount) {
        if (last >= lineCount) {
            if (!reported_) {
                reported_ = true;
                frame_.message(
                    Severity::Error,
                    "There was an error in file differences.\nPlease check the output file");
            }
            return lineCount - 1;
        }
        return last;
    }

private:
    // Line i goes out as it is held in the side's buffer: its text and a LF.
    bool endsWithLineFeed(const SideRecord& side, std::int64_t i) const {
        return i < side.lineCount && static_cast<std::size_t>(i) + 1 < side.lineStarts.size() &&
               endFor(side.lineEnd(i)) == "\n";
    }

    static std::string_view heldBytes(const SideRecord& side, std::int64_t first,
                                      std::int64_t last) {
        const std::size_t begin = side.lineStarts[static_cast<std::size_t>(first)];
        const std::size_t end = side.lineStarts[static_cast<std::size_t>(last) + 1];
        return std::string_view(side.lineBuffer.data() + begin, end - begin);
    }

    std::string_view endFor(std::string_view own) const {
        if (own.empty() || policy_ == LineEndPolicy::Own) {
            return own;
        }
        return policy_ == LineEndPolicy::CrLf ? "\r\n" : "\n";
    }

    // A line without an end (the last of its file) that is followed by more
    // output gets the end of the line before it, or else that of what follows.
    bool endPending(std::string_view next) {
        if (!pending_) {
            return true;
        }
        pending_ = false;
        std::string_view end = lastEnd_;
        if (end.empty()) {
            end = next.size() >= 2 && next.substr(next.size() - 2) == "\r\n" ? "\r\n" : "\n";
            end = endFor(end);
        }
        return sink_.put(end);
    }

    Frame& frame_;
    LineSink& sink_;
    LineEndPolicy policy_;
    std::string line_;
    std::string_view lastEnd_;
    bool pending_ = false;
    bool reported_ = false;
};

} // namespace

bool mergeWalk(const MergeModel& model, Frame& frame, LineSink& sink) {
    Writer writer(frame, sink, false);
    const SideRecord& side1 = model.side(1);
    const SideRecord& side2 = model.side(2);
    const std::int32_t n1 = side1.lineCount;
    std::int64_t next = 0;
    if (side1.hasLists() && side2.hasLists()) {
        const std::int32_t count = std::min(side1.segmentCount(), side2.segmentCount());
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int64_t to = writer.clamp(segmentFirstLine(side1, i) - 2, n1);
            if (!writer.lines(side1, next, to, -1, {}, {}, {})) {
                return false;
            }
            next = segmentLastLine(side1, i);
            const SegmentRange& text1 = side1.textRanges[static_cast<std::size_t>(i)];
            const SegmentRange& text2 = side2.textRanges[static_cast<std::size_t>(i)];
            if (!((text1.present() && text1.choice != Choice::None) ||
                  (text2.present() && text2.choice != Choice::None))) {
                continue;
            }
            // The side with the lower mark first; on equal marks side 2 first.
            const SideRecord* order[2] = {&side2, &side1};
            if (text1.choice < text2.choice) {
                std::swap(order[0], order[1]);
            }
            for (const SideRecord* side : order) {
                const SegmentRange& text = side == &side1 ? text1 : text2;
                if (!text.present() || text.choice == Choice::None) {
                    continue;
                }
                const std::int64_t last = writer.clamp(text.last - 1, side->lineCount);
                if (!writer.lines(*side, text.first - 1, last, -1, {}, {}, {})) {
                    return false;
                }
            }
        }
    }
    return writer.lines(side1, next, n1 - 1, -1, {}, {}, {});
}

bool differencesWalk(const MergeModel& model, Frame& frame, LineSink& sink) {
    Writer writer(frame, sink, true);
    const SideRecord& side1 = model.side(1);
    if (!side1.hasLists()) {
        return true;
    }
    const SideRecord& side2 = model.side(2);
    const std::int32_t count =
        side2.hasLists() ? std::min(side1.segmentCount(), side2.segmentCount()) : 0;
    for (std::int32_t i = 0; i < count; ++i) {
        for (int s = 1; s <= 2; ++s) {
            const SideRecord& side = s == 1 ? side1 : side2;
            const SegmentRange& text = side.textRanges[static_cast<std::size_t>(i)];
            const std::string_view prefix = s == 1 ? "<<" : ">>";
            const std::string_view header = s == 1 ? "--File 1--\n" : "--File 2--\n";
            const std::string_view trailer = s == 1 ? "" : "----------\n";
            bool ok = true;
            if (text.present()) {
                const std::int64_t last = writer.clamp(text.last - 1, side.lineCount);
                ok = writer.lines(side, text.first - 1, last, text.first, prefix, header, trailer);
            } else {
                ok = writer.text(header) && (trailer.empty() || writer.text(trailer));
            }
            if (!ok) {
                return false;
            }
        }
        if (!writer.text("\n")) {
            return false;
        }
    }
    return true;
}

} // namespace tandel
