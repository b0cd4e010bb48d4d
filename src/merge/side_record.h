// One side of a comparison: the file's lines for display, the engine's copy of
// them, and the side's half of the segment lists.
#pragma once

#include "base/byte_buffer.h"
#include "base/file_system.h"
#include "engine/bulk_vector.h"
#include "engine/engine.h"
#include "merge/display_text.h"
#include "merge/line_buffer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tandel {

inline constexpr std::int32_t RANGE_NONE = -2;
inline constexpr std::int32_t RANGE_END = -1;

// The choice mark of a range: taken first or second into the result, or not.
enum class Choice : std::int32_t { None = 0, First = 1, Second = 2 };

// One entry of a range list. Lines are 1-based and inclusive; first = last =
// RANGE_NONE when the side has no lines of this kind in the segment; first =
// RANGE_END in the entry that ends a list. A present gap may hold zero lines
// after a split (last = first - 1).
struct SegmentRange {
    std::int32_t first = RANGE_END;
    std::int32_t last = RANGE_END;
    Choice choice = Choice::None;
    // The choice was made by the three-way merge, not by the user.
    bool automatic = false;

    bool present() const { return first != RANGE_NONE && first != RANGE_END; }
    bool isEnd() const { return first == RANGE_END; }
    // Number of lines the range stands for; absent and empty ranges count 0.
    std::int32_t length() const { return present() && last >= first ? last - first + 1 : 0; }
};

// Prefix sums over one side's lists so that mapping a display row to a line or
// a segment is a binary search instead of a walk from segment 0. Rebuilt by
// rebuildIndex (segment_map.h) whenever the lists change shape.
struct SegmentIndex {
    // gapBefore[i]: filler lines of this side in segments 0..i-1 (segments + 1 entries).
    std::vector<std::int64_t> gapBefore;
    // Segments with a present text range, in order, and each one's text last.
    std::vector<std::int32_t> textSegments;
    std::vector<std::int64_t> textLast;
    // Segments with a present gap range, in order, and the 1-based display row
    // of each gap's last filler line (last + gapBefore).
    std::vector<std::int32_t> gapSegments;
    std::vector<std::int64_t> gapDisplayLast;
};

// How a file's lines ended. The lines themselves hold their text only, so a
// line reads the same whatever its end, and each is written back with the end
// it came with.
struct LineEnds {
    std::vector<bool> crLf; // per line; empty while no line ends in CR LF
    std::size_t crLfCount = 0;
    bool lastUnterminated = false; // the file's last line has no line feed
};

// Where each line starts: as long as a file's lines, so taken in large pages.
using LineStarts = BulkVector<std::size_t>;

enum class LineEndStyle { NoLines, Lf, CrLf, Mixed };

// A NUL byte in the first kBinaryProbeBytes makes a file binary, as version
// control judges it.
inline constexpr std::size_t kBinaryProbeBytes = 8192;

struct SideRecord {
    std::int32_t lineCount = 0;
    std::string fileName;
    // Every line followed by one '\n'; line i spans
    // [lineStarts[i], lineStarts[i + 1] - 1). Lines may hold any byte, NUL included.
    // A loaded side keeps kEngineSpareBytes bytes after the lines: the engine
    // borrows this buffer for runs that only read the text, writing nothing
    // but its end marks into those spare bytes.
    LineBuffer lineBuffer;
    LineStarts lineStarts; // lineCount + 1 entries once loaded
    // Empty: no comparison result. Otherwise both lists have the same length
    // and their last entry is the end entry (first = RANGE_END).
    std::vector<SegmentRange> textRanges;
    std::vector<SegmentRange> gapRanges;
    std::int32_t firstVisibleColumn = 0;
    // A private copy for runs that rewrite the text (comment or table-column
    // blanking), so that the lines on display stay as they are; empty otherwise.
    std::vector<char> engineCopy;
    // Bytes of the lines in lineBuffer: what the engine is given.
    std::size_t engineSize = 0;
    SegmentIndex index;
    LineEnds ends;
    // A binary file is one "line" holding all of its bytes, never split or
    // shown as text; it is taken whole or not at all. The panes show
    // binaryRow in its place.
    bool binary = false;
    std::string binaryRow;
    // Utf8 when every line is well-formed UTF-8; else some lines show as
    // Windows-1252 (see display_text.h).
    LineEncoding encoding = LineEncoding::Utf8;
    // The widest line's columns for a tab size (widest_line.h), kept from the
    // first time the pane's scroll range needed it; columns < 0: not yet.
    struct WidestLineCache {
        std::int32_t tabSize = 0;
        std::int32_t lineCount = 0;
        std::int64_t columns = -1;
    };
    WidestLineCache widestLine;
    // The file as it was when loaded, and as this program last wrote it: a
    // regular file whose status matches neither was changed by someone else.
    FileStatus loadedStatus;
    FileStatus writtenStatus;

    bool hasLists() const { return !textRanges.empty() && !gapRanges.empty(); }
    // Number of segments (entries before the end entry); 0 without lists.
    std::int32_t segmentCount() const;
    // Line i (0-based) without its line end; empty for an index out of range.
    std::string_view line(std::int64_t i) const;
    // Line i as the panes show it: a binary file's row says what it is.
    std::string_view shownLine(std::int64_t i) const {
        return binary && i == 0 ? std::string_view(binaryRow) : line(i);
    }
    // The end line i had in its file: "\r\n", "\n", or "" for a last line
    // without one.
    std::string_view lineEnd(std::int64_t i) const;
    LineEndStyle lineEndStyle() const;
    // The text for one engine run: the line buffer itself, or a fresh private
    // copy when the run rewrites the text or must see each line's own end.
    EngineText engineText(bool runRewritesText, bool exactLineEnds = false);
};

} // namespace tandel
