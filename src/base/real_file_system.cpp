#include "base/file_system.h"
#include "base/input_text.h"
#include "base/interrupt_cleanup.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <new>
#include <random>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tandel {

namespace {

constexpr std::size_t kWriteBuffer = 1 << 16;

FileKind kindOfMode(unsigned mode) {
    switch (mode & S_IFMT) {
    case S_IFREG:
        return FileKind::Regular;
    case S_IFDIR:
        return FileKind::Directory;
    case S_IFCHR:
        return FileKind::CharacterDevice;
    case S_IFBLK:
        return FileKind::BlockDevice;
    case S_IFIFO:
        return FileKind::Pipe;
    case S_IFSOCK:
        return FileKind::Socket;
    case S_IFLNK:
        return FileKind::Link;
    default:
        return FileKind::Other;
    }
}

FileKind kindOfDirent(unsigned char type) {
    switch (type) {
    case DT_REG:
        return FileKind::Regular;
    case DT_DIR:
        return FileKind::Directory;
    case DT_CHR:
        return FileKind::CharacterDevice;
    case DT_BLK:
        return FileKind::BlockDevice;
    case DT_FIFO:
        return FileKind::Pipe;
    case DT_SOCK:
        return FileKind::Socket;
    case DT_LNK:
        return FileKind::Link;
    default:
        return FileKind::Other;
    }
}

FileTime fromStatx(const struct statx_timestamp& t) {
    return {static_cast<std::int64_t>(t.tv_sec), static_cast<std::int64_t>(t.tv_nsec)};
}

IoStatus statAt(int folder, const char* name, bool followLinks, FileStatus& out) {
    struct statx sx {};
    const int flags = (followLinks ? 0 : AT_SYMLINK_NOFOLLOW) |
                      (*name == '\0' ? AT_EMPTY_PATH : 0) | AT_STATX_SYNC_AS_STAT;
    if (::statx(folder, name, flags, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        return IoStatus::failure(errno);
    out.kind = kindOfMode(sx.stx_mode);
    out.size = sx.stx_size;
    out.accessTime = fromStatx(sx.stx_atime);
    out.writeTime = fromStatx(sx.stx_mtime);
    out.creationTime =
        (sx.stx_mask & STATX_BTIME) ? fromStatx(sx.stx_btime) : fromStatx(sx.stx_ctime);
    out.device = (static_cast<std::uint64_t>(sx.stx_dev_major) << 32) | sx.stx_dev_minor;
    out.inode = sx.stx_ino;
    out.permissions = sx.stx_mode & 07777;
    return {};
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Gives up ownership without closing.
    void release() { fd_ = -1; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closes and reports the close's own failure.
    IoStatus close() {
        const int fd = fd_;
        fd_ = -1;
        return fd >= 0 && ::close(fd) != 0 ? IoStatus::failure(errno) : IoStatus();
    }

private:
    int fd_;
};

int openRetrying(const char* path, int flags, unsigned mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

IoStatus writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return IoStatus::failure(errno);
        }
        if (n == 0)
            return IoStatus::failure(EIO);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return {};
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A buffered descriptor: the common part of every writer.
class DescriptorWriter : public FileWriter {
public:
    DescriptorWriter(int fd, std::string target) : fd_(fd), target_(std::move(target)) {
        buffer_.reserve(kWriteBuffer);
    }

    IoStatus write(std::string_view bytes) override {
        if (!error_)
            return error_;
        if (buffer_.size() + bytes.size() > kWriteBuffer) {
            flush();
            if (error_.ok() && bytes.size() > kWriteBuffer) {
                error_ = writeAll(fd_.get(), bytes.data(), bytes.size());
                return status();
            }
        }
        if (error_.ok())
            buffer_.append(bytes);
        return status();
    }

    IoStatus finish() override {
        flush();
        return status();
    }

    IoStatus commit() override {
        flush();
        if (error_.ok()) {
            error_ = fd_.close();
        }
        return status();
    }

    const std::string& target() const override { return target_; }

protected:
    IoStatus status() const { return error_; }
    void flush() {
        if (error_.ok() && !buffer_.empty())
            error_ = writeAll(fd_.get(), buffer_.data(), buffer_.size());
        buffer_.clear();
    }

    Descriptor fd_;
    std::string target_;
    std::string buffer_;
    IoStatus error_;
};

// Writes a new file beside the target and renames it over the target at
// commit; dropped uncommitted, it removes the new file.
class ReplacingWriter : public DescriptorWriter {
public:
    ReplacingWriter(int fd, std::string temp, std::string target, bool durable)
        : DescriptorWriter(fd, std::move(target)), temp_(std::move(temp)), durable_(durable),
          cleanupSlot_(rememberTemporary(temp_)) {}
    ~ReplacingWriter() override {
        fd_.reset();
        if (!temp_.empty())
            ::unlink(temp_.c_str());
        forgetTemporary(cleanupSlot_);
    }

    IoStatus finish() override {
        if (finished_)
            return status();
        finished_ = true;
        flush();
        if (error_.ok() && durable_ && ::fsync(fd_.get()) != 0)
            error_ = IoStatus::failure(errno);
        const IoStatus closed = fd_.close();
        if (error_.ok())
            error_ = closed;
        return status();
    }

    IoStatus commit() override {
        (void)finish(); // its failure sticks in error_
        if (error_.ok() && ::rename(temp_.c_str(), target_.c_str()) != 0)
            error_ = IoStatus::failure(errno);
        if (!error_.ok())
            return status();
        temp_.clear();
        if (durable_) {
            // The rename itself reaches the disk with the folder.
            Descriptor folder(openRetrying(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY));
            if (folder.get() >= 0)
                (void)::fsync(folder.get());
        }
        return status();
    }

private:
    std::string temp_;
    bool durable_;
    bool finished_ = false;
    TemporarySlot cleanupSlot_;
};

// The most bytes one read into a piece of a pipe's or a device's input asks for.
constexpr std::size_t kLargestPiece = std::size_t{1} << 26;

// A regular file: one buffer of its size and a byte
// more, so that the end is seen by a read that returns nothing rather than by
// a full buffer; a file that grows meanwhile is read on in doubling steps, but
// never past one byte more than the limit.
IoStatus readRegular(int fd, std::uint64_t limit, std::size_t spare, InputBytes& out) {
    const std::size_t cap = static_cast<std::size_t>(
        std::min<std::uint64_t>(limit, std::numeric_limits<std::size_t>::max() / 2) + 1);
    std::size_t room =
        out.status.size > 0 ? static_cast<std::size_t>(out.status.size) + 1 : std::size_t{1} << 16;
    room = std::min(room, cap);
    out.bytes.resize(room + spare);
    for (;;) {
        if (out.length == room) {
            // A byte past the limit proves the input longer than allowed.
            if (room == cap)
                return IoStatus::failure(EFBIG);
            room = std::min(room * 2, cap);
            out.bytes.resize(room + spare);
        }
        const ssize_t n = ::read(fd, out.bytes.data() + out.length, room - out.length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return IoStatus::failure(errno);
        if (n == 0)
            break;
        out.length += static_cast<std::size_t>(n);
    }
    out.bytes.resize(out.length + spare);
    return {};
}

// Input of unknown length is read in pieces, so that
// no buffer is copied into a larger one while both are held: a device that
// never ends holds no more than the limit when it is stopped.
IoStatus readPieces(int fd, std::uint64_t limit, std::size_t spare, InputBytes& out) {
    std::deque<ByteBuffer> pieces;
    std::uint64_t total = 0;
    std::size_t pieceSize = std::size_t{1} << 16;
    for (bool ended = false; !ended;) {
        // A byte past the limit proves the input longer than allowed.
        if (total > limit)
            return IoStatus::failure(EFBIG);
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(pieceSize, limit + 1 - total));
        ByteBuffer piece(want);
        std::size_t filled = 0;
        while (filled < want) {
            const ssize_t n = ::read(fd, piece.data() + filled, want - filled);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return IoStatus::failure(errno);
            if (n == 0) {
                ended = true;
                break;
            }
            filled += static_cast<std::size_t>(n);
        }
        piece.resize(filled);
        total += filled;
        pieces.push_back(std::move(piece));
        pieceSize = std::min(pieceSize * 2, kLargestPiece);
    }
    if (total > limit)
        return IoStatus::failure(EFBIG);
    out.bytes.resize(static_cast<std::size_t>(total) + spare);
    for (; !pieces.empty(); pieces.pop_front()) {
        const ByteBuffer& piece = pieces.front();
        if (!piece.empty())
            std::memcpy(out.bytes.data() + out.length, piece.data(), piece.size());
        out.length += piece.size();
    }
    return {};
}

// A link is replaced where it points, so the link itself survives the save.
std::string resolveLink(const std::string& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return target;
    char* real = ::realpath(target.c_str(), nullptr);
    if (real == nullptr)
        return target;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

IoStatus openReplacing(const std::string& requested, const WriteOptions& options,
                       std::unique_ptr<FileWriter>& out) {
    const std::string target = resolveLink(requested);
    FileStatus old;
    const IoStatus statError = statAt(AT_FDCWD, target.c_str(), true, old);
    if (!statError && statError.error() != ENOENT)
        return statError;
    const bool exists = statError.ok();
    if (exists && old.writtenInPlace()) {
        const int fd = openRetrying(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            return IoStatus::failure(errno);
        out = std::make_unique<DescriptorWriter>(fd, target);
        return {};
    }
    if (exists && !old.isRegular())
        return IoStatus::failure(old.isDirectory() ? EISDIR : EINVAL);

    const std::string folder = folderOf(target);
    const std::string base = baseOf(target);
    std::random_device random;
    // A very long base name may not fit the folder's name limit; a short one will.
    bool shortName = false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        std::string name = shortName ? folder + "/.tandel." + suffix + ".tmp"
                                     : folder + "/." + base + "." + suffix + ".tmp";
        const int fd = openRetrying(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == ENAMETOOLONG && !shortName)
                shortName = true;
            else if (errno != EEXIST)
                return IoStatus::failure(errno);
            continue;
        }
        // Keep who owns the file and who may read it; a failure only loses that detail.
        struct stat owner {};
        if (exists && ::stat(target.c_str(), &owner) == 0)
            (void)::fchown(fd, owner.st_uid, owner.st_gid);
        if (options.setPermissions)
            (void)::fchmod(fd, options.permissions & 07777);
        else if (exists)
            (void)::fchmod(fd, old.permissions & 07777);
        out = std::make_unique<ReplacingWriter>(fd, std::move(name), target, options.durable);
        return {};
    }
    return IoStatus::failure(EEXIST);
}

class DescriptorReader : public FileReader {
public:
    explicit DescriptorReader(int fd) : fd_(fd) {}

    IoStatus read(char* into, std::size_t size, std::size_t& got) override {
        got = 0;
        for (;;) {
            const ssize_t n = ::read(fd_.get(), into, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return IoStatus::failure(errno);
            got = static_cast<std::size_t>(n);
            return {};
        }
    }

private:
    Descriptor fd_;
};

class RealFileSystem : public FileSystem {
public:
    bool threadSafe() const override { return true; }

    explicit RealFileSystem(std::uint64_t inputLimit = 0) : inputLimit_(inputLimit) {}

    IoStatus status(const std::string& path, FileStatus& out, bool followLinks) override {
        out = FileStatus{};
        if (path.empty())
            return {};
        const IoStatus error = statAt(AT_FDCWD, path.c_str(), followLinks, out);
        if (error.error() == ENOENT || error.error() == ENOTDIR)
            return {};
        return error;
    }

    IoStatus readInput(const std::string& path, std::size_t spare, InputBytes& out) override {
        out.length = 0;
        if (path.empty())
            return IoStatus::failure(ENOENT);
        Descriptor fd(openRetrying(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
        if (fd.get() < 0)
            return IoStatus::failure(errno);
        return readOpenInput(fd.get(), inputLimit(), spare, out);
    }

    IoStatus readInputText(const std::string& path, std::size_t spare, InputText& out) override {
        // Small files are read: a mapping costs more than it saves there, and
        // holds a descriptor for as long as the text is kept.
        constexpr std::uint64_t kMapFrom = std::uint64_t{1} << 20;
        return openInputText(path, inputLimit(), spare, nullptr, out, kMapFrom);
    }

    // Zero stands for the machine's bound, taken when asked: a limit set
    // meanwhile (setrlimit) counts.
    std::uint64_t inputLimit() const override {
        return inputLimit_ != 0 ? inputLimit_ : defaultInputLimit();
    }

    IoStatus listFolder(const std::string& path, std::vector<FolderEntry>& out) override {
        out.clear();
        struct Closer {
            void operator()(DIR* d) const { ::closedir(d); }
        };
        std::unique_ptr<DIR, Closer> dir(::opendir(path.empty() ? "." : path.c_str()));
        if (!dir)
            return IoStatus::failure(errno);
        const int fd = ::dirfd(dir.get());
        errno = 0;
        while (const dirent* d = ::readdir(dir.get())) {
            const std::string_view name(d->d_name);
            if (name == "." || name == "..") {
                errno = 0;
                continue;
            }
            FolderEntry entry;
            entry.name = std::string(name);
            FileStatus self;
            const bool known = statAt(fd, d->d_name, false, self).ok();
            entry.isLink = known ? self.kind == FileKind::Link : d->d_type == DT_LNK;
            // Only a link has a status of its own apart from what it names.
            if (known && !entry.isLink) {
                entry.status = self;
                entry.statusKnown = true;
            } else {
                entry.statusKnown = statAt(fd, d->d_name, true, entry.status).ok();
            }
            entry.kind = entry.statusKnown ? entry.status.kind
                         : known           ? self.kind
                                           : kindOfDirent(d->d_type);
            out.push_back(std::move(entry));
            errno = 0;
        }
        return errno == 0 ? IoStatus() : IoStatus::failure(errno);
    }

    IoStatus openWriter(const std::string& target, const WriteOptions& options,
                        std::unique_ptr<FileWriter>& out) override {
        out.reset();
        if (target.empty())
            return IoStatus::failure(ENOENT);
        if (options.mode == WriteMode::Replace)
            return openReplacing(target, options, out);
        const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY |
                          (options.mode == WriteMode::Truncate ? O_TRUNC : O_APPEND);
        const int fd = openRetrying(target.c_str(), flags, 0666);
        if (fd < 0)
            return IoStatus::failure(errno);
        out = std::make_unique<DescriptorWriter>(fd, target);
        return {};
    }

    IoStatus createUnique(const std::string& folder, const std::string& prefix,
                          std::string& path) override {
        std::string pattern = folder;
        if (!pattern.empty() && pattern.back() != '/')
            pattern.push_back('/');
        pattern += prefix;
        pattern += "XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            return IoStatus::failure(errno);
        ::close(fd);
        path = std::move(pattern);
        return {};
    }

    IoStatus rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? IoStatus() : IoStatus::failure(errno);
    }

    IoStatus linkFile(const std::string& existing, const std::string& path) override {
        return ::link(existing.c_str(), path.c_str()) == 0 ? IoStatus() : IoStatus::failure(errno);
    }

    IoStatus remove(const std::string& path) override {
        return ::unlink(path.c_str()) == 0 ? IoStatus() : IoStatus::failure(errno);
    }

    IoStatus makeFolder(const std::string& path) override {
        return ::mkdir(path.c_str(), 0777) == 0 ? IoStatus() : IoStatus::failure(errno);
    }

    IoStatus setTimes(const std::string& path, const FileTime& access,
                      const FileTime& write) override {
        const timespec times[2] = {
            {static_cast<time_t>(access.seconds), static_cast<long>(access.nanoseconds)},
            {static_cast<time_t>(write.seconds), static_cast<long>(write.nanoseconds)}};
        return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0 ? IoStatus()
                                                                  : IoStatus::failure(errno);
    }

    IoStatus openReader(const std::string& path, std::unique_ptr<FileReader>& out) override {
        out.reset();
        if (path.empty())
            return IoStatus::failure(ENOENT);
        Descriptor fd(openRetrying(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
        if (fd.get() < 0)
            return IoStatus::failure(errno);
        FileStatus opened;
        if (const IoStatus error = statAt(fd.get(), "", true, opened); !error)
            return error;
        if (opened.isDirectory())
            return IoStatus::failure(EISDIR);
        const int raw = fd.get();
        fd.release();
        out = std::make_unique<DescriptorReader>(raw);
        return {};
    }

    IoStatus readLink(const std::string& path, std::string& target) override {
        target.clear();
        // A link's text has no fixed limit here: grow until it fits.
        std::string buffer(256, '\0');
        for (;;) {
            const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
            if (n < 0)
                return IoStatus::failure(errno);
            if (static_cast<std::size_t>(n) < buffer.size()) {
                buffer.resize(static_cast<std::size_t>(n));
                target = std::move(buffer);
                return {};
            }
            buffer.resize(buffer.size() * 2);
        }
    }

    IoStatus makeLink(const std::string& target, const std::string& path) override {
        return ::symlink(target.c_str(), path.c_str()) == 0 ? IoStatus() : IoStatus::failure(errno);
    }

private:
    std::uint64_t inputLimit_;
};

std::uint64_t softLimit(int resource) {
    struct rlimit limit {};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::numeric_limits<std::uint64_t>::max();
    return limit.rlim_cur;
}

} // namespace

FileSystem& realFileSystem() {
    // Stateless: one shared instance serves every caller.
    static RealFileSystem files;
    return files;
}

std::unique_ptr<FileSystem> realFileSystemWithInputLimit(std::uint64_t inputLimit) {
    return std::make_unique<RealFileSystem>(std::max<std::uint64_t>(inputLimit, 1));
}

std::uint64_t defaultInputLimit() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    std::uint64_t memory = pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) *
                                                           static_cast<std::uint64_t>(pageSize)
                                                     : std::numeric_limits<std::uint64_t>::max();
    memory = std::min({memory, softLimit(RLIMIT_AS), softLimit(RLIMIT_DATA)});
    return std::max<std::uint64_t>(memory / 2, 1);
}

IoStatus readOpenInput(int descriptor, std::uint64_t inputLimit, std::size_t spare,
                       InputBytes& out) {
    out.length = 0;
    if (const IoStatus error = statAt(descriptor, "", true, out.status); !error)
        return error;
    if (out.status.isDirectory())
        return IoStatus::failure(EISDIR);
    // Refused before a byte is read, let alone the room for all of them.
    if (out.status.isRegular() && out.status.size > inputLimit)
        return IoStatus::failure(EFBIG);
    try {
        const IoStatus read = out.status.isRegular()
                                  ? readRegular(descriptor, inputLimit, spare, out)
                                  : readPieces(descriptor, inputLimit, spare, out);
        if (!read) {
            out.bytes = ByteBuffer();
            out.length = 0;
            return read;
        }
    } catch (const std::bad_alloc&) {
        out.bytes = ByteBuffer();
        out.length = 0;
        return IoStatus::failure(ENOMEM);
    } catch (const std::length_error&) {
        out.bytes = ByteBuffer();
        out.length = 0;
        return IoStatus::failure(ENOMEM);
    }
    return {};
}

IoStatus statusOfOpen(int descriptor, FileStatus& out) {
    out = FileStatus{};
    return statAt(descriptor, "", true, out);
}

std::unique_ptr<FileWriter> standardOutputWriter() {
    class StandardOutput : public DescriptorWriter {
    public:
        StandardOutput() : DescriptorWriter(::dup(STDOUT_FILENO), "standard output") {}
    };
    auto writer = std::make_unique<StandardOutput>();
    return writer;
}

FileKind kindOf(FileSystem& files, const std::string& path) {
    FileStatus status;
    return files.status(path, status).ok() ? status.kind : FileKind::Missing;
}

bool sameFile(FileSystem& files, const std::string& a, const std::string& b) {
    FileStatus sa;
    FileStatus sb;
    return files.status(a, sa).ok() && files.status(b, sb).ok() && sa.sameFileAs(sb);
}

} // namespace tandel
