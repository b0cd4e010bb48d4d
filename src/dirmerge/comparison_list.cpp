#include "dirmerge/comparison_list.h"

#include "dirmerge/file_equality.h"
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

std::string unreadableText(const std::string& reason) {
    return "Cannot read: " + reason;
}

namespace {

RowHalf presentHalf(const std::string& path, const DirEntry& entry, RowState state) {
    RowHalf half;
    half.path = path;
    // An entry whose status could not be read is listed with an empty date.
    half.modificationTime = entry.statusKnown ? entry.writeTime.seconds : 0;
    half.dateText = entry.statusKnown ? formatDate(entry.writeTime.seconds) : std::string();
    half.state = state;
    half.regularFile = entry.isRegular();
    half.isLink = entry.isLink();
    half.linkTarget = entry.linkTarget;
    return half;
}

// The row is unreadable on both halves, so that both lists mark it; the half
// that failed says why in its date column.
void markUnreadable(RowHalf& half, const IoStatus& why) {
    half.state = ROW_UNREADABLE;
    if (!why.ok()) {
        half.problem = why.reason();
        half.dateText = unreadableText(half.problem);
    }
}

class ListBuilder {
public:
    explicit ListBuilder(DirectoryOperationState& state) : state_(state) {}

    // A top directory that cannot be listed is one row for the pair, and
    // nothing of the other side is listed as one-sided. True when the build
    // may go on.
    bool startWith(const std::string& dir1, const std::string& dir2) {
        const IoStatus& left = state_.cursor.top(Side::Left).problem;
        const IoStatus& right = state_.cursor.top(Side::Right).problem;
        if (left.ok() && right.ok())
            return true;
        ComparisonRow row;
        row.left.path = dir1;
        row.right.path = dir2;
        markUnreadable(row.left, left);
        markUnreadable(row.right, right);
        state_.rows.push_back(std::move(row));
        return false;
    }

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
        if (le.unreadable() || re.unreadable()) {
            recordUnreadable(lp, le, le.problem, rp, re, re.problem);
        } else if (le.isDirectory() && re.isDirectory()) {
            DirListing subLeft = listDirectory(lp, state_.filters);
            DirListing subRight = listDirectory(rp, state_.filters);
            if (subLeft.problem.ok() && subRight.problem.ok()) {
                cursor.push(std::move(subLeft), std::move(subRight)); // invalidates l and r
                return;
            }
            recordUnreadable(lp, le, subLeft.problem, rp, re, subRight.problem);
        } else if (!le.isDirectory() && !re.isDirectory()) {
            const PairVerdict verdict = comparePair(*state_.filters.files, le, lp, re, rp,
                                                    state_.filters.trustTimeStamps);
            if (verdict.sameness == Sameness::Unreadable) {
                recordUnreadable(lp, le, verdict.left, rp, re, verdict.right);
            } else {
                const RowState s = verdict.sameness == Sameness::Equal ? ROW_SAME : ROW_DIFFERENT;
                state_.rows.push_back({presentHalf(lp, le, s), presentHalf(rp, re, s)});
            }
        } else {
            recordOneSided(Side::Left, l.path, le);
            recordOneSided(Side::Right, r.path, re);
        }
        cursor.advance(Side::Left);
        cursor.advance(Side::Right);
    }

    void recordUnreadable(const std::string& lp, const DirEntry& le, const IoStatus& leftWhy,
                          const std::string& rp, const DirEntry& re, const IoStatus& rightWhy) {
        ComparisonRow row{presentHalf(lp, le, ROW_UNREADABLE), presentHalf(rp, re, ROW_UNREADABLE)};
        markUnreadable(row.left, leftWhy);
        markUnreadable(row.right, rightWhy);
        state_.rows.push_back(std::move(row));
    }

    void recordOneSided(Side side, const std::string& dir, const DirEntry& entry) {
        const std::string path = joinPath(dir, entry.name);
        ComparisonRow row;
        RowHalf& present = side == Side::Left ? row.left : row.right;
        if (entry.isDirectory()) {
            const DirListing sub = listDirectory(path, state_.filters);
            if (sub.problem.ok()) {
                for (const DirEntry& e : sub.entries)
                    recordOneSided(side, sub.path, e);
                return;
            }
            present = presentHalf(path, entry, ROW_UNREADABLE);
            markUnreadable(present, sub.problem);
        } else {
            present = presentHalf(path, entry, ROW_DIFFERENT);
            if (entry.unreadable())
                markUnreadable(present, entry.problem);
        }
        state_.rows.push_back(std::move(row));
    }

    DirectoryOperationState& state_;
};

} // namespace

int buildComparisonList(DirectoryOperationState& state, const std::string& dir1,
                        const std::string& dir2, std::string destination,
                        const ScanFilters& filters, const BuildProgress& progress) {
    state.filters = filters;
    if (startTreeCursor(state, dir1, dir2, destination) != 0) {
        state.comparing = false;
        return kBuildFailed;
    }
    state.comparing = true;
    state.walking = false;
    state.cancelRequested = false;
    state.rows.clear();

    ListBuilder builder(state);
    int result = kBuildFinished;
    const bool readable = builder.startWith(dir1, dir2);
    for (CursorStep step = state.cursor.step(); readable && step.kind != StepKind::Done;
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
