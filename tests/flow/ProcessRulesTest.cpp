// What the process settings page offers for an analysis, without windows:
// the drop-down entries by token, the forced pressure choice, and what may
// be edited; and the small rules its dialogs share.
#include "flow/FlowRules.h"
#include "host/ProjectTree.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::vector<int>;
const Entries kAllInjection{kInjectionAutomatic, kInjectionTime, kInjectionFlowRate, kInjectionProfile};
const Entries kAllSwitchOver{kSwitchOverAutomatic, kSwitchOverVolume, kSwitchOverTime, kSwitchOverPressureAtNode};
const Entries kAllPressure{kPressureFactor, kPressureSpecified, kPressureProfile};

SProcessPageInputs Filling()
{
    SProcessPageInputs in;
    in.stages = {1, 1, 0, 0};
    in.injection = kInjectionTime;
    in.pressure = kPressureFactor;
    in.hasSwitchOverNode = true;
    in.pressureProfileEmpty = false;
    return in;
}

} // namespace

TEST(ProcessPageOffer, EntriesRemovedByTokenLeaveTheOthersTheirTokens)
{
    struct Case {
        const char* what;
        SProcessPageInputs in;
        Entries injection, switchOver, pressure;
    };
    auto with = [](auto change) {
        SProcessPageInputs in = Filling();
        change(in);
        return in;
    };
    const Case cases[] = {
        {"midplane filling", Filling(), kAllInjection, kAllSwitchOver, kAllPressure},
        {"3D mesh", with([](auto& in) { in.is3D = true; }),
         {kInjectionTime, kInjectionFlowRate, kInjectionProfile},
         {kSwitchOverVolume, kSwitchOverTime, kSwitchOverPressureAtNode},
         kAllPressure},
        {"gas", with([](auto& in) { in.flags = kFlowGas; }),
         {kInjectionTime, kInjectionFlowRate, kInjectionProfile}, kAllSwitchOver, kAllPressure},
        {"thermoset", with([](auto& in) { in.flags = kFlowThermoset; }),
         {kInjectionTime, kInjectionFlowRate}, kAllSwitchOver, kAllPressure},
        {"optimisation", with([](auto& in) { in.flags = kFlowOptimum; }),
         {kInjectionAutomatic}, kAllSwitchOver, kAllPressure},
        {"no switch-over node", with([](auto& in) { in.hasSwitchOverNode = false; }),
         kAllInjection, {kSwitchOverAutomatic, kSwitchOverVolume, kSwitchOverTime}, kAllPressure},
        {"restart by time", with([](auto& in) { in.restart = kRestartIntermediateFilling; }),
         {kInjectionAutomatic, kInjectionTime, kInjectionProfile}, kAllSwitchOver, kAllPressure},
        {"restart by flow rate", with([](auto& in) {
             in.restart = kRestartIntermediateFilling;
             in.injection = kInjectionFlowRate;
         }),
         {kInjectionAutomatic, kInjectionFlowRate, kInjectionProfile}, kAllSwitchOver, kAllPressure},
    };
    for (const Case& c : cases) {
        const SProcessPageOffer offer = ProcessPageOffer(c.in);
        EXPECT_EQ(offer.injectionEntries, c.injection) << c.what;
        EXPECT_EQ(offer.switchOverEntries, c.switchOver) << c.what;
        EXPECT_EQ(offer.pressureEntries, c.pressure) << c.what;
        EXPECT_FALSE(offer.clearFillingChoices) << c.what;
    }
}

TEST(ProcessPageOffer, APackingAnalysisGivesItsPressurePhaseAsAProfile)
{
    SProcessPageInputs in = Filling();
    in.stages.packStage = 1;
    in.pressure = kPressureSpecified;
    SProcessPageOffer offer = ProcessPageOffer(in);
    EXPECT_EQ(offer.pressure, kPressureProfile);
    EXPECT_FALSE(offer.pressureChoiceEnabled);
    EXPECT_EQ(offer.pressureEntries, kAllPressure);

    // Filling only: a profile without points is no pressure phase.
    in.stages.packStage = 0;
    in.pressure = kPressureProfile;
    in.pressureProfileEmpty = true;
    offer = ProcessPageOffer(in);
    EXPECT_EQ(offer.pressure, kPressureFactor);
    EXPECT_TRUE(offer.pressureChoiceEnabled);
    in.pressureProfileEmpty = false;
    EXPECT_EQ(ProcessPageOffer(in).pressure, kPressureProfile);

    // An optimum packing profile is found by the optimisation: no choice at all.
    in.flags = kFlowOptimum;
    in.stages.packStage = 1;
    offer = ProcessPageOffer(in);
    EXPECT_TRUE(offer.pressureEntries.empty());
    EXPECT_FALSE(offer.pressureChoiceEnabled);
    EXPECT_EQ(offer.pressure, kPressureProfile);
}

TEST(ProcessPageOffer, WithoutAnEditableFillingTheChoicesAreDropped)
{
    // A standalone packing analysis, or a restart after the switch-over.
    SProcessPageInputs in = Filling();
    in.stages = {0, 0, 1, 0};
    in.pressure = kPressureFactor;
    SProcessPageOffer offer = ProcessPageOffer(in);
    EXPECT_TRUE(offer.clearFillingChoices);
    EXPECT_EQ(offer.injection, -1);
    EXPECT_FALSE(offer.injectionEditable);
    EXPECT_FALSE(offer.fillingEditable);
    // Packing forced the profile: the two other ways are gone.
    EXPECT_EQ(offer.pressureEntries, Entries{kPressureProfile});
    // Nothing else is removed, though a 3D mesh would have lost AUTOMATIC.
    in.is3D = true;
    EXPECT_EQ(ProcessPageOffer(in).injectionEntries, kAllInjection);

    // A restart keeps the velocity phase's choice but not its values.
    in = Filling();
    in.restart = kRestartIntermediateFilling;
    offer = ProcessPageOffer(in);
    EXPECT_TRUE(offer.injectionEditable);
    EXPECT_FALSE(offer.injectionValuesEditable);
    // After a cooling analysis of an earlier flow the velocity phase stands.
    in = Filling();
    in.followsCoolingOfFlow = true;
    offer = ProcessPageOffer(in);
    EXPECT_FALSE(offer.injectionEditable);
    EXPECT_TRUE(offer.fillingEditable);
}

TEST(ProcessDialogRules, ProfileEmptinessHeadingsAndCylinderKeywords)
{
    EXPECT_TRUE(IsPressureProfileEmpty(kProfileByPressure, 0, 3));
    EXPECT_FALSE(IsPressureProfileEmpty(kProfileByPressure, 1, 0));
    EXPECT_TRUE(IsPressureProfileEmpty(kProfileByFactor, 2, 0));
    // No choice reads as factors.
    EXPECT_FALSE(IsPressureProfileEmpty(-1, 0, 1));

    EXPECT_EQ(ProfileHeadings("Time vs Ram position"), std::make_pair(std::string("Time"), std::string("Ram position")));
    EXPECT_EQ(ProfileHeadings("Ram position vs Ram velocity").first, "Ram position");
    EXPECT_EQ(ProfileHeadings("Pressure"), std::make_pair(std::string(), std::string("sure")));
    EXPECT_EQ(ProfileHeadings("abc"), std::make_pair(std::string(), std::string()));

    EXPECT_EQ(GasCylinderKeyword(5, "GAS_RELEASE_TIME"), "3DFLOW_GAS_CYLINDER5_GAS_RELEASE_TIME");
    EXPECT_EQ(GasCylinderKeyword(12, "VOLUME"), "3DFLOW_GAS_CYLINDER12_VOLUME");
}
