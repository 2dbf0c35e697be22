// Conversions run once per shown value and per grid cell; this program replaces
// the global allocator with a counting one to prove they never allocate.
#include "units/Units.h"

#include "support/CountingAllocator.h"

#include <gtest/gtest.h>

TEST(UnitsAllocation, ConversionsAndLabelsAllocateNothing)
{
    const long before = wiztest::g_allocations.load();
    ::operator delete(::operator new(8)); // the counter must be live; a direct call is never elided
    ASSERT_EQ(wiztest::g_allocations.load(), before + 1);
    const long start = wiztest::g_allocations.load();
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
    EXPECT_EQ(wiztest::g_allocations.load(), start);
    EXPECT_GT(sum, 0);
}
