#include "app/open_windows.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <vector>

namespace tandel::ui {

namespace {

struct Entry {
    int pid = 0;
    Rect rect;
};

bool running(int pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// The file opened and locked for the time of one change.
class LockedFile {
public:
    explicit LockedFile(const std::string& path)
        : fd_(path.empty()
                  ? -1
                  : ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
        // In a shared folder such as /tmp, a file someone else made (or
        // anything but a plain file) is left alone.
        struct stat status {};
        if (fd_ >= 0 && (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) ||
                         status.st_uid != ::geteuid() || ::flock(fd_, LOCK_EX) != 0)) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~LockedFile() {
        if (fd_ >= 0) {
            ::close(fd_); // drops the lock
        }
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool open() const { return fd_ >= 0; }

    // The lines of running processes other than `self`.
    std::vector<Entry> read(int self) const {
        std::string text;
        char buffer[4096];
        ssize_t got = 0;
        ::lseek(fd_, 0, SEEK_SET);
        while ((got = ::read(fd_, buffer, sizeof buffer)) > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
        std::vector<Entry> entries;
        std::istringstream lines(text);
        Entry e;
        while (lines >> e.pid >> e.rect.x >> e.rect.y >> e.rect.width >> e.rect.height) {
            if (e.pid != self && running(e.pid)) {
                entries.push_back(e);
            }
        }
        return entries;
    }

    void write(const std::vector<Entry>& entries) const {
        std::ostringstream out;
        for (const Entry& e : entries) {
            out << e.pid << ' ' << e.rect.x << ' ' << e.rect.y << ' ' << e.rect.width << ' '
                << e.rect.height << '\n';
        }
        const std::string text = out.str();
        if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) {
            return;
        }
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t put = ::write(fd_, text.data() + done, text.size() - done);
            if (put <= 0) {
                return; // a lost record only costs the cascade
            }
            done += static_cast<std::size_t>(put);
        }
    }

private:
    int fd_;
};

} // namespace

Rect OpenWindows::claim(int pid,
                        const std::function<Rect(std::optional<Rect> newest)>& place) const {
    const LockedFile file(path_);
    if (!file.open()) {
        return place(std::nullopt);
    }
    std::vector<Entry> entries = file.read(pid);
    const Rect mine =
        place(entries.empty() ? std::nullopt : std::optional<Rect>(entries.back().rect));
    entries.push_back({pid, mine});
    file.write(entries);
    return mine;
}

void OpenWindows::forget(int pid) const {
    const LockedFile file(path_);
    if (file.open()) {
        file.write(file.read(pid));
    }
}

std::string openWindowsPath(const char* runtimeDir, unsigned userId) {
    if (runtimeDir != nullptr && *runtimeDir == '/') {
        return std::string(runtimeDir) + "/tandel-windows";
    }
    return "/tmp/tandel-windows-" + std::to_string(userId);
}

} // namespace tandel::ui
