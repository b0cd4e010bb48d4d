#include "merge/line_buffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tandel {

void LineBuffer::adopt(InputText&& text, std::size_t spare) {
    if (text.isMapped()) {
        own_ = ByteBuffer();
        mapped_ = std::move(text.mapping());
        used_ = mapped_.length() + spare;
        room_ = used_;
        return;
    }
    mapped_ = MappedInput();
    InputBytes& read = text.readBytes();
    own_ = std::move(read.bytes);
    own_.resize(read.length + spare);
}

void LineBuffer::resize(std::size_t size) {
    if (!mapped_.isMapped()) {
        own_.resize(size, '\0');
        return;
    }
    if (size > room_) {
        unmap();
        own_.resize(size, '\0');
        return;
    }
    if (size > used_) {
        std::memset(mapped_.data() + used_, 0, size - used_);
    }
    used_ = size;
}

void LineBuffer::unmap() {
    if (mapped_.isMapped()) {
        own_.assign(mapped_.data(), mapped_.data() + used_);
        mapped_ = MappedInput();
    }
}

void LineBuffer::shrinkToFit() {
    if (!mapped_.isMapped()) {
        own_.shrink_to_fit();
    }
}

ByteBuffer& LineBuffer::bytes() {
    unmap();
    return own_;
}

} // namespace tandel
