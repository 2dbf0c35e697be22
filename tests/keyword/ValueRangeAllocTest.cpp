// Every typed value is checked against its range; this program replaces the
// global allocator with a counting one to prove that parsing and checking a
// range never allocate.
#include "keyword/ValueRange.h"

#include "support/CountingAllocator.h"

#include <gtest/gtest.h>

TEST(ValueRangeAllocation, ParseAndContainsAllocateNothing)
{
    const long before = wiztest::g_allocations.load();
    ::operator delete(::operator new(8)); // the counter itself must be live
    ASSERT_EQ(wiztest::g_allocations.load(), before + 1);
    const char* texts[] = {"[0:)", "(1e-3:5]", "  [ -7 : 7 )", "(:1]", "[1:", ":5]", ""};
    const long start = wiztest::g_allocations.load();
    int inside = 0;
    for (const char* text : texts) {
        const CValueRange r = CValueRange::Parse(text);
        for (double v : {-10.0, 0.0, 1.0, 6.0, 100.0})
            inside += r.Contains(v);
    }
    EXPECT_EQ(wiztest::g_allocations.load(), start);
    EXPECT_GT(inside, 0);
}
