#include "merge/three_way.h"

#include <algorithm>
#include <cstddef>

namespace tandel {

namespace {

// A side's lines [first, end), 0-based.
struct LineSpan {
    std::int32_t first = 0;
    std::int32_t end = 0;

    std::int32_t count() const { return end - first; }
};

bool sameLines(const SideRecord& one, LineSpan a, const SideRecord& two, LineSpan b) {
    if (a.count() != b.count()) {
        return false;
    }
    for (std::int32_t k = 0; k < a.count(); ++k) {
        if (one.line(a.first + k) != two.line(b.first + k)) {
            return false;
        }
    }
    return true;
}

// The 0-based start and the count of one side's lines in a hunk entry.
void spanOf(const SegmentRange& text, const SegmentRange& gap, std::int32_t& first,
            std::int32_t& count) {
    if (text.present()) {
        first = text.first - 1;
        count = text.length();
    } else {
        first = gap.present() ? gap.first - 1 : 0;
        count = 0;
    }
}

void appendHeader(std::string& script, LineSpan local, LineSpan remote) {
    const auto span = [](LineSpan s) {
        return std::to_string(s.first + 1) + "," + std::to_string(s.end);
    };
    if (local.count() == 0) {
        script += std::to_string(local.first) + "a" + span(remote);
    } else if (remote.count() == 0) {
        script += span(local) + "d" + std::to_string(remote.first);
    } else {
        script += span(local) + "c" + span(remote);
    }
    script += '\n';
}

bool sameContent(const SideRecord& a, const SideRecord& b) {
    if (a.binary != b.binary || a.lineCount != b.lineCount) {
        return false;
    }
    for (std::int32_t i = 0; i < a.lineCount; ++i) {
        if (a.line(i) != b.line(i) || a.lineEnd(i) != b.lineEnd(i)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<EditHunk> editHunks(const ScriptLists& lists) {
    std::vector<EditHunk> hunks;
    const std::size_t n = std::min(lists.text1.size(), lists.text2.size());
    for (std::size_t i = 0; i < n && !lists.text1[i].isEnd(); ++i) {
        EditHunk hunk;
        spanOf(lists.text1[i], lists.gap1[i], hunk.baseFirst, hunk.baseCount);
        spanOf(lists.text2[i], lists.gap2[i], hunk.sideFirst, hunk.sideCount);
        hunks.push_back(hunk);
    }
    return hunks;
}

ThreeWayResult mergeThreeWay(const std::vector<EditHunk>& local,
                             const std::vector<EditHunk>& remote, const SideRecord& localSide,
                             const SideRecord& remoteSide) {
    ThreeWayResult result;
    std::size_t i = 0;
    std::size_t j = 0;
    // Side line minus BASE line for the unchanged lines before the region.
    std::int32_t localShift = 0;
    std::int32_t remoteShift = 0;
    while (i < local.size() || j < remote.size()) {
        const std::int32_t lo =
            j >= remote.size() || (i < local.size() && local[i].baseFirst <= remote[j].baseFirst)
                ? local[i].baseFirst
                : remote[j].baseFirst;
        std::int32_t hi = lo;
        const std::size_t i0 = i;
        const std::size_t j0 = j;
        // A change that starts where the region ends still belongs to it.
        for (bool grew = true; grew;) {
            grew = false;
            if (i < local.size() && local[i].baseFirst <= hi) {
                hi = std::max(hi, local[i++].baseEnd());
                grew = true;
            }
            if (j < remote.size() && remote[j].baseFirst <= hi) {
                hi = std::max(hi, remote[j++].baseEnd());
                grew = true;
            }
        }
        const LineSpan localSpan{
            lo + localShift,
            hi + (i > i0 ? local[i - 1].sideEnd() - local[i - 1].baseEnd() : localShift)};
        const LineSpan remoteSpan{
            lo + remoteShift,
            hi + (j > j0 ? remote[j - 1].sideEnd() - remote[j - 1].baseEnd() : remoteShift)};
        localShift = localSpan.end - hi;
        remoteShift = remoteSpan.end - hi;
        if (sameLines(localSide, localSpan, remoteSide, remoteSpan)) {
            continue; // changed alike on both sides, or not at all
        }
        MergeTake take = MergeTake::Conflict;
        if (j == j0) {
            take = MergeTake::Local;
        } else if (i == i0) {
            take = MergeTake::Remote;
        } else {
            ++result.conflicts;
        }
        appendHeader(result.script, localSpan, remoteSpan);
        result.takes.push_back(take);
    }
    return result;
}

MergeTake wholeTake(const SideRecord& base, const SideRecord& local, const SideRecord& remote) {
    if (sameContent(base, remote)) {
        return MergeTake::Local;
    }
    return sameContent(base, local) ? MergeTake::Remote : MergeTake::Conflict;
}

} // namespace tandel
