#include "engine/bulk_vector.h"

#include <cstdint>
#include <sys/mman.h>

namespace tandel {
namespace {

constexpr std::size_t kHugePage = std::size_t{1} << 21;

std::size_t roundUp(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

} // namespace

void* bulkAllocate(std::size_t bytes) {
    const std::size_t size = roundUp(bytes);
    if (size < bytes)
        throw std::bad_alloc();
    // Room to align the start to a huge page; the slack is given back.
    void* mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto raw = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (raw + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > raw)
        ::munmap(mapped, aligned - raw);
    if (aligned + size < raw + size + kHugePage)
        ::munmap(reinterpret_cast<void*>(aligned + size), raw + kHugePage - aligned);
    void* memory = reinterpret_cast<void*>(aligned);
    // Only advice: without huge pages the memory works the same.
    (void)::madvise(memory, size, MADV_HUGEPAGE);
    return memory;
}

void bulkRelease(void* memory, std::size_t bytes) noexcept {
    ::munmap(memory, roundUp(bytes));
}

} // namespace tandel
