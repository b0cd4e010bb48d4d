#include "dirmerge/file_equality.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace tandel {

bool sameStamps(const DirEntry& left, const DirEntry& right) {
    return left.size == right.size && left.writeTime == right.writeTime &&
           left.creationTime == right.creationTime;
}

namespace {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ReadOnlyFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    bool ok() const { return fd_ >= 0; }

    // Fills `buffer` as far as the file goes; -1 on a read error.
    long fill(std::vector<char>& buffer) {
        std::size_t got = 0;
        while (got < buffer.size()) {
            const ssize_t n = ::read(fd_, buffer.data() + got, buffer.size() - got);
            if (n == 0)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return -1;
            }
            got += static_cast<std::size_t>(n);
        }
        return static_cast<long>(got);
    }

private:
    int fd_;
};

} // namespace

bool sameBytes(const std::string& leftPath, const std::string& rightPath, std::uint64_t size) {
    ReadOnlyFile a(leftPath);
    ReadOnlyFile b(rightPath);
    if (!a.ok() || !b.ok())
        return false;
    const std::size_t chunk = 1 << 16;
    std::vector<char> x(static_cast<std::size_t>(std::min<std::uint64_t>(size, chunk)));
    std::vector<char> y(x.size());
    for (std::uint64_t left = size; left > 0;) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk));
        x.resize(want);
        y.resize(want);
        // A short read means the file shrank since it was listed: not provably equal.
        if (a.fill(x) != static_cast<long>(want) || b.fill(y) != static_cast<long>(want) ||
            std::memcmp(x.data(), y.data(), want) != 0)
            return false;
        left -= want;
    }
    return true;
}

int filesEqual(const DirEntry& left, const std::string& leftPath, const DirEntry& right,
               const std::string& rightPath, const PairComparer& compare) {
    // Only two regular files can be equal: a pipe or a device is never
    // opened, and an entry of unknown status proves nothing.
    if (!left.isRegular() || !right.isRegular())
        return 0;
    if (sameStamps(left, right))
        return 1;
    if (left.size == right.size && sameBytes(leftPath, rightPath, left.size))
        return 1;
    if (!compare)
        return 0;
    // A failed comparison counts as different, never as equal.
    return compare(leftPath, rightPath) == 1 ? 1 : 0;
}

} // namespace tandel
