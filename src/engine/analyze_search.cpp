// Shortest edit script by divide and conquer: a search from both ends of a
// range for a middle snake splits it into two ranges of half the cost each.
#include "engine/analyze_stages.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <memory>

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

class Searcher {
public:
    Searcher(const SearchInput& input0, const SearchInput& input1, bool heuristic)
        : xv_(input0.classes.data()), yv_(input1.classes.data()), heuristic_(heuristic),
          diagonals_(input0.classes.size() + input1.classes.size() + 3),
          offset_(input1.classes.size() + 1) {}

    Split split(int xlo, int xhi, int ylo, int yhi) {
        // Every entry is written before it is read, so the arrays need no
        // clearing; and inputs that pair up after discarding never need them.
        if (!forwardStore_) {
            forwardStore_ = std::make_unique_for_overwrite<int[]>(diagonals_);
            backwardStore_ = std::make_unique_for_overwrite<int[]>(diagonals_);
            // Diagonals run from -(n1 + 1) to n0 + 1.
            fd_ = forwardStore_.get() + offset_;
            bd_ = backwardStore_.get() + offset_;
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

    const int* xv_;
    const int* yv_;
    bool heuristic_;
    std::size_t diagonals_;
    std::size_t offset_;
    std::unique_ptr<int[]> forwardStore_;
    std::unique_ptr<int[]> backwardStore_;
    int* fd_ = nullptr; // furthest x reached forwards, by diagonal x - y
    int* bd_ = nullptr; // smallest x reached backwards, by diagonal
};

// Extends the furthest forward point of every diagonal d in [fmin, fmax] of
// one parity by one edit and the snake after it. Returns the first diagonal
// that meets the backward search, or kNoDiagonal.
template <bool kCheck, bool kTrackSnakes>
int Searcher::forwardSweep(int fmin, int fmax, int bmin, int bmax, int xhi, int yhi,
                           bool& bigSnake) {
    const int* const X = xv_;
    const int* const Y = yv_;
    int* const fd = fd_;
    const int* const bd = bd_;
    for (int d = fmax; d >= fmin; d -= 2) {
        const int lo = fd[d - 1];
        const int hi = fd[d + 1];
        int x = lo >= hi ? lo + 1 : hi;
        const int start = x;
        // y = x - d stays below yhi while x stays below yhi + d.
        const int limit = std::min(xhi, yhi + d);
        while (x < limit && X[x] == Y[x - d]) {
            ++x;
        }
        if constexpr (kTrackSnakes) {
            bigSnake |= x - start > kSnakeLimit;
        }
        fd[d] = x;
        if constexpr (kCheck) {
            if (bmin <= d && d <= bmax && bd[d] <= x) {
                return d;
            }
        }
    }
    return kNoDiagonal;
}

template <bool kCheck, bool kTrackSnakes>
int Searcher::backwardSweep(int bmin, int bmax, int fmin, int fmax, int xlo, int ylo,
                            bool& bigSnake) {
    const int* const X = xv_;
    const int* const Y = yv_;
    const int* const fd = fd_;
    int* const bd = bd_;
    for (int d = bmax; d >= bmin; d -= 2) {
        const int lo = bd[d - 1];
        const int hi = bd[d + 1];
        int x = lo < hi ? lo : hi - 1;
        const int start = x;
        const int limit = std::max(xlo, ylo + d);
        while (x > limit && X[x - 1] == Y[x - 1 - d]) {
            --x;
        }
        if constexpr (kTrackSnakes) {
            bigSnake |= start - x > kSnakeLimit;
        }
        bd[d] = x;
        if constexpr (kCheck) {
            if (fmin <= d && d <= fmax && x <= fd[d]) {
                return d;
            }
        }
    }
    return kNoDiagonal;
}

template <bool kHeuristic> Split Searcher::middleSnake(int xlo, int xhi, int ylo, int yhi) {
    int* const fd = fd_;
    int* const bd = bd_;
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
    fd[fmid] = xlo;
    bd[bmid] = xhi;

    for (int c = 1;; ++c) {
        bool bigSnake = false;

        if (fmin > dmin) {
            --fmin;
            fd[fmin - 1] = -1;
        } else {
            ++fmin;
        }
        if (fmax < dmax) {
            ++fmax;
            fd[fmax + 1] = -1;
        } else {
            --fmax;
        }
        const int met =
            odd ? forwardSweep<true, kHeuristic>(fmin, fmax, bmin, bmax, xhi, yhi, bigSnake)
                : forwardSweep<false, kHeuristic>(fmin, fmax, bmin, bmax, xhi, yhi, bigSnake);
        if (met != kNoDiagonal) {
            return {bd[met], bd[met] - met, 2 * c - 1};
        }

        if (bmin > dmin) {
            --bmin;
            bd[bmin - 1] = kBackwardFar;
        } else {
            ++bmin;
        }
        if (bmax < dmax) {
            ++bmax;
            bd[bmax + 1] = kBackwardFar;
        } else {
            --bmax;
        }
        const int joined =
            odd ? backwardSweep<false, kHeuristic>(bmin, bmax, fmin, fmax, xlo, ylo, bigSnake)
                : backwardSweep<true, kHeuristic>(bmin, bmax, fmin, fmax, xlo, ylo, bigSnake);
        if (joined != kNoDiagonal) {
            return {bd[joined], bd[joined] - joined, 2 * c};
        }

        if (kHeuristic && c > kHeuristicCost && bigSnake) {
            Split split{};
            if (forwardHeuristic(c, fmin, fmax, fmid, xlo, ylo, split) ||
                backwardHeuristic(c, bmin, bmax, bmid, xhi, yhi, split)) {
                return split;
            }
        }
    }
}

// The forward diagonal that got furthest while staying near the middle, if it
// ends in a snake of at least kSnakeLimit lines. The range is split at that
// forward point: the backward array holds nothing meaningful there.
bool Searcher::forwardHeuristic(int c, int fmin, int fmax, int fmid, int xlo, int ylo,
                                Split& split) const {
    long long best = 0;
    for (int d = fmax; d >= fmin; d -= 2) {
        const long long dd = d - fmid;
        const int x = fd_[d];
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

bool Searcher::backwardHeuristic(int c, int bmin, int bmax, int bmid, int xhi, int yhi,
                                 Split& split) const {
    long long best = 0;
    for (int d = bmax; d >= bmin; d -= 2) {
        const long long dd = d - bmid;
        const int x = bd_[d];
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

} // namespace

bool searchChanges(const SearchInput& input0, const SearchInput& input1, bool heuristic,
                   char* changed0, char* changed1) {
    const int* const X = input0.classes.data();
    const int* const Y = input1.classes.data();
    const int* const real0 = input0.realIndex.data();
    const int* const real1 = input1.realIndex.data();
    Searcher searcher(input0, input1, heuristic);

    // An explicit stack: with the heuristic, splits need not halve the cost,
    // and the depth could grow with the number of lines.
    std::vector<Range> pending;
    pending.reserve(64);
    pending.push_back(
        {0, static_cast<int>(input0.classes.size()), 0, static_cast<int>(input1.classes.size())});
    while (!pending.empty()) {
        auto [xlo, xhi, ylo, yhi] = pending.back();
        pending.pop_back();

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
        } else if (ylo == yhi) {
            for (int x = xlo; x < xhi; ++x) {
                changed0[real0[x]] = 1;
            }
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
        }
    }
    return true;
}

} // namespace tandel
