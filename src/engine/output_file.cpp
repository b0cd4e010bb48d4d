#include "engine/output_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tandel {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

bool writeAll(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

OutputFile::~OutputFile() {
    close();
}

bool OutputFile::open(const std::string& name, bool truncate) {
    close();
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : O_APPEND);
    do {
        descriptor_ = ::open(name.c_str(), flags, 0666);
    } while (descriptor_ < 0 && errno == EINTR);
    failed_ = false;
    buffer_.clear();
    if (descriptor_ >= 0)
        buffer_.reserve(kBufferSize);
    return descriptor_ >= 0;
}

void OutputFile::write(std::string_view text) {
    if (descriptor_ < 0)
        return;
    if (buffer_.size() + text.size() > kBufferSize) {
        flush();
        if (text.size() > kBufferSize) {
            failed_ = failed_ || !writeAll(descriptor_, text.data(), text.size());
            return;
        }
    }
    buffer_.insert(buffer_.end(), text.begin(), text.end());
}

void OutputFile::flush() {
    if (descriptor_ < 0 || buffer_.empty())
        return;
    failed_ = failed_ || !writeAll(descriptor_, buffer_.data(), buffer_.size());
    buffer_.clear();
}

bool OutputFile::close() {
    if (descriptor_ < 0)
        return true;
    flush();
    const bool closed = ::close(descriptor_) == 0;
    descriptor_ = -1;
    const bool ok = closed && !failed_;
    failed_ = false;
    return ok;
}

} // namespace tandel
