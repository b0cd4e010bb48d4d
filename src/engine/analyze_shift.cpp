// Boundary shifting: among equally short scripts, prefer the one whose runs of
// changed lines sit as late as equal lines allow, so that a repeated line is
// reported where it was added rather than at its first copy.
#include "engine/analyze_stages.h"

namespace tandel {

void shiftBoundaries(std::span<const int> classes, char* changed, const char* otherChanged) {
    const int n = static_cast<int>(classes.size());
    const int* const cls = classes.data();
    int i = 0;
    int j = 0;
    int preceding = -1;
    int otherPreceding = -1;
    for (;;) {
        // Over paired lines; the other input's changed lines in between count
        // as the end of the previous run.
        while (i < n && !changed[i]) {
            while (otherChanged[j++]) {
                otherPreceding = j;
            }
            ++i;
        }
        if (i == n) {
            return;
        }

        int start = i;
        const int otherStart = j;
        int end = i;
        for (;;) {
            while (i < n && changed[i]) {
                ++i;
            }
            end = i;
            // Sliding next to the previous run or to changes of the other
            // input would join what the search kept apart.
            const bool slide = end != n && cls[start] == cls[end] && !otherChanged[j] &&
                               !(preceding >= 0 && start == preceding) &&
                               !(otherPreceding >= 0 && otherStart == otherPreceding);
            if (!slide) {
                break;
            }
            changed[end++] = 1;
            changed[start++] = 0;
            ++i;
            ++j;
        }
        preceding = end;
        otherPreceding = j;
    }
}

} // namespace tandel
