// Conversions run once per shown value and per grid cell; this program replaces
// the global allocator with a counting one to prove they never allocate.
#include "units/Units.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

static std::atomic<long> g_allocations{0};

void* operator new(std::size_t size)
{
    ++g_allocations;
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
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return ::operator new(size, tag); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

TEST(UnitsAllocation, ConversionsAndLabelsAllocateNothing)
{
    const long before = g_allocations.load();
    ::operator delete(::operator new(8)); // the counter must be live; a direct call is never elided
    ASSERT_EQ(g_allocations.load(), before + 1);
    const long start = g_allocations.load();
    double sum = 0;
    char text[kUnitLabelSize];
    for (int q = -2; q < kUnitQuantityCount + 2; ++q)
        for (int s = -2; s <= 2; ++s) {
            double r = 0;
            ConvertFromSI(q, s, 1.5, &r);
            sum += r;
            ConvertToSI(q, s, r, &r);
            sum += r;
            GetUnitLabel(q, s, text);
        }
    sum += GetUnitSystem();
    EXPECT_EQ(g_allocations.load(), start);
    EXPECT_GT(sum, 0);
}
