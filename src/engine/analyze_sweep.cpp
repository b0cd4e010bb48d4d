#include "engine/analyze_sweep.h"

#include <algorithm>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#define TANDEL_SWEEP_AVX2 1
#include <immintrin.h>
#endif

namespace tandel {
namespace {

// Extends one forward point along its snake; returns the new x.
template <typename Class>
inline int followForward(const Class* X, const Class* Y, int x, int d, int limit) {
    while (x < limit && X[x] == Y[x - d]) {
        ++x;
    }
    return x;
}

template <typename Class>
inline int followBackward(const Class* X, const Class* Y, int x, int d, int limit) {
    while (x > limit && X[x - 1] == Y[x - 1 - d]) {
        --x;
    }
    return x;
}

template <typename Class> int forwardPortable(const SweepSpan<Class>& s, int xhi, int yhi, int k) {
    int longest = 0;
    for (int d = s.dlo + 2 * (k - s.klo); k <= s.khi; ++k, d += 2) {
        const int start = std::max(s.other[k] + 1, s.other[k + 1]);
        const int x = followForward(s.X, s.Y, start, d, std::min(xhi, yhi + d));
        longest = std::max(longest, x - start);
        s.own[k] = x;
    }
    return longest;
}

template <typename Class> int backwardPortable(const SweepSpan<Class>& s, int xlo, int ylo, int k) {
    int longest = 0;
    for (int d = s.dlo + 2 * (k - s.klo); k <= s.khi; ++k, d += 2) {
        const int start = std::min(s.other[k], s.other[k + 1] - 1);
        const int x = followBackward(s.X, s.Y, start, d, std::max(xlo, ylo + d));
        longest = std::max(longest, start - x);
        s.own[k] = x;
    }
    return longest;
}

#ifdef TANDEL_SWEEP_AVX2

// Lanes where `inside` is set and X[xi] == Y[yi]; other lanes read nothing.
template <typename Class>
__attribute__((target("avx2"))) inline __m256i firstEqual(const SweepSpan<Class>& s, __m256i xi,
                                                          __m256i yi, __m256i inside) {
    constexpr int kScale = sizeof(Class);
    const __m256i zero = _mm256_setzero_si256();
    const auto* const xbase = reinterpret_cast<const int*>(s.X);
    const auto* const ybase = reinterpret_cast<const int*>(s.Y);
    __m256i gx = _mm256_mask_i32gather_epi32(zero, xbase, xi, inside, kScale);
    __m256i gy = _mm256_mask_i32gather_epi32(zero, ybase, yi, inside, kScale);
    if constexpr (kScale < 4) {
        const __m256i low = _mm256_set1_epi32((1 << (8 * kScale)) - 1);
        gx = _mm256_and_si256(gx, low);
        gy = _mm256_and_si256(gy, low);
    }
    return _mm256_and_si256(inside, _mm256_cmpeq_epi32(gx, gy));
}

// Eight diagonals at a time: the step and the first comparison of every
// snake in vector registers. On costly inputs almost every snake is empty,
// so the scalar follow-up runs for few lanes.
template <typename Class>
__attribute__((target("avx2"))) int forwardAvx2(const SweepSpan<Class>& s, int xhi, int yhi) {
    const __m256i lanes = _mm256_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14);
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i vxhi = _mm256_set1_epi32(xhi);
    const __m256i vyhi = _mm256_set1_epi32(yhi);
    int longest = 0;
    int k = s.klo;
    for (; k + 8 <= s.khi + 1; k += 8) {
        const int d0 = s.dlo + 2 * (k - s.klo);
        const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s.other + k));
        const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s.other + k + 1));
        const __m256i x = _mm256_max_epi32(_mm256_add_epi32(lo, one), hi);
        const __m256i d = _mm256_add_epi32(_mm256_set1_epi32(d0), lanes);
        const __m256i limit = _mm256_min_epi32(vxhi, _mm256_add_epi32(vyhi, d));
        const __m256i inside = _mm256_cmpgt_epi32(limit, x);
        const __m256i equal = firstEqual(s, x, _mm256_sub_epi32(x, d), inside);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(s.own + k), x);
        unsigned mask = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(equal)));
        while (mask != 0) {
            const int lane = __builtin_ctz(mask);
            mask &= mask - 1;
            const int dl = d0 + 2 * lane;
            const int start = s.own[k + lane];
            const int end = followForward(s.X, s.Y, start + 1, dl, std::min(xhi, yhi + dl));
            longest = std::max(longest, end - start);
            s.own[k + lane] = end;
        }
    }
    return std::max(longest, forwardPortable(s, xhi, yhi, k));
}

template <typename Class>
__attribute__((target("avx2"))) int backwardAvx2(const SweepSpan<Class>& s, int xlo, int ylo) {
    const __m256i lanes = _mm256_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14);
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i vxlo = _mm256_set1_epi32(xlo);
    const __m256i vylo = _mm256_set1_epi32(ylo);
    int longest = 0;
    int k = s.klo;
    for (; k + 8 <= s.khi + 1; k += 8) {
        const int d0 = s.dlo + 2 * (k - s.klo);
        const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s.other + k));
        const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s.other + k + 1));
        const __m256i x = _mm256_min_epi32(lo, _mm256_sub_epi32(hi, one));
        const __m256i d = _mm256_add_epi32(_mm256_set1_epi32(d0), lanes);
        const __m256i limit = _mm256_max_epi32(vxlo, _mm256_add_epi32(vylo, d));
        const __m256i inside = _mm256_cmpgt_epi32(x, limit);
        const __m256i before = _mm256_sub_epi32(x, one);
        const __m256i equal = firstEqual(s, before, _mm256_sub_epi32(before, d), inside);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(s.own + k), x);
        unsigned mask = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(equal)));
        while (mask != 0) {
            const int lane = __builtin_ctz(mask);
            mask &= mask - 1;
            const int dl = d0 + 2 * lane;
            const int start = s.own[k + lane];
            const int end = followBackward(s.X, s.Y, start - 1, dl, std::max(xlo, ylo + dl));
            longest = std::max(longest, start - end);
            s.own[k + lane] = end;
        }
    }
    return std::max(longest, backwardPortable(s, xlo, ylo, k));
}

bool haveAvx2() {
    return __builtin_cpu_supports("avx2");
}

#endif

} // namespace

template <typename Class> int forwardStep(const SweepSpan<Class>& span, int xhi, int yhi) {
#ifdef TANDEL_SWEEP_AVX2
    if (haveAvx2()) {
        return forwardAvx2(span, xhi, yhi);
    }
#endif
    return forwardPortable(span, xhi, yhi, span.klo);
}

template <typename Class> int backwardStep(const SweepSpan<Class>& span, int xlo, int ylo) {
#ifdef TANDEL_SWEEP_AVX2
    if (haveAvx2()) {
        return backwardAvx2(span, xlo, ylo);
    }
#endif
    return backwardPortable(span, xlo, ylo, span.klo);
}

template int forwardStep(const SweepSpan<std::uint8_t>&, int, int);
template int forwardStep(const SweepSpan<std::uint16_t>&, int, int);
template int forwardStep(const SweepSpan<int>&, int, int);
template int backwardStep(const SweepSpan<std::uint8_t>&, int, int);
template int backwardStep(const SweepSpan<std::uint16_t>&, int, int);
template int backwardStep(const SweepSpan<int>&, int, int);

} // namespace tandel
