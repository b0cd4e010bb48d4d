#include "merge/result_copy.h"

#include "merge/command_ids.h"
#include "merge/frame.h"
#include "merge/replacing_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tandel {

namespace {

bool copyBytes(const std::string& source, ReplacingFile& out) {
    const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    char chunk[1 << 16];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (!out.write(std::string_view(chunk, static_cast<std::size_t>(n)))) {
            ok = false;
            break;
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

int CopyResultFile(Frame& frame, const std::string& source, const std::string& requested,
                   const std::vector<std::string>& keep) {
    struct stat from {};
    if (::stat(source.c_str(), &from) != 0) {
        frame.message(Severity::Error, "Can not open " + source);
        return 1;
    }
    std::string target = requested;
    struct stat to {};
    if (::stat(target.c_str(), &to) == 0 && S_ISDIR(to.st_mode)) {
        const std::size_t slash = source.rfind('/');
        const std::string name = slash == std::string::npos ? source : source.substr(slash + 1);
        target = (target.back() == '/' ? target : target + "/") + name;
    }
    if (::stat(target.c_str(), &to) == 0) {
        if (to.st_dev == from.st_dev && to.st_ino == from.st_ino) {
            return 0;
        }
        if (S_ISDIR(to.st_mode)) {
            frame.message(Severity::Error,
                          target + ": cannot overwrite directory with non-directory");
            return 1;
        }
        const int answer = frame.askYesNoCancel(
            "Confirm file operation",
            "Destination file " + target + " already exists.\nReplace it with " + source + " ?");
        if (answer == kAnswerCancel) {
            frame.postCommand(cmd::kWalkCancel);
        }
        if (answer != kAnswerYes) {
            return 0;
        }
    }
    ReplacingFile out;
    if (!out.open(target) || !copyBytes(source, out) || !out.commit(true, keep)) {
        out.discard();
        frame.message(Severity::Error, "Can not copy " + source);
        return 1;
    }
    const struct timespec times[2] = {from.st_atim, from.st_mtim};
    ::utimensat(AT_FDCWD, target.c_str(), times, 0);
    return 0;
}

} // namespace tandel
