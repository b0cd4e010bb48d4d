// A regular file mapped into memory instead of read: its pages are shared
// with the page cache, so a large input costs neither a copy nor private
// memory. The mapping is private and writable, with spare bytes after the
// text, so a caller may write into it (end marks, sentinels) without ever
// changing the file.
//
// A file truncated while mapped would end the process with SIGBUS at the
// first read past its new end. Instead, such a read finds a page of zeros and
// the mapping records the fault; the last page of the text is a private copy
// taken at mapping time, so the text always keeps its last byte whatever
// happens to the file.
#pragma once

#include "base/file_system.h"
#include "base/io_status.h"

#include <atomic>
#include <cstddef>
#include <memory>

namespace tandel {

class MappedInput {
public:
    MappedInput();
    ~MappedInput();
    MappedInput(MappedInput&& other) noexcept;
    MappedInput& operator=(MappedInput&& other) noexcept;
    MappedInput(const MappedInput&) = delete;
    MappedInput& operator=(const MappedInput&) = delete;

    bool isMapped() const { return region_ != nullptr; }
    // `length` bytes of the file, then at least `spare` writable bytes.
    char* data() const;
    std::size_t length() const;
    const FileStatus& status() const;

    // A read reached past the file's end since it was mapped.
    bool faulted() const;
    // No fault, and the file still has the size and the modification time it
    // had when it was mapped: the bytes read are the file's.
    bool unchanged() const;

    // Opaque: what the bus-error handler looks at.
    struct Region;

private:
    friend IoStatus mapInput(int, const FileStatus&, std::size_t, std::atomic<bool>*, MappedInput&);
    void release();

    std::unique_ptr<Region> region_;
};

// Maps the regular file open at `descriptor`, whose status is `status`; the
// mapping keeps a descriptor of its own. A fault also sets `faultFlag` when
// one is given, so that a run in progress can be stopped at once. Fails when
// the file is no longer as large as `status` says.
IoStatus mapInput(int descriptor, const FileStatus& status, std::size_t spare,
                  std::atomic<bool>* faultFlag, MappedInput& out);

} // namespace tandel
