#include "dirmerge/file_equality.h"

#include <cstring>
#include <memory>
#include <vector>

namespace tandel {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;

PairVerdict unreadable(IoStatus left, IoStatus right) {
    return {Sameness::Unreadable, left, right};
}

// Reads until `buffer` is full or the input ends; `got` says how far it came.
IoStatus fill(FileReader& reader, std::vector<char>& buffer, std::size_t& got) {
    got = 0;
    while (got < buffer.size()) {
        std::size_t n = 0;
        const IoStatus read = reader.read(buffer.data() + got, buffer.size() - got, n);
        if (!read.ok())
            return read;
        if (n == 0)
            break;
        got += n;
    }
    return {};
}

} // namespace

PairVerdict compareContents(FileSystem& files, const std::string& leftPath,
                            const std::string& rightPath) {
    std::unique_ptr<FileReader> a;
    std::unique_ptr<FileReader> b;
    const IoStatus openedA = files.openReader(leftPath, a);
    const IoStatus openedB = files.openReader(rightPath, b);
    if (!openedA.ok() || !openedB.ok())
        return unreadable(openedA, openedB);
    std::vector<char> x(kChunk);
    std::vector<char> y(kChunk);
    for (;;) {
        std::size_t gotX = 0;
        std::size_t gotY = 0;
        const IoStatus readA = fill(*a, x, gotX);
        const IoStatus readB = fill(*b, y, gotY);
        if (!readA.ok() || !readB.ok())
            return unreadable(readA, readB);
        if (gotX != gotY || std::memcmp(x.data(), y.data(), gotX) != 0)
            return {};
        if (gotX < kChunk)
            return {Sameness::Equal, {}, {}};
    }
}

bool sameSizeAndTime(const DirEntry& left, const DirEntry& right) {
    return left.size == right.size && left.writeTime == right.writeTime;
}

PairVerdict comparePair(FileSystem& files, const DirEntry& left, const std::string& leftPath,
                        const DirEntry& right, const std::string& rightPath, bool trustTimeStamps) {
    if (left.unreadable() || right.unreadable())
        return unreadable(left.problem, right.problem);
    if (left.isLink() || right.isLink()) {
        const bool same = left.isLink() && right.isLink() && left.linkTarget == right.linkTarget;
        return {same ? Sameness::Equal : Sameness::Different, {}, {}};
    }
    // A pipe would block and a device never end: neither is opened.
    if (!left.isRegular() || !right.isRegular() || left.size != right.size)
        return {};
    if (trustTimeStamps && sameSizeAndTime(left, right))
        return {Sameness::Equal, {}, {}};
    return compareContents(files, leftPath, rightPath);
}

bool contentsDecide(const DirEntry& left, const DirEntry& right, bool trustTimeStamps) {
    return !left.unreadable() && !right.unreadable() && !left.isLink() && !right.isLink() &&
           left.isRegular() && right.isRegular() && left.size == right.size &&
           !(trustTimeStamps && sameSizeAndTime(left, right));
}

} // namespace tandel
