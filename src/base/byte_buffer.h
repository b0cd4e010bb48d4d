// A byte vector whose growth leaves the new bytes uninitialised: a buffer that
// a file is read into, or that is filled at once, need not be cleared first.
#pragma once

#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace tandel {

template <class T> class UninitializedAllocator : public std::allocator<T> {
public:
    using value_type = T;

    UninitializedAllocator() noexcept = default;
    template <class U>
    UninitializedAllocator(const UninitializedAllocator<U>& other) noexcept
        : std::allocator<T>(other) {}

    // A value-initialised element (what resize asks for) is left as it comes.
    template <class U> void construct(U* place) noexcept(noexcept(::new (place) U)) {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Args> void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

using ByteBuffer = std::vector<char, UninitializedAllocator<char>>;

} // namespace tandel
