#include "base/input_text.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tandel {

IoStatus FileSystem::readInputText(const std::string& path, std::size_t spare, InputText& out) {
    InputBytes bytes;
    const IoStatus read = readInput(path, spare, bytes);
    out.adopt(std::move(bytes));
    return read;
}

IoStatus openInputText(const std::string& path, std::uint64_t limit, std::size_t spare,
                       std::atomic<bool>* faultFlag, InputText& out, std::uint64_t mapFrom) {
    out = InputText();
    if (path.empty())
        return IoStatus::failure(ENOENT);
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return IoStatus::failure(errno);
    FileStatus status;
    IoStatus result = statusOfOpen(fd, status);
    if (result.ok() && status.isRegular() && status.size <= limit && status.size > 0 &&
        status.size >= mapFrom) {
        result = mapInput(fd, status, spare, faultFlag, out.mapped_);
        // A file that cannot be mapped, or that changed on the way, is read.
        if (!result.ok())
            result = readOpenInput(fd, limit, spare, out.read_);
    } else if (result.ok()) {
        result = readOpenInput(fd, limit, spare, out.read_);
    }
    ::close(fd);
    return result;
}

} // namespace tandel
