#include "dirmerge/comparison_list.h"

#include "dirmerge/names.h"

#include <ctime>

namespace tandel {

std::string formatDate(std::int64_t seconds) {
    const auto t = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (::localtime_r(&t, &local) == nullptr)
        return {};
    // The locale's short date and time: the C library's full "%c" names the
    // weekday and month in words and runs past the date column's default
    // width, where this form ("12/07/26 04:28:33" in the C locale) fits.
    char text[128];
    const std::size_t n = std::strftime(text, sizeof text, "%x %X", &local);
    return std::string(text, n);
}

namespace {

RowHalf presentHalf(const std::string& path, const DirEntry& entry, RowState state) {
    RowHalf half;
    half.path = path;
    // An entry whose status could not be read is listed with an empty date.
    half.modificationTime = entry.statusKnown ? entry.writeTime.seconds : 0;
    half.dateText = entry.statusKnown ? formatDate(entry.writeTime.seconds) : std::string();
    half.state = state;
    return half;
}

class ListBuilder {
public:
    ListBuilder(DirectoryOperationState& state, const PairComparer& compare)
        : state_(state), compare_(compare) {}

    void act(StepKind kind) {
        TreeCursor& cursor = state_.cursor;
        switch (kind) {
        case StepKind::Done:
            return;
        case StepKind::LeftOnly:
            recordOneSided(Side::Left, cursor.top(Side::Left).path, cursor.top(Side::Left).entry());
            cursor.advance(Side::Left);
            return;
        case StepKind::RightOnly:
            recordOneSided(Side::Right, cursor.top(Side::Right).path,
                           cursor.top(Side::Right).entry());
            cursor.advance(Side::Right);
            return;
        case StepKind::Pair:
            actOnPair();
            return;
        }
    }

private:
    void actOnPair() {
        TreeCursor& cursor = state_.cursor;
        const DirListing& l = cursor.top(Side::Left);
        const DirListing& r = cursor.top(Side::Right);
        const DirEntry& le = l.entry();
        const DirEntry& re = r.entry();
        const std::string lp = joinPath(l.path, le.name);
        const std::string rp = joinPath(r.path, re.name);
        if (le.isDirectory() && re.isDirectory()) {
            if (state_.filters.recursive) {
                cursor.push(lp, rp, state_.filters); // invalidates l and r
                return;
            }
        } else if (!le.isDirectory() && !re.isDirectory()) {
            const RowState s = filesEqual(le, lp, re, rp, compare_) == 1 ? ROW_SAME : ROW_DIFFERENT;
            state_.rows.push_back({presentHalf(lp, le, s), presentHalf(rp, re, s)});
        } else {
            recordOneSided(Side::Left, l.path, le);
            recordOneSided(Side::Right, r.path, re);
        }
        cursor.advance(Side::Left);
        cursor.advance(Side::Right);
    }

    void recordOneSided(Side side, const std::string& dir, const DirEntry& entry) {
        const std::string path = joinPath(dir, entry.name);
        if (entry.isDirectory()) {
            if (!state_.filters.recursive)
                return;
            const DirListing sub = listDirectory(path, state_.filters);
            for (const DirEntry& e : sub.entries)
                recordOneSided(side, sub.path, e);
            return;
        }
        ComparisonRow row;
        RowHalf& present = side == Side::Left ? row.left : row.right;
        present = presentHalf(path, entry, ROW_DIFFERENT);
        state_.rows.push_back(std::move(row));
    }

    DirectoryOperationState& state_;
    const PairComparer& compare_;
};

} // namespace

int buildComparisonList(DirectoryOperationState& state, const std::string& dir1,
                        const std::string& dir2, std::string destination,
                        const ScanFilters& filters, const PairComparer& compare,
                        const BuildProgress& progress) {
    state.filters = filters;
    if (startTreeCursor(state, dir1, dir2, destination) != 0) {
        state.comparing = false;
        return kBuildFailed;
    }
    state.comparing = true;
    state.walking = false;
    state.cancelRequested = false;
    state.rows.clear();

    ListBuilder builder(state, compare);
    int result = kBuildFinished;
    for (CursorStep step = state.cursor.step(); step.kind != StepKind::Done;
         step = state.cursor.step()) {
        builder.act(step.kind);
        if (state.cancelRequested) {
            result = kBuildCancelled;
            break;
        }
        if (progress) {
            std::string current;
            if (!state.cursor.empty(Side::Left))
                current = state.cursor.top(Side::Left).currentPath();
            if (!progress(current) || state.cancelRequested) {
                result = kBuildCancelled;
                break;
            }
        }
    }
    state.comparing = false;
    state.cursor.release();
    return result;
}

} // namespace tandel
