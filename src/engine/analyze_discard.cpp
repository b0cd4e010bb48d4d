// Discarding keeps lines that cannot pair, and long stretches of lines that
// would pair almost anywhere, out of the search: both only make it slower.
#include "engine/analyze_stages.h"

#include <cstddef>

namespace tandel {
namespace {

// Doubles `base` once for every factor of 4 by which `value` can be divided
// while staying above 0.
int scaleByQuarters(int base, int value) {
    for (int rest = value; (rest /= 4) > 0;) {
        base *= 2;
    }
    return base;
}

BulkVector<int> countClasses(std::span<const int> classes, int classLimit) {
    BulkVector<int> counts(static_cast<std::size_t>(classLimit), 0);
    for (int c : classes) {
        ++counts[static_cast<std::size_t>(c)];
    }
    return counts;
}

BulkVector<char> provisionalMarks(std::span<const int> classes,
                                  const BulkVector<int>& otherCounts) {
    const int n = static_cast<int>(classes.size());
    const int many = scaleByQuarters(5, n / 64);
    BulkVector<char> marks(classes.size(), kKeep);
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const int matches = otherCounts[static_cast<std::size_t>(classes[i])];
        if (matches == 0) {
            marks[i] = kNoPartner;
        } else if (matches > many) {
            marks[i] = kTooFrequent;
        }
    }
    return marks;
}

// Walks one end of a run inwards (`step` +1 from the first line, -1 from the
// last): frequent lines near the edge of a run are kept, so that the run does
// not swallow lines that pair with their neighbours.
void releaseRunEdge(char* first, int length, int step) {
    int unpaired = 0;
    for (int j = 0; j < length; ++j) {
        char& mark = first[j * step];
        if (j >= 8 && mark == kNoPartner) {
            break;
        }
        if (mark == kTooFrequent) {
            mark = kKeep;
            unpaired = 0;
        } else if (mark == kKeep) {
            unpaired = 0;
        } else if (++unpaired == 3) {
            break;
        }
    }
}

// Settles the provisional marks of the run [start, end), which begins with a
// line that has no partner and has no provisional mark at its end.
void settleRun(char* marks, int start, int end, int provisional) {
    const int length = end - start;
    if (provisional * 4 > length) {
        for (int i = start; i < end; ++i) {
            if (marks[i] == kTooFrequent) {
                marks[i] = kKeep;
            }
        }
        return;
    }
    // Long stretches of frequent lines are likely real matches: keep them.
    const int minimum = scaleByQuarters(1, length / 4) + 1;
    for (int i = start; i < end;) {
        if (marks[i] != kTooFrequent) {
            ++i;
            continue;
        }
        int stretchEnd = i;
        while (stretchEnd < end && marks[stretchEnd] == kTooFrequent) {
            ++stretchEnd;
        }
        if (stretchEnd - i >= minimum) {
            for (int k = i; k < stretchEnd; ++k) {
                marks[k] = kKeep;
            }
        }
        i = stretchEnd;
    }
    releaseRunEdge(marks + start, length, 1);
    releaseRunEdge(marks + end - 1, length, -1);
}

// Only provisional marks inside a run of discardable lines survive.
void settleProvisionalMarks(BulkVector<char>& marks) {
    char* m = marks.data();
    const int n = static_cast<int>(marks.size());
    for (int i = 0; i < n; ++i) {
        if (m[i] == kTooFrequent) {
            m[i] = kKeep;
            continue;
        }
        if (m[i] == kKeep) {
            continue;
        }
        int end = i;
        int provisional = 0;
        while (end < n && m[end] != kKeep) {
            provisional += m[end] == kTooFrequent;
            ++end;
        }
        while (m[end - 1] == kTooFrequent) {
            m[--end] = kKeep;
            --provisional;
        }
        settleRun(m, i, end, provisional);
        i = end - 1;
    }
}

} // namespace

DiscardMarks markDiscards(std::span<const int> classes0, std::span<const int> classes1,
                          int classLimit) {
    const BulkVector<int> counts0 = countClasses(classes0, classLimit);
    const BulkVector<int> counts1 = countClasses(classes1, classLimit);
    DiscardMarks result{provisionalMarks(classes0, counts1), provisionalMarks(classes1, counts0)};
    settleProvisionalMarks(result.marks0);
    settleProvisionalMarks(result.marks1);
    return result;
}

} // namespace tandel
