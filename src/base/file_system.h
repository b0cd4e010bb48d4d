// The one way the core reaches files. Every module reads, lists and writes
// through a FileSystem, so that a test can put a failing one in its place and
// every failure path can be tried, as root too.
#pragma once

#include "base/byte_buffer.h"
#include "base/io_status.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tandel {

enum class FileKind {
    Missing,
    Regular,
    Directory,
    CharacterDevice,
    BlockDevice,
    Pipe,
    Socket,
    Link, // only from a status that does not follow links
    Other,
};

// Seconds and nanoseconds since the epoch. Equality uses both, so two files
// written within the same second are not taken for one another.
struct FileTime {
    std::int64_t seconds = 0;
    std::int64_t nanoseconds = 0;
    bool operator==(const FileTime&) const = default;
};

struct FileStatus {
    FileKind kind = FileKind::Missing;
    std::uint64_t size = 0;
    FileTime accessTime;
    FileTime writeTime;
    // The birth time where the file system reports one, else the change time.
    FileTime creationTime;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint32_t permissions = 0; // the mode's permission bits

    bool isRegular() const { return kind == FileKind::Regular; }
    bool isDirectory() const { return kind == FileKind::Directory; }
    // Devices and pipes: written where they are, never renamed or backed up.
    bool writtenInPlace() const {
        return kind == FileKind::CharacterDevice || kind == FileKind::BlockDevice ||
               kind == FileKind::Pipe;
    }
    bool sameFileAs(const FileStatus& other) const {
        return kind != FileKind::Missing && other.kind != FileKind::Missing &&
               device == other.device && inode == other.inode;
    }
};

// One name of a folder. `status` follows a link; when it cannot be read (a
// dangling link, a file removed meanwhile) `statusKnown` is false and `kind`
// is what the folder itself says, which may be Link or Other.
struct FolderEntry {
    std::string name;
    FileKind kind = FileKind::Other;
    bool isLink = false;
    bool statusKnown = false;
    FileStatus status;
};

// A whole input, read through one open: `length` bytes, then room for
// `spare` more that the caller may write into.
struct InputBytes {
    ByteBuffer bytes;
    std::size_t length = 0;
    FileStatus status;
};

enum class WriteMode {
    // A regular (or missing) target gets a new file beside it that takes the
    // target's name only once complete; a link is followed, so the link stays.
    // A device or a pipe is written in place. Anything else is refused.
    Replace,
    Truncate, // open the path itself, emptied
    Append,   // open the path itself, added to
};

struct WriteOptions {
    WriteMode mode = WriteMode::Replace;
    // Replace: the new file gets these permissions when set, else the old
    // target's (or the default for a new file).
    bool setPermissions = false;
    std::uint32_t permissions = 0;
    // Replace: flush the data to the disk before the rename.
    bool durable = true;
};

// Bytes on their way to one target. A writer that is dropped without a
// successful commit leaves a replaced target as it was.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    // Buffered; a failure sticks, and every later call reports it again.
    virtual IoStatus write(std::string_view bytes) = 0;
    // Writes what is buffered and, for a replaced target, makes the new file
    // durable, without putting it in the target's place yet: a save can still
    // stop here and leave everything as it was.
    virtual IoStatus finish() = 0;
    // Finishes (unless done) and completes the target.
    virtual IoStatus commit() = 0;
    // The path the bytes finally go to (a link's target for a replaced link).
    virtual const std::string& target() const = 0;
};

// One opened input, read a piece at a time, so that a file of any size can be
// compared or copied in a buffer of fixed size.
class FileReader {
public:
    virtual ~FileReader() = default;
    // Up to `size` bytes into `into`; `got` is 0 only at the end of the input.
    virtual IoStatus read(char* into, std::size_t size, std::size_t& got) = 0;
};

class InputText;

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Whether several threads may call it at once.
    virtual bool threadSafe() const { return false; }

    // Missing paths give success with kind Missing; other failures are errors.
    virtual IoStatus status(const std::string& path, FileStatus& out, bool followLinks = true) = 0;
    // Opens the path once, whatever it is (a pipe, a device, "/dev/fd/N"), and
    // reads to its end. A folder is refused (EISDIR), and so is what memory
    // cannot hold (EFBIG): a regular file larger than inputLimit() unread, any
    // other input once it has given more than that.
    virtual IoStatus readInput(const std::string& path, std::size_t spare, InputBytes& out) = 0;
    // readInput for an input that is kept a while: a regular file may come
    // mapped instead of read (see input_text.h). By default it is read.
    virtual IoStatus readInputText(const std::string& path, std::size_t spare, InputText& out);
    // The most bytes one input may hold.
    virtual std::uint64_t inputLimit() const = 0;
    // Every name but "." and "..", in the order the folder gives them; no
    // entry is opened.
    virtual IoStatus listFolder(const std::string& path, std::vector<FolderEntry>& out) = 0;
    virtual IoStatus openWriter(const std::string& target, const WriteOptions& options,
                                std::unique_ptr<FileWriter>& out) = 0;
    // Creates an empty file with a unique name that starts with `prefix` in
    // `folder`, exclusively, and gives its path.
    virtual IoStatus createUnique(const std::string& folder, const std::string& prefix,
                                  std::string& path) = 0;
    virtual IoStatus rename(const std::string& from, const std::string& to) = 0;
    // A second name `path` for the file `existing` (a hard link; a symbolic
    // link at `existing` is linked itself). An existing name is refused
    // (EEXIST), never replaced; a file system without such links says EPERM
    // or ENOTSUP.
    virtual IoStatus linkFile(const std::string& existing, const std::string& path) = 0;
    virtual IoStatus remove(const std::string& path) = 0;
    virtual IoStatus makeFolder(const std::string& path) = 0;
    virtual IoStatus setTimes(const std::string& path, const FileTime& access,
                              const FileTime& write) = 0;
    // Opens the path for reading in pieces; a folder is refused (EISDIR).
    virtual IoStatus openReader(const std::string& path, std::unique_ptr<FileReader>& out) = 0;
    // The text a symbolic link holds, as it was written: never resolved.
    virtual IoStatus readLink(const std::string& path, std::string& target) = 0;
    // A new symbolic link at `path` that holds `target`; an existing name is
    // refused (EEXIST), never replaced.
    virtual IoStatus makeLink(const std::string& target, const std::string& path) = 0;
};

// The machine's own files.
FileSystem& realFileSystem();
// The machine's own files with another bound on one input, for tests that
// cannot fill the machine's memory.
std::unique_ptr<FileSystem> realFileSystemWithInputLimit(std::uint64_t inputLimit);
// The bound of realFileSystem(): half of the physical memory, or of the
// process's address-space or data limit when that is lower. Both inputs of a
// comparison are held at once, so one input past it cannot be compared here.
std::uint64_t defaultInputLimit();

// readInput for a descriptor that is already open, such as standard input:
// reads from where it stands to its end under the same refusals.
IoStatus readOpenInput(int descriptor, std::uint64_t inputLimit, std::size_t spare,
                       InputBytes& out);

// The status of a descriptor that is already open.
IoStatus statusOfOpen(int descriptor, FileStatus& out);

// The process's standard output as a writer; its commit writes what is
// buffered and leaves the descriptor open.
std::unique_ptr<FileWriter> standardOutputWriter();

// Bytes kept in memory: `target` names them in messages.
class StringWriter : public FileWriter {
public:
    explicit StringWriter(std::string target) : target_(std::move(target)) {}
    IoStatus write(std::string_view bytes) override {
        text_.append(bytes);
        return {};
    }
    IoStatus finish() override { return {}; }
    IoStatus commit() override { return {}; }
    const std::string& target() const override { return target_; }
    const std::string& text() const { return text_; }

private:
    std::string target_;
    std::string text_;
};

// The kind of a path, following links; Missing also when it cannot be read.
FileKind kindOf(FileSystem& files, const std::string& path);
// Two names of one file, whatever their spelling.
bool sameFile(FileSystem& files, const std::string& a, const std::string& b);

} // namespace tandel
