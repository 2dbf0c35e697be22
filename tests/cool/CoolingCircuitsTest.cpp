// The circuit set of the cooling wizard: where its circuits and coolants come
// from, what the keywords override, what it writes back and when it is
// complete; the names shown to the user and the dialog's cells.
#include "cool/BoundaryConditionFile.h"
#include "cool/CircuitDialog.h"
#include "cool/CoolRules.h"
#include "cool/CoolingCircuits.h"
#include "keyword/KeywordFile.h"
#include "model/ModelAttributeStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The sample mold as attribute text: circuit 1 on elements 41-48, circuit 2
// on 49-56 (docs/model-files.md).
const char kMoldAin[] = "*CODE NCIRCUIT\n"
                        "4 1 1 1 41 1 0\n4 1 1 1 42 1 0\n"
                        "4 2 2 1 49 2 0\n4 2 2 1 50 2 0\n";
const char kMoldAta[] = "Circuit 1\nCircuit 2\n";

struct Sources {
    MKeywordFile keywords;
    MBoundaryConditionFile boundary;
    MModelAttributeStore mold;
};

MCoolingCircuits LoadFrom(Sources& s, const std::string& keywords, const std::string& boundary,
                          const std::string& boundaryPath = "set.bc3")
{
    s.keywords.MergeText(keywords);
    s.boundary.LoadText(boundary);
    s.mold.ReadText(kMoldAin, kMoldAta);
    MCoolingCircuits circuits;
    circuits.Load(s.keywords, boundaryPath, s.boundary, s.mold);
    return circuits;
}

const char kThreeInlets[] = "*MODEL     mold.m3i\n\t1\t1\t1\n"
                            "*NODAL     INLET\n\t61\t1\t1\tFRONT_INLET\n\t65\t2\t1\tCORE_INLET\n\t69\t3\t1\tBACK_INLET\n"
                            "*DATA      PUMP MAIN_PUMP\nFLOWMAX 30\n";

} // namespace

TEST(CoolingCircuits, InletsNumberTheCircuitsAndNameTheirKeywords)
{
    Sources s;
    const MCoolingCircuits circuits = LoadFrom(s, "", kThreeInlets);
    ASSERT_EQ(circuits.GetCircuits().size(), 3u);
    EXPECT_EQ(circuits.GetCircuits()[2].number, 3);
    EXPECT_EQ(circuits.GetCircuits()[2].name, "BACK_INLET");
    EXPECT_EQ(circuits.GetPumps(), std::vector<std::string>{"MAIN_PUMP"});
    EXPECT_FALSE(circuits.AreParametersDefined());
    EXPECT_FALSE(circuits.IsComplete(true)) << "no inlet temperatures yet";

    MKeywordFile out;
    circuits.Save(out, true);
    EXPECT_EQ(out.GetValue("3DCOOL_CIRCUIT01_NAME"), "FRONT_INLET");
    EXPECT_EQ(out.GetValue("3DCOOL_CIRCUIT03_NAME"), "BACK_INLET");
    EXPECT_EQ(out.GetValue("3DCOOL_CIRCUIT02_NETWORK_ANALYSIS"), "FLOWRATE");
    EXPECT_FALSE(out.HasKeyword("3DCOOL_CIRCUIT04_NAME"));
    // Unset values are written as the marker, which reads back as absent.
    MKeywordFile back;
    back.MergeText(out.ToText());
    EXPECT_FALSE(back.HasKeyword("3DCOOL_CIRCUIT01_INLET_TEMPERATURE")) << out.ToText();
}

TEST(CoolingCircuits, WithoutInletsTheMoldGivesCircuitsAndTheSetTheirValues)
{
    Sources s;
    const MCoolingCircuits circuits =
        LoadFrom(s, "", "*MODEL     mold.m3i\n\t1\t1\t1\n"
                        "*ELEMENTAL COOLANT\n\t41\t3\t1\n\t49\t4\t1\n"
                        "*ELEMENTAL INLETTMP\n\t41\t25.000000\t1\n"
                        "*ELEMENTAL REYNOLDS\n\t49\t10000.000000\t1\n");
    // The mold's circuits from the last to the first.
    ASSERT_EQ(circuits.GetCircuits().size(), 2u);
    const MCoolingCircuit& two = circuits.GetCircuits()[0];
    const MCoolingCircuit& one = circuits.GetCircuits()[1];
    EXPECT_EQ(two.number, 2);
    EXPECT_EQ(two.name, "CIRCUIT2");
    EXPECT_EQ(two.control, kControlReynolds);
    EXPECT_DOUBLE_EQ(two.reynolds, 10000);
    EXPECT_EQ(circuits.GetCoolants()[static_cast<std::size_t>(two.coolant)].name, "COOLANT1");
    EXPECT_EQ(one.coolant, kCoolantGlycol);
    EXPECT_DOUBLE_EQ(one.inletTemperature, 25);
    EXPECT_EQ(one.control, kControlFlowRate);
    EXPECT_EQ(one.flowRate, kCircuitUnset);
}

TEST(CoolingCircuits, KeywordsOverrideWhatTheSourcesGave)
{
    Sources s;
    const MCoolingCircuits circuits =
        LoadFrom(s,
                 "3DCOOL_BOUNDARY_CONDITION: set.bc3\n"
                 "3DCOOL_CIRCUIT01_INLET_TEMPERATURE: 30\n"
                 "3DCOOL_CIRCUIT01_NETWORK_ANALYSIS: MAIN_PUMP\n"
                 "3DCOOL_CIRCUIT02_COOLANT: GLYCOL\n"
                 "3DCOOL_CIRCUIT02_COOLANT_GLYCOL: 0.3\n"
                 "3DCOOL_CIRCUIT02_NETWORK_ANALYSIS: MINIMUM_REYNOLDS_NUMBER\n"
                 "3DCOOL_CIRCUIT02_NETWORK_ANALYSIS_MINIMUM_REYNOLDS_NUMBER: 8000\n"
                 "3DCOOL_CIRCUIT03_NETWORK_ANALYSIS: OLD_PUMP\n",
                 kThreeInlets);
    const auto& c = circuits.GetCircuits();
    EXPECT_TRUE(circuits.AreParametersDefined());
    EXPECT_FALSE(circuits.IsNewMoldModel()) << "the same set";
    EXPECT_EQ(c[0].control, kControlFirstPump);
    EXPECT_DOUBLE_EQ(c[0].inletTemperature, 30);
    EXPECT_EQ(c[1].coolant, kCoolantGlycol);
    EXPECT_DOUBLE_EQ(c[1].glycol, 0.3);
    EXPECT_EQ(c[1].control, kControlReynolds);
    EXPECT_DOUBLE_EQ(c[1].reynolds, 8000);
    EXPECT_EQ(c[2].control, kControlFlowRate) << "a pump the set lacks keeps the control read before";
}

TEST(CoolingCircuits, ANewSetAndMoldModelAreTold)
{
    Sources s;
    const MCoolingCircuits circuits = LoadFrom(s,
                                               "3DCOOL_BOUNDARY_CONDITION: old.bc3\n"
                                               "3DCOOL_MOLD_MODEL_FILE: old.m3i\n"
                                               "3DCOOL_CIRCUIT01_INLET_TEMPERATURE: 30\n",
                                               kThreeInlets, "SET.BC3");
    EXPECT_TRUE(circuits.IsNewMoldModel());
    Sources same;
    const MCoolingCircuits sameMold = LoadFrom(same,
                                               "3DCOOL_BOUNDARY_CONDITION: old.bc3\n"
                                               "3DCOOL_MOLD_MODEL_FILE: MOLD.M3I\n",
                                               kThreeInlets);
    EXPECT_FALSE(sameMold.IsNewMoldModel()) << "another set of the same mold, ignoring case";
}

TEST(CoolingCircuits, CoolantsKeepTheirOrderAndOnlyUserCoolantsAreWritten)
{
    Sources s;
    MCoolingCircuits circuits = LoadFrom(s,
                                         "3DCOOL_CIRCUIT01_COOLANT: BRINE\n"
                                         "3DCOOL_COOLANT07_COOLANT: SILICONE\n"
                                         "3DCOOL_COOLANT07_DENSITY: 960\n",
                                         kThreeInlets);
    const auto& coolants = circuits.GetCoolants();
    ASSERT_EQ(coolants.size(), 5u);
    EXPECT_EQ(coolants[3].name, "BRINE");
    EXPECT_EQ(coolants[3].density, kCircuitUnset);
    EXPECT_EQ(coolants[4].name, "SILICONE");
    EXPECT_DOUBLE_EQ(coolants[4].density, 960);
    EXPECT_EQ(circuits.FindOrAddCoolant("WATER"), kCoolantWater);
    EXPECT_EQ(circuits.FindOrAddCoolant("SILICONE"), 4);

    MKeywordFile out;
    circuits.Save(out, false);
    EXPECT_EQ(out.GetValue("3DCOOL_COOLANT01_COOLANT"), "BRINE");
    EXPECT_EQ(out.GetValue("3DCOOL_COOLANT01_DENSITY"), "-16384") << "the unset marker";
    EXPECT_EQ(out.GetValue("3DCOOL_COOLANT02_COOLANT"), "SILICONE");
    EXPECT_EQ(out.GetValue("3DCOOL_COOLANT02_DENSITY"), "960");
    EXPECT_EQ(out.GetValue("3DCOOL_CIRCUIT01_COOLANT"), "BRINE");
    EXPECT_FALSE(out.HasKeyword("3DCOOL_COOLANT03_COOLANT"));
    for (const char* builtIn : {"WATER", "OIL", "GLYCOL"})
        EXPECT_EQ(out.ToText().find(std::string(": ") + builtIn + "\n3DCOOL_COOLANT"), std::string::npos);
}

TEST(CoolingCircuits, TotalFlowRateRemovesEveryControlAndAsksNoFlowRate)
{
    Sources s;
    MCoolingCircuits circuits = LoadFrom(s, "", kThreeInlets);
    for (MCoolingCircuit& c : circuits.GetCircuits())
        c.inletTemperature = 30;
    EXPECT_TRUE(circuits.IsComplete(false));
    EXPECT_FALSE(circuits.IsComplete(true)) << "by circuit, a flow rate is needed";
    circuits.GetCircuits()[0].control = kControlFirstPump; // a pump needs no value
    circuits.GetCircuits()[1].control = kControlReynolds;
    circuits.GetCircuits()[1].reynolds = 9000;
    circuits.GetCircuits()[2].flowRate = 1e-4;
    EXPECT_TRUE(circuits.IsComplete(true));
    circuits.GetCircuits()[2].coolant = kCoolantGlycol;
    EXPECT_FALSE(circuits.IsComplete(false)) << "glycol needs its concentration";

    MKeywordFile out;
    out.MergeText("3DCOOL_CIRCUIT01_NETWORK_ANALYSIS: FLOWRATE\n3DCOOL_CIRCUIT02_NETWORK_ANALYSIS_FLOWRATE: 2E-4\n");
    circuits.Save(out, false);
    for (const char* keyword : {"3DCOOL_CIRCUIT01_NETWORK_ANALYSIS", "3DCOOL_CIRCUIT02_NETWORK_ANALYSIS",
                                "3DCOOL_CIRCUIT03_NETWORK_ANALYSIS"})
        EXPECT_FALSE(out.HasKeyword(keyword)) << keyword;
    EXPECT_EQ(out.GetValue("3DCOOL_CIRCUIT02_NETWORK_ANALYSIS_FLOWRATE"), "2E-4") << "an unset rate leaves it";
    EXPECT_EQ(out.GetValue("3DCOOL_CIRCUIT02_NETWORK_ANALYSIS_MINIMUM_REYNOLDS_NUMBER"), "9000");
    circuits.Save(out, true);
    EXPECT_EQ(out.GetValue("3DCOOL_CIRCUIT01_NETWORK_ANALYSIS"), "MAIN_PUMP");
}

TEST(CoolingCircuits, MissingFilesContributeNothing)
{
    wiztest::ScratchDir dir;
    MModelAttributeStore mold;
    MCoolingCircuits circuits;
    circuits.Load(dir / "none.cin", dir / "none.bc3", mold);
    EXPECT_TRUE(circuits.GetCircuits().empty());
    EXPECT_TRUE(circuits.IsComplete(true)) << "a set without circuits";
    EXPECT_EQ(circuits.GetCoolants().size(), 3u);
}

TEST(CoolRules, ShownNamesAndFileNames)
{
    const std::pair<const char*, const char*> names[] = {
        {"WATER", "Water"},        {"COOLANT2", "Coolant 2"}, {"CIRCUIT12", "Circuit 12"},
        {"PUMP1", "Pump 1"},       {"MAIN_PUMP", "Main Pump "}, {"FRONT_INLET", "Front Inlet"},
        {"2ND_LOOP", "2Nd Loop"}, /* the first letter, not the first character */ {"A", "A"}, {"", ""},
    };
    for (const auto& [stored, shown] : names)
        EXPECT_EQ(ShownName(stored), shown) << stored;

    EXPECT_EQ(JournalFileFor("/p/mold.zql"), "/p/mold");
    EXPECT_EQ(JournalFileFor("a.b.m3i"), "a.b");
    EXPECT_EQ(JournalFileFor("mold"), "mold");
    EXPECT_EQ(WithDefaultExtension("mold", ".zql"), "mold.zql");
    EXPECT_EQ(WithDefaultExtension("mold.m3i", ".zql"), "mold.m3i");
    EXPECT_EQ(WithDefaultExtension("", ".bc3"), "");
}

TEST(CircuitDialog, CellsAndTheCommonValueOfSeveralRows)
{
    EXPECT_EQ(CommonCellText({"20", "25"}), "");
    EXPECT_EQ(CommonCellText({"", "25", "25"}), "25") << "empty cells before a value are passed over";
    EXPECT_EQ(CommonCellText({"25", ""}), "");
    EXPECT_EQ(CommonCellText({"", ""}), "");

    MCoolingCircuits set;
    MCoolingCircuit glycol{.number = 1, .name = "CIRCUIT1", .inletTemperature = 20, .coolant = kCoolantGlycol,
                           .glycol = 0.3, .control = kControlFlowRate, .flowRate = 1e-4};
    // The concentration is a percentage in every unit system.
    for (UnitSystem system : {kUnitsMetric, kUnitsEnglish, kUnitsSI})
        EXPECT_EQ(CCircuitDialog::FormatCell(set, glycol, 3, system), "30") << system;
    EXPECT_EQ(CCircuitDialog::FormatCell(set, glycol, 0, kUnitsMetric), "Circuit 1");
    EXPECT_EQ(CCircuitDialog::FormatCell(set, glycol, 1, kUnitsEnglish), "68");
    EXPECT_EQ(CCircuitDialog::FormatCell(set, glycol, 4, kUnitsMetric), "Flow rate (l/min)");
    EXPECT_EQ(CCircuitDialog::FormatCell(set, glycol, 5, kUnitsMetric), "6");
    glycol.coolant = kCoolantWater;
    glycol.inletTemperature = kCircuitUnset;
    EXPECT_EQ(CCircuitDialog::FormatCell(set, glycol, 3, kUnitsMetric), "") << "only glycol shows a concentration";
    EXPECT_EQ(CCircuitDialog::FormatCell(set, glycol, 1, kUnitsMetric), "");
}
