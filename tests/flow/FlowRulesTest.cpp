// The flow wizard's decisions without windows, by tables.
#include "flow/FlowIds.h"
#include "flow/FlowRules.h"
#include "host/ProjectTree.h"

#include <gtest/gtest.h>

TEST(FlowRules, StageFlagsOnLeavingTheAnalysisTypePage)
{
    struct Case {
        int aim, restart, flags;
        SFlowStages before;
        SFlowStages after; // fill, fill editable, pack, cure
    };
    const SFlowStages none{};
    const SFlowStages cured{0, 0, 0, 1};
    const SFlowStages packed{0, 0, 1, 0};
    const Case cases[] = {
        {kFlowAimPacking, kRestartNone, 0, none, {1, 1, 1, 0}},
        {kFlowAimFillAndPack, kRestartIntermediateFilling, 0, none, {1, 1, 1, 0}},
        {kFlowAimPacking, kRestartEndOfFilling, 0, none, {0, 0, 1, 0}},
        {kFlowAimPackingStandalone, kRestartNone, 0, none, {0, 0, 1, 0}},
        {kFlowAimFilling, kRestartNone, 0, packed, {1, 1, 0, 0}},
        {kFlowAimOptimumPack, kRestartNone, kFlowOptimum, none, {1, 1, 1, 0}},
        {kFlowAimOptimumFill, kRestartNone, kFlowOptimum, packed, {1, 1, 0, 0}},
        // A thermoset analysis changes the curing flag only: packing keeps its value.
        {kFlowAimCuring, kRestartNone, kFlowThermoset, packed, {1, 1, 1, 1}},
        {kFlowAimFilling, kRestartIntermediateCuring, kFlowThermoset, cured, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const SFlowStages s = LeaveAnalysisType(c.before, c.aim, c.restart, c.flags);
        EXPECT_EQ(s.fillStage, c.after.fillStage) << c.aim << " " << c.restart;
        EXPECT_EQ(s.fillStageEditable, c.after.fillStageEditable) << c.aim << " " << c.restart;
        EXPECT_EQ(s.packStage, c.after.packStage) << c.aim << " " << c.restart;
        EXPECT_EQ(s.cureStage, c.after.cureStage) << c.aim << " " << c.restart;
    }
}

TEST(FlowRules, RestartPointsAndTheStageTheyComplete)
{
    EXPECT_EQ(RestartChoiceFromPointType(-3, 0), kRestartIntermediateFilling);
    EXPECT_EQ(RestartChoiceFromPointType(0, kFlowThermoset), kRestartEndOfFilling);
    EXPECT_EQ(RestartChoiceFromPointType(2, 0), kRestartIntermediatePacking);
    EXPECT_EQ(RestartChoiceFromPointType(2, kFlowThermoset | kFlowGas), kRestartIntermediateCuring);
    EXPECT_FALSE(RestartCompletesStage(kRestartNone));
    EXPECT_FALSE(RestartCompletesStage(kRestartIntermediateFilling));
    EXPECT_TRUE(RestartCompletesStage(kRestartEndOfFilling));
    EXPECT_TRUE(RestartCompletesStage(kRestartIntermediateCuring));
    EXPECT_STREQ(kFlowRestartTokens[kRestartIntermediatePacking], "INTERMEDIATE_PACKING");
    EXPECT_STREQ(kFlowAimTokens[kFlowAimOptimumPack], "OPTIMUM_PACK_PROFILE");
}

TEST(FlowRules, MoldingWindowRangesFromTheNoFlowTemperature)
{
    EXPECT_EQ(MoldWindowMeltRange(200), "[210:)");
    EXPECT_EQ(MoldWindowMoldRange(200), "(:190]");
    EXPECT_EQ(MoldWindowMeltRange(137.5), "[147.5:)");
    EXPECT_EQ(MoldWindowMoldRange(5), "(:-5]");
}

TEST(FlowRules, SwitchOverNodeValueForms)
{
    // Stored as node, continued line, pressure: the page edits the pressure.
    EXPECT_EQ(SwitchOverPressureOf("57 2e+07"), "2e+07");
    EXPECT_EQ(SwitchOverPressureOf("57 1.5e7 3"), "1.5e+07");
    EXPECT_EQ(SwitchOverPressureOf("2e+07"), "");
    EXPECT_EQ(SwitchOverPressureOf(""), "");
    EXPECT_EQ(SwitchOverStoredForm(57, "2E+7"), "57 \\\n2E+7");
}

TEST(FlowRules, WhichPagesShow)
{
    EXPECT_TRUE(ShowsBoundaryPage(kRestartNone, false));
    EXPECT_FALSE(ShowsBoundaryPage(kRestartNone, true));
    EXPECT_FALSE(ShowsBoundaryPage(kRestartIntermediateFilling, false));
    for (int aim = kFlowAimPacking; aim <= kFlowAimOptimumPack; ++aim)
        EXPECT_EQ(ShowsProcessPage(aim), aim != kFlowAimMoldWindow && aim != kFlowAimGateLocation) << aim;

    struct Case {
        int aim, flags;
        bool valve, gas, well, shows;
    };
    const Case cases[] = {
        {kFlowAimPacking, 0, true, false, false, true},
        {kFlowAimFillAndPack, 0, true, false, false, true},
        {kFlowAimFilling, 0, true, false, false, true},
        {kFlowAimPackingStandalone, 0, true, false, false, true},
        {kFlowAimPacking, 0, false, false, false, false},
        {kFlowAimCuring, kFlowThermoset, true, false, false, false},
        {kFlowAimRunnerBalance, 0, true, false, false, false},
        {kFlowAimOptimumFill, kFlowOptimum, true, false, false, false},
        // Gas and well valve gates count only in a gas analysis.
        {kFlowAimPacking, 0, false, true, true, false},
        {kFlowAimPacking, kFlowGas, false, true, false, true},
        {kFlowAimFilling, kFlowGas, false, false, true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShowsValveGatePage(c.aim, c.flags, c.valve, c.gas, c.well), c.shows) << c.aim << " " << c.flags;
}

TEST(FlowRules, BoundaryPageFieldsByAim)
{
    SBoundaryPageFields f = BoundaryPageFields(kFlowAimPacking, false);
    EXPECT_TRUE(f.temperatures);
    EXPECT_FALSE(f.runnerPressure || f.moldWindowLimits);
    f = BoundaryPageFields(kFlowAimRunnerBalance, false);
    EXPECT_TRUE(f.temperatures && f.runnerPressure);
    f = BoundaryPageFields(kFlowAimMoldWindow, false);
    EXPECT_TRUE(f.moldWindowLimits);
    EXPECT_FALSE(f.temperatures);
    // An earlier cooling analysis supplies the temperatures.
    f = BoundaryPageFields(kFlowAimFilling, true);
    EXPECT_FALSE(f.temperatures);
}

TEST(FlowRules, RememberedBoundaryFileNames)
{
    EXPECT_EQ(WithBoundaryExtension("job"), "job.bf3");
    EXPECT_EQ(WithBoundaryExtension("gas.bf3"), "gas.bf3");
    EXPECT_EQ(WithBoundaryExtension("old.txt"), "old.txt");
    EXPECT_EQ(WithBoundaryExtension(""), "");
}

TEST(FlowRules, MoldingWindowLimitsInOrder)
{
    constexpr int mold = IDC_FLOW_MOLD_UPPER, melt = IDC_FLOW_MELT_UPPER;
    EXPECT_EQ(CheckMoldWindowLimits(20, 80, 220, 280, mold, melt), 0);
    // Equal limits are refused; the pair out of order gets the focus, the mold pair first.
    EXPECT_EQ(CheckMoldWindowLimits(20, 80, 240, 240, mold, melt), melt);
    EXPECT_EQ(CheckMoldWindowLimits(80, 80, 220, 280, mold, melt), mold);
    EXPECT_EQ(CheckMoldWindowLimits(90, 80, 300, 280, mold, melt), mold);
}

TEST(FlowRules, MachineListLabels)
{
    EXPECT_EQ(MachineLabel("Aldermoor", "AM-80"), "Aldermoor, AM-80");
    const std::vector<std::string> shown =
        MachineListLabels({"Aldermoor, AM-80", "Kx, 150", "ALDERMOOR, am-80", "Aldermoor, AM-80"});
    EXPECT_EQ(shown, (std::vector<std::string>{"Aldermoor, AM-80", "Kx, 150", "ALDERMOOR, am-80 [local]",
                                               "Aldermoor, AM-80 [local]"}));
    EXPECT_TRUE(EqualsNoCase("Ab-1", "aB-1"));
    EXPECT_FALSE(EqualsNoCase("Ab-1", "Ab-12"));
}
