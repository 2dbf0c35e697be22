// Every typed value is checked against its range; this program replaces the
// global allocator with a counting one to prove that parsing and checking a
// range never allocate.
#include "keyword/ValueRange.h"

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

TEST(ValueRangeAllocation, ParseAndContainsAllocateNothing)
{
    const long before = g_allocations.load();
    ::operator delete(::operator new(8)); // the counter itself must be live
    ASSERT_EQ(g_allocations.load(), before + 1);
    const char* texts[] = {"[0:)", "(1e-3:5]", "  [ -7 : 7 )", "(:1]", "[1:", ":5]", ""};
    const long start = g_allocations.load();
    int inside = 0;
    for (const char* text : texts) {
        const CValueRange r = CValueRange::Parse(text);
        for (double v : {-10.0, 0.0, 1.0, 6.0, 100.0})
            inside += r.Contains(v);
    }
    EXPECT_EQ(g_allocations.load(), start);
    EXPECT_GT(inside, 0);
}
