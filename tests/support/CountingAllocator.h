#pragma once
// Replaces the global allocator with one that counts every allocation, so a
// test can prove a code path allocates nothing. The replacement functions are
// defined here, not just declared: include this header from exactly one
// source file of a test program, or the program gets them twice.
#include <atomic>
#include <cstdlib>
#include <new>

namespace wiztest {
inline std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size)
{
    ++wiztest::g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
// Every form that can free what the counting new returned, or return what
// the default delete frees, must use the same allocator (ASan checks the pairing).
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    ++wiztest::g_allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return ::operator new(size, tag); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
