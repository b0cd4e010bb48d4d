// The bytes of one side's lines: a large regular file stays mapped (its pages
// shared with the page cache, copied only where the lines were rewritten),
// anything else is bytes of our own.
#pragma once

#include "base/byte_buffer.h"
#include "base/input_text.h"
#include "base/mapped_input.h"

#include <cstddef>

namespace tandel {

class LineBuffer {
public:
    // Takes over an input opened with `spare` writable bytes after it.
    void adopt(InputText&& text, std::size_t spare);

    char* data() { return mapped_.isMapped() ? mapped_.data() : own_.data(); }
    const char* data() const { return mapped_.isMapped() ? mapped_.data() : own_.data(); }
    // Bytes in use.
    std::size_t size() const { return mapped_.isMapped() ? used_ : own_.size(); }
    // New bytes are zero. A mapping that must grow past its room is copied
    // into bytes of our own first.
    void resize(std::size_t size);
    // Returns unused room of our own bytes.
    void shrinkToFit();
    // Our own bytes, for text made by hand; a mapping is let go first.
    ByteBuffer& bytes();

    bool isMapped() const { return mapped_.isMapped(); }
    // Whether a mapped file still is as it was mapped (always for our own
    // bytes): a file cut short or rewritten under the mapping is not.
    bool unchanged() const { return mapped_.unchanged(); }

private:
    void unmap();

    ByteBuffer own_;
    MappedInput mapped_;
    std::size_t used_ = 0; // mapped: bytes in use
    std::size_t room_ = 0; // mapped: the file's length and its spare bytes
};

} // namespace tandel
