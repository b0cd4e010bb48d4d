// One cost step of the middle-snake search over the diagonals of one parity,
// with a vector version for processors that have it.
#pragma once

namespace tandel {

// The diagonals of one parity are stored contiguously: slot k holds diagonal
// dlo + 2 * (k - klo). `other` is the other parity's array, shifted so that
// other[k] and other[k + 1] are the neighbours d - 1 and d + 1 of slot k.
template <typename Class> struct SweepSpan {
    const Class* X;
    const Class* Y;
    int* own;
    const int* other;
    int klo;
    int khi;
    int dlo;
};

// Forward step: every slot gets the furthest x reachable with one more edit,
// followed along its snake while x < min(xhi, yhi + d). Returns the length
// of the longest snake followed.
// Classes may be stored narrower than int; the vector version reads four
// bytes at every narrow class, so such arrays need three bytes after the end.
template <typename Class> int forwardStep(const SweepSpan<Class>& span, int xhi, int yhi);

// Backward step: the smallest x, followed back while x > max(xlo, ylo + d).
template <typename Class> int backwardStep(const SweepSpan<Class>& span, int xlo, int ylo);

} // namespace tandel
