// Arrays as long as an input (a few per line) come straight from the kernel,
// in huge pages where the system grants them: on a large pair, taking fresh
// memory one small page at a time costs more than most of the comparison.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace tandel {

// Arrays smaller than this stay with the ordinary allocator.
inline constexpr std::size_t kBulkBytes = std::size_t{1} << 21;

// Fresh zeroed memory of `bytes` (at least kBulkBytes) aligned for huge
// pages; throws std::bad_alloc.
void* bulkAllocate(std::size_t bytes);
void bulkRelease(void* memory, std::size_t bytes) noexcept;

template <class T> class BulkAllocator {
public:
    using value_type = T;

    BulkAllocator() noexcept = default;
    template <class U> BulkAllocator(const BulkAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kBulkBytes)
            return static_cast<T*>(::operator new(bytes));
        return static_cast<T*>(bulkAllocate(bytes));
    }

    void deallocate(T* memory, std::size_t count) noexcept {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kBulkBytes)
            ::operator delete(memory);
        else
            bulkRelease(memory, bytes);
    }

    template <class U> bool operator==(const BulkAllocator<U>&) const noexcept { return true; }
};

template <class T> using BulkVector = std::vector<T, BulkAllocator<T>>;

} // namespace tandel
