// The installed solver data as the wizards read it: each program's range files
// merged in the wizard's order, then every value of its defaults file (and of
// the sample analysis inputs) checked against the merged ranges.
#include "host/ProjectTree.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "keyword/ValueRange.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct SolverFiles {
    std::string name;
    std::vector<std::string> defaults; // in merge order
    std::vector<std::string> ranges;   // in merge order
};

std::string DataPath()
{
    return wiztest::SourcePath("data/solver/");
}

// Every defaults/range pairing a wizard makes, by the host's program names.
std::vector<SolverFiles> AllSolverFiles()
{
    MProjectTree tree;
    tree.SetDataPath(DataPath());
    const std::string data = tree.GetDataPath();
    std::vector<SolverFiles> out;
    const struct { Node_SubType sub, mesh; int flags; } analyses[] = {
        {kSubFlow, kSubMidplane, 0},
        {kSubFlow, kSubMidplane, kFlowFiber},
        {kSubFlow, kSubMidplane, kFlowGas},
        {kSubFlow, kSubMidplane, kFlowThermoset},
        {kSubFlow, kSubMidplane, kFlowOptimum},
        {kSubFlow, kSub3D, 0},
        {kSubCooling, kSubMesh2DCool, 0},
        {kSubCooling, kSub3D, 0},
    };
    for (const auto& a : analyses) {
        const std::string program = tree.GetProgramName(a.sub, a.mesh, a.flags);
        out.push_back({program, {tree.GetDefaultsFile(a.sub, a.mesh, a.flags)},
                       GetSolverRangeFiles(data, program)});
    }
    out.push_back({"warp", {tree.GetDefaultsFile(kSubWarpage, kSubMidplane, 0)}, GetWarpRangeFiles(data)});
    out.push_back({"translator", GetTranslatorDefaultsFiles(data), GetTranslatorRangeFiles(data)});
    out.push_back({"machine", {GetMachineDefaultsFile(data)}, GetMachineRangeFiles(data)});
    return out;
}

bool ParseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0';
}

// Checks one stored value against the ranges the bindings would use: each
// line of a list is an item, and its second number (a table's second column)
// goes by "_RANGE2". Returns what fails, "" when every number lies in range.
std::string CheckValue(const MKeywordFile& store, const std::string& keyword, const std::string& raw)
{
    const CValueRange first = CValueRange::Parse(store.GetValue(GetRangeKeyword(keyword)));
    const CValueRange second = CValueRange::Parse(store.GetValue(GetSecondRangeKeyword(keyword)));
    if (!first.HasBounds() && !second.HasBounds())
        return "";
    std::string failures;
    std::string line;
    std::istringstream lines(raw);
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\\')
            line.pop_back();
        std::istringstream items(line);
        std::string item;
        for (int column = 0; items >> item; ++column) {
            double value = 0;
            const CValueRange& range = (column == 0 && !UsesSecondRangeForBoth(keyword)) ? first : second;
            if (!ParseNumber(item, value))
                failures += " '" + item + "' is not a number";
            else if (!range.Contains(value))
                failures += " " + item + " outside " + range.ToText();
        }
    }
    return failures;
}



} // namespace

TEST(SolverData, EveryDefaultLiesInItsRange)
{
    for (const SolverFiles& solver : AllSolverFiles()) {
        SCOPED_TRACE(solver.name);
        MKeywordFile ranges;
        EXPECT_TRUE(MergeRangeFiles(ranges, solver.ranges));
        ASSERT_GT(ranges.GetKeywordCount(), 0u);
        MKeywordFile defaults;
        for (const std::string& path : solver.defaults)
            EXPECT_TRUE(defaults.Merge(path));
        ASSERT_GT(defaults.GetKeywordCount(), 5u);
        for (const std::string& keyword : defaults.GetKeywords())
            EXPECT_EQ(CheckValue(ranges, keyword, defaults.GetRawValue(keyword)), "") << keyword;
    }
}

TEST(SolverData, SampleInputsLieInTheirRanges)
{
    const std::string data = DataPath();
    const struct { const char* input; std::vector<std::string> ranges; } inputs[] = {
        {"flow1.fin", GetSolverRangeFiles(data, "zqflow")},
        {"cool1.cin", GetSolverRangeFiles(data, "zqcool3d")},
        {"warp1.win", GetWarpRangeFiles(data)},
        {"plate1.081", GetTranslatorRangeFiles(data)},
    };
    for (const auto& in : inputs) {
        SCOPED_TRACE(in.input);
        MKeywordFile ranges;
        EXPECT_TRUE(MergeRangeFiles(ranges, in.ranges));
        MKeywordFile file;
        EXPECT_TRUE(file.Load(wiztest::SourcePath(std::string("data/sample-project/") + in.input)));
        ASSERT_GT(file.GetKeywordCount(), 3u);
        for (const std::string& keyword : file.GetKeywords())
            EXPECT_EQ(CheckValue(ranges, keyword, file.GetRawValue(keyword)), "") << keyword;
    }
}

TEST(SolverData, CheckFindsDisplayValuesAndTokens)
{
    MKeywordFile store;
    store.MergeText("P_RANGE: [0.5:1]\nT_RANGE: [0:1]\nT_RANGE2: (0:2]\n"
                    "X_PRESSURE_AT_A_NODE_RANGE: [0:1]\nX_PRESSURE_AT_A_NODE_RANGE2: (0:5E+8]\n");
    EXPECT_EQ(CheckValue(store, "P", "0.98"), "");
    EXPECT_EQ(CheckValue(store, "P", "98"), " 98 outside [0.5:1]");
    EXPECT_EQ(CheckValue(store, "P", "AUTOMATIC"), " 'AUTOMATIC' is not a number");
    EXPECT_EQ(CheckValue(store, "T", "0 1 \\\n1 2"), "");
    EXPECT_EQ(CheckValue(store, "T", "0 1 \\\n100 100"), " 100 outside [0:1] 100 outside (0:2]");
    EXPECT_EQ(CheckValue(store, "X_PRESSURE_AT_A_NODE", "57 2E+7"), "");
    EXPECT_EQ(CheckValue(store, "UNRANGED", "ON"), "");
}

// Percentages are held as fractions and angles in radians; a range written in
// display units (whole percent, degrees) is off by a factor the check above
// cannot see when the default was written the same way.
TEST(SolverData, PercentagesAndAnglesAreHeldInSI)
{
    const double pi = std::numbers::pi;
    const struct { const char* file; const char* keyword; double low, high; } table[] = {
        {"zqflow.rng", "3DFLOW_VELOCITY_PRESSURE_TRANSITION_PERCENTAGE_VOLUME", 0.5, 1},
        {"zqflow.rng", "3DFLOW_FILL_INJECTION_PROFILE_FLOW_VOL", 0, 1},
        {"zqflow.rng", "3DFLOW_FILL_NODAL_GROWTH_MECHANISM_MULTIPLE", 0, 1},
        {"zqflow.rng", "3DFLOW_RUN_TIME_TOLERANCE", 0, 1},
        {"zqflow3d.rng", "MOLD3D_VELOCITY_PRESSURE_TRANSITION_PERCENTAGE_VOLUME", 0.5, 1},
        {"zqflow3d.rng", "MOLD3D_FILLING_PERCENTAGE_VOLUME_PER_TIME_STEP", 0, 0.2},
        {"zqgas.rng", "3DFLOW_GAS_NOZZLE_SHUT_OFF_PERCENTAGE_VOLUME", 0, 1},
        {"zqoptim.rng", "3DFLOW_OPTIM_VELOCITY_PROFILE_MAXIMUM_SPEED", 0, 1},
        {"zqcool3d.rng", "3DCOOL_FRACTION_PLASTIC_FROZEN", 0, 1},
        {"warp.rng", "3DSTRUCT_SVA_SENSITIVITY_DIFFCOOL", 0, 1},
        {"warp.rng", "3DSTRUCT_CORNER_MAX_ANGLE", 0, pi},
        {"warp.rng", "3DSTRUCT_MAXIMUM_ANGLE_BETWEEN_FACETS", 0, pi / 2},
        {"zqtrans.rng", "IGS_CURV_ANGLE", 0, pi / 2},
    };
    for (const auto& row : table) {
        MKeywordFile ranges;
        EXPECT_TRUE(ranges.Load(DataPath() + row.file));
        const CValueRange range = CValueRange::Parse(ranges.GetValue(GetRangeKeyword(row.keyword)));
        SCOPED_TRACE(std::string(row.file) + " " + row.keyword + " " + range.ToText());
        ASSERT_NE(range.m_highKind, CValueRange::kNoBound);
        EXPECT_NEAR(range.m_low, row.low, 1e-6);
        // Bounds are printed with a few digits; the upper one rounded up so
        // that the display value of the bound itself passes.
        EXPECT_GE(range.m_high, row.high);
        EXPECT_NEAR(range.m_high, row.high, 1e-5);
    }
}

// The molding-window limits get their ranges from the material's no-flow
// temperature; a range file entry would replace them.
TEST(SolverData, NoRangeFileBoundsTheMoldingWindowLimits)
{
    const char* limits[] = {
        "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT", "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_UPPER_LIMIT",
        "3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_LOWER_LIMIT", "3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_UPPER_LIMIT"};
    for (const SolverFiles& solver : AllSolverFiles()) {
        MKeywordFile ranges;
        EXPECT_TRUE(MergeRangeFiles(ranges, solver.ranges));
        for (const char* limit : limits)
            EXPECT_FALSE(ranges.HasKeyword(GetRangeKeyword(limit))) << solver.name << " " << limit;
    }
}
