#include "dirmerge/comparison_list.h"

#include "dirmerge/file_equality.h"
#include "dirmerge/names.h"
#include "dirmerge/row_check.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

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
            if (contentsDecide(le, re, state_.filters.trustTimeStamps)) {
                // Read later, several pairs at once; the row waits in place.
                addPending({state_.rows.size(), lp, rp, {}});
                state_.rows.push_back({presentHalf(lp, le, RowState::Different),
                                       presentHalf(rp, re, RowState::Different)});
            } else {
                recordVerdict(comparePair(*state_.filters.files, le, lp, re, rp,
                                          state_.filters.trustTimeStamps),
                              lp, le, rp, re);
            }
        } else {
            recordOneSided(Side::Left, l.path, le);
            recordOneSided(Side::Right, r.path, re);
        }
        cursor.advance(Side::Left);
        cursor.advance(Side::Right);
    }

    void recordVerdict(const PairVerdict& verdict, const std::string& lp, const DirEntry& le,
                       const std::string& rp, const DirEntry& re) {
        if (verdict.sameness == Sameness::Unreadable) {
            recordUnreadable(lp, le, verdict.left, rp, re, verdict.right);
        } else {
            const RowState s =
                verdict.sameness == Sameness::Equal ? RowState::Same : RowState::Different;
            state_.rows.push_back({presentHalf(lp, le, s), presentHalf(rp, re, s)});
        }
    }

    void recordUnreadable(const std::string& lp, const DirEntry& le, const IoStatus& leftWhy,
                          const std::string& rp, const DirEntry& re, const IoStatus& rightWhy) {
        ComparisonRow row{presentHalf(lp, le, RowState::Unreadable),
                          presentHalf(rp, re, RowState::Unreadable)};
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
            present = presentHalf(path, entry, RowState::Unreadable);
            markUnreadable(present, sub.problem);
        } else {
            present = presentHalf(path, entry, RowState::Different);
            if (entry.unreadable())
                markUnreadable(present, entry.problem);
        }
        state_.rows.push_back(std::move(row));
    }

public:
    struct Pending {
        std::size_t row;
        std::string leftPath;
        std::string rightPath;
        PairVerdict verdict;
        bool done = false;
    };

    // The pairs whose bytes decide are read a few at once, since each waits
    // on the disk, and while the walk goes on finding more.
    void startReaders() {
        if (!state_.filters.files->threadSafe()) {
            return;
        }
        for (std::size_t t = 0; t < kReaders; ++t) {
            readers_.emplace_back([this] { readPending(); });
        }
    }

    // Once the walk is over: the pairs left are read, the progress told
    // from this thread only. False when the build was cancelled.
    bool comparePending(const BuildProgress& progress) {
        FileSystem& files = *state_.filters.files;
        bool cancelled = false;
        if (readers_.empty()) {
            for (Pending& p : pending_) {
                p.verdict = compareContents(files, p.leftPath, p.rightPath);
                p.done = true;
                if (!keepGoing(progress, p.leftPath)) {
                    cancelled = true;
                    break;
                }
            }
        } else {
            endWalk(false);
            for (;;) {
                std::string at;
                {
                    std::unique_lock<std::mutex> lock(mutex_);
                    if (finished_ == pending_.size()) {
                        break;
                    }
                    wake_.wait_for(lock, std::chrono::milliseconds(kProgressMs));
                    at = pending_[std::min(next_, pending_.size() - 1)].leftPath;
                }
                if (!keepGoing(progress, at)) {
                    cancelled = true;
                    break;
                }
            }
            stopReaders(cancelled);
        }
        for (const Pending& p : pending_) {
            ComparisonRow& row = state_.rows[p.row];
            row.compared = p.done;
            if (!p.done)
                continue;
            if (p.verdict.sameness == Sameness::Equal) {
                row.left.state = row.right.state = RowState::Same;
            } else if (p.verdict.sameness == Sameness::Unreadable) {
                markUnreadable(row.left, p.verdict.left);
                markUnreadable(row.right, p.verdict.right);
            }
        }
        return !cancelled;
    }

    // A build cancelled before the pairs were read leaves them all unknown.
    void leaveUncompared() {
        stopReaders(true);
        for (const Pending& p : pending_)
            state_.rows[p.row].compared = false;
    }

    ~ListBuilder() { stopReaders(true); }

private:
    void addPending(Pending pair) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            pending_.push_back(std::move(pair));
        }
        wake_.notify_one();
    }

    void endWalk(bool stop) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            walkOver_ = true;
            stop_ = stop_ || stop;
        }
        wake_.notify_all();
    }

    void stopReaders(bool stop) {
        if (readers_.empty()) {
            return;
        }
        endWalk(stop);
        for (std::thread& reader : readers_) {
            reader.join();
        }
        readers_.clear();
    }

    // A reader: the next pair not yet taken, until the walk is over and none
    // is left, or the build stops. Pairs stay where they are in the deque
    // while more are added, so one is read without the lock.
    void readPending() {
        FileSystem& files = *state_.filters.files;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stop_ || next_ < pending_.size() || walkOver_; });
            if (stop_ || next_ == pending_.size()) {
                return;
            }
            Pending& p = pending_[next_++];
            lock.unlock();
            p.verdict = compareContents(files, p.leftPath, p.rightPath);
            lock.lock();
            p.done = true;
            ++finished_;
            wake_.notify_all();
        }
    }

    static constexpr std::size_t kReaders = 4;
    static constexpr int kProgressMs = 20;

    bool keepGoing(const BuildProgress& progress, const std::string& path) const {
        return (!progress || progress(path)) && !state_.cancelRequested;
    }

    DirectoryOperationState& state_;
    std::deque<Pending> pending_;
    std::vector<std::thread> readers_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::size_t next_ = 0;     // the first pair no reader has taken
    std::size_t finished_ = 0; // pairs read
    bool walkOver_ = false;
    bool stop_ = false;
};

} // namespace

BuildResult buildComparisonList(DirectoryOperationState& state, const std::string& dir1,
                                const std::string& dir2, std::string destination,
                                const ScanFilters& filters, const BuildProgress& progress) {
    state.filters = filters;
    startTreeCursor(state, dir1, dir2, destination);
    state.comparing = true;
    state.walking = false;
    state.cancelRequested = false;
    state.rows.clear();
    state.listedDir1 = dir1;
    state.listedDir2 = dir2;
    state.listIncomplete = false;

    ListBuilder builder(state);
    builder.startReaders();
    BuildResult result = BuildResult::Finished;
    const bool readable = builder.startWith(dir1, dir2);
    for (CursorStep step = state.cursor.step(); readable && step.kind != StepKind::Done;
         step = state.cursor.step()) {
        builder.act(step.kind);
        if (state.cancelRequested) {
            result = BuildResult::Cancelled;
            break;
        }
        if (progress) {
            std::string current;
            if (!state.cursor.empty(Side::Left))
                current = state.cursor.top(Side::Left).currentPath();
            if (!progress(current) || state.cancelRequested) {
                result = BuildResult::Cancelled;
                break;
            }
        }
    }
    // Pairs not compared before a Cancel stay "different": never equal unread.
    if (result == BuildResult::Finished && !builder.comparePending(progress)) {
        result = BuildResult::Cancelled;
    } else if (result == BuildResult::Cancelled) {
        builder.leaveUncompared();
    }
    state.listIncomplete = result == BuildResult::Cancelled;
    state.comparing = false;
    state.cursor.release();
    return result;
}

} // namespace tandel
