#pragma once
// The memory of keyword texts and their slots. For a big deck, the pages of
// a fresh allocation are zeroed by the system as they are first touched, and
// that costs as much as the whole reading; so big blocks are mapped by us,
// and a few freed ones (a bounded amount) are kept for the next read, whose
// writes then find the pages in place. Small blocks are malloc's.
#include <cstddef>
#include <new>

namespace StoreMemory {

// At least `bytes` usable bytes, not zeroed. Throws std::bad_alloc.
char* Allocate(std::size_t bytes);
// Frees a block from Allocate (nullptr is ignored).
void Free(char* block) noexcept;
// A block of at least `bytes` holding the first `used` bytes of `block`,
// which is freed (the block itself when it is big enough).
char* Grow(char* block, std::size_t used, std::size_t bytes);
// The usable size of a block from Allocate.
std::size_t Capacity(const char* block) noexcept;
// Gives every kept block back to the system (tests, and a host that wants
// its memory back at once).
void Trim() noexcept;
// How many blocks are kept now.
std::size_t KeptBlocks() noexcept;

// For std::vector: elements in blocks from Allocate.
template <class T>
struct Allocator {
    using value_type = T;
    Allocator() = default;
    template <class U>
    Allocator(const Allocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t n)
    {
        if (n > static_cast<std::size_t>(-1) / sizeof(T) / 2)
            throw std::bad_array_new_length();
        return reinterpret_cast<T*>(Allocate(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t) noexcept { Free(reinterpret_cast<char*>(p)); }
    template <class U>
    bool operator==(const Allocator<U>&) const noexcept
    {
        return true;
    }
};

} // namespace StoreMemory
