#include "merge/replacing_file.h"

#include "merge/save.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tandel {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A link is replaced where it points, so the link itself survives the save.
std::string resolveLink(const std::string& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return target;
    }
    char* real = ::realpath(target.c_str(), nullptr);
    if (real == nullptr) {
        return target;
    }
    std::string resolved(real);
    std::free(real);
    return resolved;
}

} // namespace

ReplacingFile::~ReplacingFile() {
    discard();
}

bool ReplacingFile::open(const std::string& target) {
    discard();
    target_ = resolveLink(target);
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (target_.empty() || (exists && S_ISDIR(st.st_mode))) {
        return false;
    }
    const std::string folder = folderOf(target_);
    const std::string base = baseOf(target_);
    std::random_device random;
    // A very long base name may not fit the folder's name limit; a short one will.
    bool shortName = false;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        std::string name = shortName ? folder + "/.tandel." + suffix + ".tmp"
                                     : folder + "/." + base + "." + suffix + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            temp_ = std::move(name);
        } else if (errno == ENAMETOOLONG && !shortName) {
            shortName = true;
        } else if (errno != EEXIST) {
            return false;
        }
    }
    if (fd_ < 0) {
        return false;
    }
    if (exists) {
        // Keep who owns the file and who may read it; a failure only loses that detail.
        if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            errno = 0;
        }
        if (::fchmod(fd_, st.st_mode & 07777) != 0) {
            errno = 0;
        }
    }
    failed_ = false;
    buffer_.clear();
    return true;
}

bool ReplacingFile::flush() {
    std::size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            failed_ = true;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return !failed_;
}

bool ReplacingFile::write(std::string_view bytes) {
    if (fd_ < 0 || failed_) {
        return false;
    }
    buffer_.append(bytes);
    return buffer_.size() < kFlushSize || flush();
}

bool ReplacingFile::commit(bool backup, const std::vector<std::string>& keep) {
    if (fd_ < 0) {
        return false;
    }
    bool ok = flush() && ::fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok) {
        discard();
        return false;
    }
    const bool movedAside =
        backup && FileExists(target_) && MakeBackup(target_, keep) == 0 && !FileExists(target_);
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        if (movedAside) {
            // Put the old file back under its name.
            ::rename((target_ + ".bak").c_str(), target_.c_str());
        }
        discard();
        return false;
    }
    temp_.clear();
    return true;
}

void ReplacingFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    buffer_.clear();
}

} // namespace tandel
