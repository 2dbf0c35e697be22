// The warpage wizard's decisions without windows: which preparation rule
// applies, which pages and advanced tabs show, and the small page rules.
#include "warp/WarpIds.h"
#include "warp/WarpRules.h"
#include "warp/WarpSettings.h"

#include <gtest/gtest.h>

TEST(WarpRules, PreparationVerdictsInTheirOrder)
{
    struct Case {
        const char* what;
        SWarpPreparation in;
        WarpVerdict verdict;
    };
    const Case cases[] = {
        {"stress below a single-variate buckling, stresses written", {.stress = true, .hasPrevWarpage = true,
          .prevAim = "SVA_LINEAR_BUCKLING", .prevOutputStress = "ON", .prevFileWritable = true},
         WarpVerdict::kRefuseStress},
        {"stress below a single-variate small deflection", {.stress = true, .hasPrevWarpage = true,
          .prevAim = "SVA_SMALL_DEFLECTION", .prevOutputStress = "ON"},
         WarpVerdict::kRefuseStress},
        {"stress below a warpage that wrote its stresses", {.stress = true, .hasPrevWarpage = true,
          .prevAim = "LARGE_DEFLECTION", .prevOutputStress = "ON"},
         WarpVerdict::kGoOn},
        {"stress, stresses off, file writable", {.stress = true, .hasPrevWarpage = true,
          .prevAim = "SMALL_DEFLECTION", .prevOutputStress = "OFF", .prevFileWritable = true},
         WarpVerdict::kAskOutputStress},
        {"stress, stresses absent, file read-only", {.stress = true, .hasPrevWarpage = true,
          .prevAim = "SMALL_DEFLECTION", .prevFileWritable = false},
         WarpVerdict::kRefuseStress},
        {"warpage below a large deflection", {.hasPrevWarpage = true, .prevAim = "LARGE_DEFLECTION"},
         WarpVerdict::kRefuseWarpage},
        {"warpage below a single-variate study", {.hasPrevWarpage = true, .prevAim = "SVA_SMALL_DEFLECTION"},
         WarpVerdict::kRefuseWarpage},
        {"warpage below a buckling", {.hasPrevWarpage = true, .prevAim = "LINEAR_BUCKLING"}, WarpVerdict::kGoOn},
        {"warpage below a warpage result, no residual data: the result is the start",
         {.hasPrevWarpage = true, .prevAim = "SMALL_DEFLECTION", .shrinkageSource = true}, WarpVerdict::kGoOn},
        {"new warpage, shrinkage from the material, none there", {.shrinkageSource = true},
         WarpVerdict::kRefuseNoResidual},
        {"new warpage, fiber or shrinkage data there", {.shrinkageSource = true, .hasResidualData = true},
         WarpVerdict::kGoOn},
        {"new warpage from the thermal stresses", {.shrinkageSource = false}, WarpVerdict::kGoOn},
        {"new stress, no residual data needed", {.stress = true, .shrinkageSource = true}, WarpVerdict::kGoOn},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecidePreparation(c.in), c.verdict) << c.what;
}

TEST(WarpRules, PagesByModeAimAndMethod)
{
    // Boundary conditions: always in stress; in warpage only for a first analysis.
    EXPECT_TRUE(IsWarpPageEnabled(IDD_WARP_BOUNDARY, true, true, kWarpAimSmallDeflection, 0));
    EXPECT_TRUE(IsWarpPageEnabled(IDD_WARP_BOUNDARY, false, false, kWarpAimSmallDeflection, 0));
    EXPECT_FALSE(IsWarpPageEnabled(IDD_WARP_BOUNDARY, false, true, kWarpAimSmallDeflection, 0));
    for (int aim = kWarpAimLinearBuckling; aim <= kWarpAimModalFrequency; ++aim) {
        const bool isolate = aim == kWarpAimIsolateSmall || aim == kWarpAimIsolateBuckling;
        const bool large = aim == kWarpAimLargeDeflection;
        EXPECT_EQ(IsWarpPageEnabled(IDD_WARP_VARIATES, false, false, aim, 0), isolate) << aim;
        EXPECT_EQ(IsWarpPageEnabled(IDD_WARP_LOAD_INCREMENT, true, false, aim, 0), large) << aim;
        for (unsigned page : {IDD_WARP_ANALYSIS_TYPE, IDD_WARP_DESCRIPTION})
            EXPECT_TRUE(IsWarpPageEnabled(page, false, true, aim, kWarpControlAuto));
    }
    // The step pages follow the method, and only for a large deflection.
    const int methods[] = {kWarpControlLoad, kWarpControlArc, kWarpControlManual, kWarpControlAuto};
    for (int method : methods) {
        EXPECT_EQ(IsWarpPageEnabled(IDD_WARP_MANUAL_STEPS, true, false, kWarpAimLargeDeflection, method),
                  method == kWarpControlManual);
        EXPECT_EQ(IsWarpPageEnabled(IDD_WARP_LOAD_STEPS, true, false, kWarpAimLargeDeflection, method),
                  method == kWarpControlLoad);
        EXPECT_FALSE(IsWarpPageEnabled(IDD_WARP_LOAD_STEPS, true, false, kWarpAimSmallDeflection, method));
    }
}

TEST(WarpRules, AdvancedTabByAim)
{
    EXPECT_EQ(OptionalAdvancedTab(kWarpAimLargeDeflection), WarpAdvTab::kNonLinear);
    EXPECT_EQ(OptionalAdvancedTab(kWarpAimLinearBuckling), WarpAdvTab::kLoadFactor);
    EXPECT_EQ(OptionalAdvancedTab(kWarpAimIsolateBuckling), WarpAdvTab::kLoadFactor);
    for (int aim : std::initializer_list<int>{kWarpAimSmallDeflection, kWarpAimIsolateSmall, kWarpAimModalFrequency, -1})
        EXPECT_EQ(OptionalAdvancedTab(aim), WarpAdvTab::kNone) << aim;
}

TEST(WarpRules, PageRules)
{
    bool cst3 = false;
    EXPECT_EQ(ApplyElementRule(true, 1, cst3), 0) << "multi-layer CST3 becomes LMT3";
    EXPECT_FALSE(cst3);
    EXPECT_EQ(ApplyElementRule(true, 2, cst3), 2) << "LBT3 stays";
    EXPECT_EQ(ApplyElementRule(false, 1, cst3), 1);
    EXPECT_TRUE(cst3);

    EXPECT_TRUE(IncrementFieldsFor(kWarpControlAuto).displacement);
    EXPECT_FALSE(IncrementFieldsFor(kWarpControlAuto).load);
    EXPECT_TRUE(IncrementFieldsFor(kWarpControlArc).load);
    for (int method : std::initializer_list<int>{kWarpControlLoad, kWarpControlManual, -1}) {
        EXPECT_FALSE(IncrementFieldsFor(method).displacement);
        EXPECT_FALSE(IncrementFieldsFor(method).load);
    }

    const SVariateFields all = VariateFieldsFor(0), shrink = VariateFieldsFor(2);
    EXPECT_TRUE(all.cooling && all.shrinkage && all.orientation);
    EXPECT_TRUE(!shrink.cooling && shrink.shrinkage && !shrink.orientation);
    EXPECT_TRUE(VariateFieldsFor(1).cooling && !VariateFieldsFor(1).shrinkage);
    EXPECT_TRUE(VariateFieldsFor(3).orientation && !VariateFieldsFor(3).cooling);

    EXPECT_EQ(BoundaryConditionPath(""), "");
    EXPECT_EQ(BoundaryConditionPath("/p/Supports"), "/p/Supports.exl");
    EXPECT_EQ(BoundaryConditionPath("/p/supports.bw3"), "/p/supports.bw3");
}

TEST(WarpRules, PartsWrittenOnlyForSomeParts)
{
    EXPECT_EQ(PartsToWrite({}, 3), std::vector<int>{});
    EXPECT_EQ(PartsToWrite({1, 2, 3}, 3), std::vector<int>{}) << "every part is the whole model";
    EXPECT_EQ(PartsToWrite({3, 1}, 3), (std::vector<int>{3, 1}));
    EXPECT_EQ(FormatPartNumbers({3, 1}), "3 \\\n1");
    EXPECT_EQ(ParsePartNumbers("3 \\\n1"), (std::vector<int>{3, 1})) << "the raw value, continuation kept";
    EXPECT_EQ(ParsePartNumbers("2 1"), (std::vector<int>{2, 1}));
    EXPECT_EQ(ParsePartNumbers(""), std::vector<int>{});
}
