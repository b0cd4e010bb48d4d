// One whole input with spare writable room after it, got through one open: a
// regular file is mapped (see mapped_input.h), anything else (a pipe, a
// device, "/dev/fd/N") is read to its end.
#pragma once

#include "base/file_system.h"
#include "base/mapped_input.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tandel {

class InputText {
public:
    char* data() { return mapped_.isMapped() ? mapped_.data() : read_.bytes.data(); }
    std::size_t length() const { return mapped_.isMapped() ? mapped_.length() : read_.length; }
    const FileStatus& status() const {
        return mapped_.isMapped() ? mapped_.status() : read_.status;
    }
    bool isMapped() const { return mapped_.isMapped(); }
    // Whether the bytes are still the file's: always for a read input; for a
    // mapped one, see MappedInput::unchanged.
    bool unchanged() const { return mapped_.unchanged(); }
    // The parts, for a holder that keeps one of them.
    InputBytes& readBytes() { return read_; }
    MappedInput& mapping() { return mapped_; }
    // Bytes read some other way, held as they are.
    void adopt(InputBytes&& bytes) {
        mapped_ = MappedInput();
        read_ = std::move(bytes);
    }

private:
    friend IoStatus openInputText(const std::string&, std::uint64_t, std::size_t,
                                  std::atomic<bool>*, InputText&, std::uint64_t);
    InputBytes read_;
    MappedInput mapped_;
};

// The refusals are FileSystem::readInput's: a folder (EISDIR), a regular file
// larger than `limit` (EFBIG, with its status set), any other input once it
// has given more. `faultFlag` is set when a mapped file turns out shorter
// than it was. Regular files smaller than `mapFrom` bytes are read too.
IoStatus openInputText(const std::string& path, std::uint64_t limit, std::size_t spare,
                       std::atomic<bool>* faultFlag, InputText& out, std::uint64_t mapFrom = 1);

} // namespace tandel
