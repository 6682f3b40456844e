// Memory for the few large blocks of a day (the race card, the prediction store, the horse index). On
// this kind of machine a fresh page costs microseconds, so a block of megabytes taken page by page costs
// more than reading the files; such blocks are asked for in huge pages, which the kernel makes a few
// hundred times less often. Where huge pages are not to be had they are ordinary pages, nothing else.
#pragma once

#include <cstddef>
#include <new>

namespace talpo {

// Bytes of at least `size` (not cleared; size 0 gives a block all the same), aligned to a page; raises
// std::bad_alloc. Freed with FreeBlock only.
void* AllocateBlock(std::size_t size);
void FreeBlock(void* block) noexcept;

// An allocator for the standard containers that takes its memory from AllocateBlock.
template <typename T>
struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <typename U>
    LargeBlockAllocator(const LargeBlockAllocator<U>& /*other*/) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocateBlock(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t /*n*/) noexcept { FreeBlock(p); }

    template <typename U>
    bool operator==(const LargeBlockAllocator<U>& /*other*/) const noexcept {
        return true;
    }
};

}  // namespace talpo
