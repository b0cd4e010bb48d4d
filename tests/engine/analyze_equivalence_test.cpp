#include "engine/analyze.h"
#include "engine/analyze_sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace tandel {
namespace {

std::vector<int> randomClasses(std::mt19937& rng, int count, int distinct) {
    std::uniform_int_distribution<int> pick(1, distinct);
    std::vector<int> classes(static_cast<std::size_t>(count));
    for (int& c : classes)
        c = pick(rng);
    return classes;
}

std::vector<int> shifted(std::vector<int> classes, int by) {
    for (int& c : classes)
        c += by;
    return classes;
}

// The search stores classes in 8, 16 or 32 bits depending on the largest one;
// renumbering them must not change a single change of the script.
TEST(AnalyzeEquivalenceTest, ClassWidthDoesNotChangeTheScript) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 60; ++round) {
        const int distinct = round % 3 == 0 ? 3 : round % 3 == 1 ? 40 : 200;
        const int n0 = static_cast<int>(rng() % 900);
        const int n1 = static_cast<int>(rng() % 900);
        const std::vector<int> a = randomClasses(rng, n0, distinct);
        const std::vector<int> b = randomClasses(rng, n1, distinct);
        for (const bool heuristic : {false, true}) {
            EditScript narrow;
            ASSERT_TRUE(computeEditScript(a, b, distinct + 1, {.heuristic = heuristic}, narrow));
            for (const int by : {1000, 100000}) {
                EditScript wide;
                ASSERT_TRUE(computeEditScript(shifted(a, by), shifted(b, by), distinct + by + 1,
                                              {.heuristic = heuristic}, wide));
                EXPECT_EQ(narrow, wide) << "round " << round << " shift " << by;
            }
        }
    }
}

// One step written the plain way, as the search defines it.
struct Reference {
    std::vector<int> own;
    int longest = 0;
};

template <typename Class>
Reference plainStep(const SweepSpan<Class>& s, bool forward, int xbound, int ybound) {
    Reference r{std::vector<int>(s.own, s.own + s.khi + 1), 0};
    for (int k = s.klo, d = s.dlo; k <= s.khi; ++k, d += 2) {
        if (forward) {
            const int start = std::max(s.other[k] + 1, s.other[k + 1]);
            int x = start;
            while (x < std::min(xbound, ybound + d) && s.X[x] == s.Y[x - d])
                ++x;
            r.own[static_cast<std::size_t>(k)] = x;
            r.longest = std::max(r.longest, x - start);
        } else {
            const int start = std::min(s.other[k], s.other[k + 1] - 1);
            int x = start;
            while (x > std::max(xbound, ybound + d) && s.X[x - 1] == s.Y[x - 1 - d])
                --x;
            r.own[static_cast<std::size_t>(k)] = x;
            r.longest = std::max(r.longest, start - x);
        }
    }
    return r;
}

// Random frontiers over the whole square, with every lane count of the last
// block and snakes that end at the range bounds.
template <typename Class> void checkSteps(int distinct) {
    std::mt19937 rng(static_cast<unsigned>(distinct));
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + static_cast<int>(rng() % 60);
        std::vector<Class> x(static_cast<std::size_t>(n) + 4, 0);
        std::vector<Class> y(static_cast<std::size_t>(n) + 4, 0);
        for (int i = 0; i < n; ++i) {
            x[static_cast<std::size_t>(i)] =
                static_cast<Class>(1 + rng() % static_cast<unsigned>(distinct));
            y[static_cast<std::size_t>(i)] =
                static_cast<Class>(1 + rng() % static_cast<unsigned>(distinct));
        }
        const bool forward = round % 2 == 0;
        // Points on diagonal d have max(0, d) <= x <= min(n, n + d); the
        // neighbours of every slot lie within -n .. n.
        const int dlo = -n + 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
        const int count =
            1 + static_cast<int>(rng() % static_cast<unsigned>((n - 1 - dlo) / 2 + 1));
        std::vector<int> other(static_cast<std::size_t>(count) + 1);
        for (int k = 0; k <= count; ++k) {
            const int d = dlo - 1 + 2 * k;
            const int low = std::max(0, d);
            const int high = std::min(n, n + d);
            other[static_cast<std::size_t>(k)] =
                low + static_cast<int>(rng() % static_cast<unsigned>(high - low + 1));
        }
        std::vector<int> own(static_cast<std::size_t>(count), -7);
        const SweepSpan<Class> span{x.data(), y.data(),  own.data(), other.data(),
                                    0,        count - 1, dlo};
        const int xbound = forward ? n : 0;
        const Reference expected = plainStep(span, forward, xbound, xbound);
        const int longest = forward ? forwardStep(span, n, n) : backwardStep(span, 0, 0);
        EXPECT_EQ(own, expected.own) << "round " << round;
        EXPECT_EQ(longest, expected.longest) << "round " << round;
    }
}

TEST(AnalyzeEquivalenceTest, StepsMatchThePlainDefinitionForEveryClassWidth) {
    checkSteps<std::uint8_t>(2);
    checkSteps<std::uint8_t>(250);
    checkSteps<std::uint16_t>(3);
    checkSteps<int>(2);
}

} // namespace
} // namespace tandel
