// Shortest edit script by divide and conquer: a search from both ends of a
// range for a middle snake splits it into two ranges of half the cost each.
// Past the cost limit a range is split where either search got furthest
// instead: the script stays valid, but may be longer than the shortest.
#include "engine/analyze.h"
#include "engine/analyze_stages.h"
#include "engine/analyze_sweep.h"
#include "engine/run_hooks.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

namespace tandel {
namespace {

// A snake longer than this is a sign that the search is in a region that
// pairs well, which is where the heuristic may cut it short.
constexpr int kSnakeLimit = 20;
// The heuristic leaves cheap ranges alone.
constexpr int kHeuristicCost = 200;
// Out-of-range neighbours of the backward search, never chosen as minimum.
constexpr int kBackwardFar = std::numeric_limits<int>::max();
constexpr int kNoDiagonal = std::numeric_limits<int>::min();

struct Range {
    int xlo;
    int xhi;
    int ylo;
    int yhi;
};

struct Split {
    int x;
    int y;
    int cost;
};

// The furthest points of one search direction, by diagonal. Each cost step
// touches diagonals of one parity only and reads its neighbours of the other
// parity, so the two parities live in separate arrays: a step then reads and
// writes contiguous memory, and its first pass vectorises.
class DiagonalStore {
public:
    // Diagonals -(n1 + 2) .. n0 + 2 all have a slot.
    DiagonalStore(std::size_t n0, std::size_t n1)
        : offset_(static_cast<int>(n1) + 2), half_((n0 + n1 + 6) / 2 + 2) {}

    void allocate() {
        even_ = std::make_unique_for_overwrite<int[]>(half_);
        odd_ = std::make_unique_for_overwrite<int[]>(half_);
    }
    bool allocated() const { return even_ != nullptr; }

    int index(int d) const { return (d + offset_) >> 1; }
    int* parity(int d) const { return ((d + offset_) & 1) != 0 ? odd_.get() : even_.get(); }
    int* other(int d) const { return ((d + offset_) & 1) != 0 ? even_.get() : odd_.get(); }
    // The slot of diagonal d - 1 among the other parity's, relative to d's.
    int lowerShift(int d) const { return ((d + offset_) & 1) != 0 ? 0 : -1; }
    int& at(int d) const { return parity(d)[index(d)]; }

private:
    int offset_;
    std::size_t half_;
    std::unique_ptr<int[]> even_;
    std::unique_ptr<int[]> odd_;
};

template <typename Class> class Searcher {
public:
    Searcher(const Class* x, std::size_t n0, const Class* y, std::size_t n1,
             const SearchOptions& options)
        : xv_(x), yv_(y), heuristic_(options.heuristic),
          costLimit_(options.costLimit != 0 ? options.costLimit
                                            : derivedCostLimit(static_cast<long long>(n0 + n1))),
          hooks_(options.hooks), fd_(n0, n1), bd_(n0, n1) {}

    Split split(int xlo, int xhi, int ylo, int yhi) {
        // Every entry is written before it is read, so the arrays need no
        // clearing; and inputs that pair up after discarding never need them.
        if (!fd_.allocated()) {
            fd_.allocate();
            bd_.allocate();
        }
        return heuristic_ ? middleSnake<true>(xlo, xhi, ylo, yhi)
                          : middleSnake<false>(xlo, xhi, ylo, yhi);
    }

private:
    template <bool kHeuristic> Split middleSnake(int xlo, int xhi, int ylo, int yhi);
    template <bool kCheck, bool kTrackSnakes>
    int forwardSweep(int fmin, int fmax, int bmin, int bmax, int xhi, int yhi, bool& bigSnake);
    template <bool kCheck, bool kTrackSnakes>
    int backwardSweep(int bmin, int bmax, int fmin, int fmax, int xlo, int ylo, bool& bigSnake);
    bool forwardHeuristic(int c, int fmin, int fmax, int fmid, int xlo, int ylo,
                          Split& split) const;
    bool backwardHeuristic(int c, int bmin, int bmax, int bmid, int xhi, int yhi,
                           Split& split) const;
    bool furthestSplit(int c, int fmin, int fmax, int bmin, int bmax, const Range& range,
                       Split& split) const;

    const Class* xv_;
    const Class* yv_;
    bool heuristic_;
    int costLimit_;
    const RunHooks* hooks_;
    DiagonalStore fd_; // furthest x reached forwards, by diagonal x - y
    DiagonalStore bd_; // smallest x reached backwards, by diagonal
};

// Extends the furthest forward point of every diagonal d in [fmin, fmax] of
// one parity by one edit and the snake after it. Returns the first diagonal,
// from fmax down, that meets the backward search, or kNoDiagonal.
template <typename Class>
template <bool kCheck, bool kTrackSnakes>
int Searcher<Class>::forwardSweep(int fmin, int fmax, int bmin, int bmax, int xhi, int yhi,
                                  bool& bigSnake) {
    int* const own = fd_.parity(fmin);
    const SweepSpan<Class> span{
        xv_, yv_, own, fd_.other(fmin) + fd_.lowerShift(fmin), fd_.index(fmin), fd_.index(fmax),
        fmin};
    const int longest = forwardStep(span, xhi, yhi);
    if constexpr (kTrackSnakes) {
        bigSnake |= longest > kSnakeLimit;
    }
    if constexpr (kCheck) {
        // Snakes never affect each other within a step, so meetings can be
        // looked for once all of them are followed.
        const int* const other = bd_.parity(fmin);
        const int top = std::min(fmax, bmax);
        for (int d = fmax - (fmax - top + 1) / 2 * 2, k = fd_.index(d); d >= fmin && d >= bmin;
             d -= 2, --k) {
            if (other[k] <= own[k]) {
                return d;
            }
        }
    }
    return kNoDiagonal;
}

template <typename Class>
template <bool kCheck, bool kTrackSnakes>
int Searcher<Class>::backwardSweep(int bmin, int bmax, int fmin, int fmax, int xlo, int ylo,
                                   bool& bigSnake) {
    int* const own = bd_.parity(bmin);
    const SweepSpan<Class> span{
        xv_, yv_, own, bd_.other(bmin) + bd_.lowerShift(bmin), bd_.index(bmin), bd_.index(bmax),
        bmin};
    const int longest = backwardStep(span, xlo, ylo);
    if constexpr (kTrackSnakes) {
        bigSnake |= longest > kSnakeLimit;
    }
    if constexpr (kCheck) {
        const int* const other = fd_.parity(bmin);
        const int top = std::min(bmax, fmax);
        for (int d = bmax - (bmax - top + 1) / 2 * 2, k = bd_.index(d); d >= bmin && d >= fmin;
             d -= 2, --k) {
            if (own[k] <= other[k]) {
                return d;
            }
        }
    }
    return kNoDiagonal;
}

template <typename Class>
template <bool kHeuristic>
Split Searcher<Class>::middleSnake(int xlo, int xhi, int ylo, int yhi) {
    const int dmin = xlo - yhi;
    const int dmax = xhi - ylo;
    const int fmid = xlo - ylo;
    const int bmid = xhi - yhi;
    int fmin = fmid;
    int fmax = fmid;
    int bmin = bmid;
    int bmax = bmid;
    // With an odd distance between the middles the searches can only meet
    // after a forward step, otherwise only after a backward one.
    const bool odd = ((fmid - bmid) & 1) != 0;
    fd_.at(fmid) = xlo;
    bd_.at(bmid) = xhi;

    for (int c = 1;; ++c) {
        bool bigSnake = false;

        if (fmin > dmin) {
            --fmin;
            fd_.at(fmin - 1) = -1;
        } else {
            ++fmin;
        }
        if (fmax < dmax) {
            ++fmax;
            fd_.at(fmax + 1) = -1;
        } else {
            --fmax;
        }
        const int met =
            odd ? forwardSweep<true, kHeuristic>(fmin, fmax, bmin, bmax, xhi, yhi, bigSnake)
                : forwardSweep<false, kHeuristic>(fmin, fmax, bmin, bmax, xhi, yhi, bigSnake);
        if (met != kNoDiagonal) {
            const int x = bd_.at(met);
            return {x, x - met, 2 * c - 1};
        }

        if (bmin > dmin) {
            --bmin;
            bd_.at(bmin - 1) = kBackwardFar;
        } else {
            ++bmin;
        }
        if (bmax < dmax) {
            ++bmax;
            bd_.at(bmax + 1) = kBackwardFar;
        } else {
            --bmax;
        }
        const int joined =
            odd ? backwardSweep<false, kHeuristic>(bmin, bmax, fmin, fmax, xlo, ylo, bigSnake)
                : backwardSweep<true, kHeuristic>(bmin, bmax, fmin, fmax, xlo, ylo, bigSnake);
        if (joined != kNoDiagonal) {
            const int x = bd_.at(joined);
            return {x, x - joined, 2 * c};
        }

        if (kHeuristic && c > kHeuristicCost && bigSnake) {
            Split split{};
            if (forwardHeuristic(c, fmin, fmax, fmid, xlo, ylo, split) ||
                backwardHeuristic(c, bmin, bmax, bmid, xhi, yhi, split)) {
                return split;
            }
        }
        if (c >= costLimit_) {
            Split split{};
            if (furthestSplit(c, fmin, fmax, bmin, bmax, {xlo, xhi, ylo, yhi}, split)) {
                return split;
            }
        }
        // A step covers up to 2c diagonals: even an exact search of a huge
        // dissimilar pair looks at the flag many times a second.
        if (hooks_ != nullptr) {
            hooks_->checkpoint();
        }
    }
}

// The forward point that got furthest from the range's start, or the backward
// point that got furthest from its end, whichever covers more of the range:
// the part it covers has a known cheap path, and only the rest is searched
// again. Points outside the range or at its corners would split nothing.
template <typename Class>
bool Searcher<Class>::furthestSplit(int c, int fmin, int fmax, int bmin, int bmax,
                                    const Range& range, Split& split) const {
    const auto inside = [&](int x, int y) {
        return range.xlo <= x && x <= range.xhi && range.ylo <= y && y <= range.yhi &&
               !(x == range.xlo && y == range.ylo) && !(x == range.xhi && y == range.yhi);
    };
    long long best = 0;
    for (int d = fmax; d >= fmin; d -= 2) {
        const int x = fd_.at(d);
        const int y = x - d;
        const long long covered = static_cast<long long>(x) + y - range.xlo - range.ylo;
        if (covered > best && inside(x, y)) {
            best = covered;
            split = {x, y, 2 * c};
        }
    }
    for (int d = bmax; d >= bmin; d -= 2) {
        const int x = bd_.at(d);
        const int y = x - d;
        const long long covered = static_cast<long long>(range.xhi) + range.yhi - x - y;
        if (covered > best && inside(x, y)) {
            best = covered;
            split = {x, y, 2 * c};
        }
    }
    return best > 0;
}

// The forward diagonal that got furthest while staying near the middle, if it
// ends in a snake of at least kSnakeLimit lines. The range is split at that
// forward point: the backward array holds nothing meaningful there.
template <typename Class>
bool Searcher<Class>::forwardHeuristic(int c, int fmin, int fmax, int fmid, int xlo, int ylo,
                                       Split& split) const {
    long long best = 0;
    for (int d = fmax; d >= fmin; d -= 2) {
        const long long dd = d - fmid;
        const int x = fd_.at(d);
        const int y = x - d;
        const long long value = 2LL * x - dd;
        if (2LL * (x - xlo) - dd <= 12LL * (c + std::llabs(dd)) || value <= best ||
            x - xlo <= kSnakeLimit || y - ylo <= kSnakeLimit) {
            continue;
        }
        bool snake = true;
        for (int k = 1; k <= kSnakeLimit && snake; ++k) {
            snake = xv_[x - k] == yv_[y - k];
        }
        if (snake) {
            best = value;
            split = {x, y, 2 * c - 1};
        }
    }
    return best > 0;
}

template <typename Class>
bool Searcher<Class>::backwardHeuristic(int c, int bmin, int bmax, int bmid, int xhi, int yhi,
                                        Split& split) const {
    long long best = 0;
    for (int d = bmax; d >= bmin; d -= 2) {
        const long long dd = d - bmid;
        const int x = bd_.at(d);
        const int y = x - d;
        const long long value = 2LL * (xhi - x) + dd;
        if (value <= 12LL * (c + std::llabs(dd)) || value <= best || xhi - x <= kSnakeLimit ||
            yhi - y <= kSnakeLimit) {
            continue;
        }
        bool snake = true;
        for (int k = 0; k < kSnakeLimit && snake; ++k) {
            snake = xv_[x + k] == yv_[y + k];
        }
        if (snake) {
            best = value;
            split = {x, y, 2 * c - 1};
        }
    }
    return best > 0;
}

// Lines of both inputs that no pending range holds any more: the search's
// progress, reported about a thousand times over the whole search.
class SettledLines {
public:
    SettledLines(const RunHooks* hooks, long long total)
        : hooks_(hooks != nullptr && hooks->wantsProgress() ? hooks : nullptr), total_(total),
          step_(std::max(total / 1000, 1LL)) {}

    void add(long long lines) {
        settled_ += lines;
        if (hooks_ != nullptr && settled_ >= reported_ + step_) {
            reported_ = settled_;
            hooks_->advance(RunPhase::Search, static_cast<std::uint64_t>(settled_),
                            static_cast<std::uint64_t>(total_));
        }
    }

private:
    const RunHooks* hooks_;
    long long total_;
    long long step_;
    long long settled_ = 0;
    long long reported_ = 0;
};

template <typename Class>
bool searchWith(const SearchInput& input0, const SearchInput& input1, Searcher<Class>& searcher,
                const RunHooks* hooks, char* changed0, char* changed1) {
    const int* const X = input0.classes.data();
    const int* const Y = input1.classes.data();
    const int* const real0 = input0.realIndex.data();
    const int* const real1 = input1.realIndex.data();
    SettledLines settled(hooks, static_cast<long long>(input0.classes.size()) +
                                    static_cast<long long>(input1.classes.size()));

    // An explicit stack: with the heuristic or the cost limit, splits need not
    // halve the cost, and the depth could grow with the number of lines.
    std::vector<Range> pending;
    pending.reserve(64);
    pending.push_back(
        {0, static_cast<int>(input0.classes.size()), 0, static_cast<int>(input1.classes.size())});
    while (!pending.empty()) {
        auto [xlo, xhi, ylo, yhi] = pending.back();
        pending.pop_back();
        const long long size = static_cast<long long>(xhi - xlo) + (yhi - ylo);

        while (xlo < xhi && ylo < yhi && X[xlo] == Y[ylo]) {
            ++xlo;
            ++ylo;
        }
        while (xhi > xlo && yhi > ylo && X[xhi - 1] == Y[yhi - 1]) {
            --xhi;
            --yhi;
        }

        if (xlo == xhi) {
            for (int y = ylo; y < yhi; ++y) {
                changed1[real1[y]] = 1;
            }
            settled.add(size);
        } else if (ylo == yhi) {
            for (int x = xlo; x < xhi; ++x) {
                changed0[real0[x]] = 1;
            }
            settled.add(size);
        } else {
            const Split split = searcher.split(xlo, xhi, ylo, yhi);
            // Cost 1 means one range was empty, which was handled above; a
            // split at a corner or outside the range would never finish.
            const bool inside = xlo <= split.x && split.x <= xhi && ylo <= split.y &&
                                split.y <= yhi && !(split.x == xlo && split.y == ylo) &&
                                !(split.x == xhi && split.y == yhi);
            if (split.cost == 1 || !inside) {
                return false;
            }
            pending.push_back({split.x, xhi, split.y, yhi});
            pending.push_back({xlo, split.x, ylo, split.y});
            // The two halves hold all of the trimmed range.
            settled.add(size - (static_cast<long long>(xhi - xlo) + (yhi - ylo)));
        }
    }
    return true;
}

// Narrow copies of the classes keep more of both inputs in the nearest cache
// during the search; the vector step reads past the end of them.
template <typename Class>
bool searchNarrow(const SearchInput& input0, const SearchInput& input1,
                  const SearchOptions& options, char* changed0, char* changed1) {
    const std::size_t n0 = input0.classes.size();
    const std::size_t n1 = input1.classes.size();
    BulkVector<Class> x(n0 + 4, 0);
    BulkVector<Class> y(n1 + 4, 0);
    std::copy(input0.classes.begin(), input0.classes.end(), x.begin());
    std::copy(input1.classes.begin(), input1.classes.end(), y.begin());
    Searcher<Class> searcher(x.data(), n0, y.data(), n1, options);
    return searchWith(input0, input1, searcher, options.hooks, changed0, changed1);
}

int largestClass(const SearchInput& input) {
    return input.classes.empty() ? 0
                                 : *std::max_element(input.classes.begin(), input.classes.end());
}

} // namespace

bool searchChanges(const SearchInput& input0, const SearchInput& input1,
                   const SearchOptions& options, char* changed0, char* changed1) {
    const int largest = std::max(largestClass(input0), largestClass(input1));
    if (largest <= std::numeric_limits<std::uint8_t>::max()) {
        return searchNarrow<std::uint8_t>(input0, input1, options, changed0, changed1);
    }
    if (largest <= std::numeric_limits<std::uint16_t>::max()) {
        return searchNarrow<std::uint16_t>(input0, input1, options, changed0, changed1);
    }
    Searcher<int> searcher(input0.classes.data(), input0.classes.size(), input1.classes.data(),
                           input1.classes.size(), options);
    return searchWith(input0, input1, searcher, options.hooks, changed0, changed1);
}

int derivedCostLimit(long long lines) {
    // Ranges of up to some thousands of edits, which covers the ordinary
    // edits of a file, are searched exactly whatever the file's size.
    constexpr int kLeastLimit = 4096;
    const auto root = static_cast<long long>(std::sqrt(static_cast<double>(std::max(lines, 0LL))));
    return static_cast<int>(std::max<long long>(kLeastLimit, root));
}

} // namespace tandel
