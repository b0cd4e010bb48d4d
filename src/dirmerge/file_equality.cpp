#include "dirmerge/file_equality.h"

namespace tandel {

bool sameStamps(const DirEntry& left, const DirEntry& right) {
    return left.size == right.size && left.writeTime == right.writeTime &&
           left.creationTime == right.creationTime;
}

int filesEqual(const DirEntry& left, const std::string& leftPath, const DirEntry& right,
               const std::string& rightPath, const PairComparer& compare) {
    if (sameStamps(left, right))
        return 1;
    if (!compare)
        return 0;
    // A failed comparison counts as different, never as equal.
    return compare(leftPath, rightPath) == 1 ? 1 : 0;
}

} // namespace tandel
