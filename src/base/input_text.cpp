#include "base/input_text.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tandel {

IoStatus openInputText(const std::string& path, std::uint64_t limit, std::size_t spare,
                       std::atomic<bool>* faultFlag, InputText& out) {
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
    if (result.ok() && status.isRegular() && status.size <= limit && status.size > 0) {
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
