#include "dirmerge/file_copy.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tandel {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool copyBytes(int in, int out) {
    std::vector<char> buffer(1 << 17);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (!writeAll(out, buffer.data(), static_cast<std::size_t>(n)))
            return false;
    }
}

std::string temporaryBeside(const std::string& target) {
    const auto slash = target.rfind('/');
    const std::string dir =
        slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    // A short fixed name: the target's own name may already be at the length limit.
    return dir + (dir.back() == '/' ? "" : "/") + ".tandel-copy-XXXXXX";
}

} // namespace

int copyFileReplacing(const std::string& source, const std::string& target) {
    Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return -1;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    std::string temp = temporaryBeside(target);
    Descriptor out(::mkstemp(temp.data()));
    if (out.get() < 0)
        return -1;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    const bool written =
        copyBytes(in.get(), out.get()) && ::fchmod(out.get(), st.st_mode & 07777) == 0;
    // Times are best effort: a file system that refuses them still gets the copy.
    if (written)
        ::futimens(out.get(), times);
    const bool closed = ::close(out.release()) == 0;
    if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return -1;
    }
    return 0;
}

} // namespace tandel
