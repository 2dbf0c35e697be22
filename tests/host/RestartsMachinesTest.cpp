// Restart lists, the machine database and the solver data the host hands out.
#include "host/FlowRestarts.h"
#include "host/HostPaths.h"
#include "host/ProjectTree.h"
#include "keyword/KeywordFile.h"
#include "platform/system/WinApp.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

TEST(FlowRestarts, ListsThePointsOfTheSampleFlow)
{
    const std::string fin = wiztest::SourcePath("data/sample-project/flow1.fin");
    MFlowRestarts list(fin); // any file of the analysis leads to its ".fr0"
    ASSERT_EQ(list.GetCount(), 4) << list.GetReadError();
    EXPECT_EQ(list.GetType(0), -1);
    EXPECT_EQ(list.GetType(2), 0);
    EXPECT_EQ(list.GetType(3), 1);
    EXPECT_EQ(list.GetType(9), 0);
    EXPECT_EQ(list.GetDescription(0), "Filling: 0.4 s, 50% filled");
    EXPECT_EQ(list.GetDescription(2), "End of filling: 0.81 s");
    EXPECT_EQ(list.GetDescription(3), "Packing: 5.8 s - gate frozen");
    EXPECT_EQ(list.GetDescription(-1), "");
    EXPECT_EQ(list.GetFilename(2), wiztest::SourcePath("data/sample-project/flow1.fr3"));
    EXPECT_EQ(list.GetIndexByFilename("C:\\work\\FLOW1.FR3"), 2);
    EXPECT_EQ(list.GetIndexByFilename("flow1.fr9"), -1);

    wiztest::ScratchDir dir;
    ASSERT_TRUE(list.GenerateKeywordFile(1, dir / "point.kw"));
    MKeywordFile point;
    ASSERT_TRUE(point.Load(dir / "point.kw"));
    EXPECT_EQ(point.GetValue("3DFLOW_PRESSURE_CONTROL_STATUS"), "ON");
    EXPECT_EQ(point.GetValue("MELT_TEMPERATURE"), "230");
    EXPECT_FALSE(point.HasKeyword("TYPE")); // the point's own fields are not settings
    EXPECT_FALSE(list.GenerateKeywordFile(4, dir / "none.kw"));

    EXPECT_EQ(MFlowRestarts(dir / "absent").GetCount(), 0);
    EXPECT_EQ(MFlowRestarts("").GetCount(), 0);
}

TEST(FlowRestarts, ReadsThreeDIndexesAndRefusesGarbledOnes)
{
    wiztest::ScratchDir dir;
    wiztest::WriteBytes(dir / "run.tr0",
                        "FLOW_RESTART_INDEX: 1\r\nTHERMOSET: ON\r\n[POINT]\r\nTYPE: 2\r\nTIME: 12\r\nFILLED: 40\r\n"
                        "FILE: run.t01\r\nMOLD3D_PRESSURE_CONTROL_PROFILE_PRESSURE: 5e+07 1 \\\r\n6e+07 2\r\n");
    MFlow3DRestarts list(dir / "run.tr0");
    ASSERT_EQ(list.GetCount(), 1) << list.GetReadError();
    EXPECT_EQ(list.GetType(0), 1);
    EXPECT_EQ(list.GetDescription(0), "Curing: 12 s, 40% cured");
    ASSERT_TRUE(list.GenerateKeywordFile(0, dir / "p.kw"));
    MKeywordFile point;
    ASSERT_TRUE(point.Load(dir / "p.kw"));
    EXPECT_EQ(point.GetRawValue("MOLD3D_PRESSURE_CONTROL_PROFILE_PRESSURE"), "5e+07 1 \\\n6e+07 2");

    for (const char* bad : {"[POINT]\nTYPE: -1\nFILE: a\n", "FLOW_RESTART_INDEX: 2\n",
                            "FLOW_RESTART_INDEX: 1\n[POINT]\nTYPE: soon\nFILE: a\n",
                            "FLOW_RESTART_INDEX: 1\n[POINT]\nTYPE: 1\n", "FLOW_RESTART_INDEX: 1\ngarbage\n"}) {
        wiztest::WriteBytes(dir / "bad.fr0", bad);
        MFlowRestarts garbled(dir / "bad.fr0");
        EXPECT_EQ(garbled.GetCount(), 0) << bad;
        EXPECT_FALSE(garbled.GetReadError().empty()) << bad;
    }
}

TEST(Machines, ListsTheDatabaseAndDerivesKeywords)
{
    wiztest::ScratchDir dir;
    CWinApp app;
    app.SetProfileFile(dir / "profile.ini");
    MProjectTree tree;
    ASSERT_TRUE(tree.Create(dir / "proj", "m"));
    EXPECT_EQ(tree.GetMachineDBPath(), "");
    const std::vector<std::string> installed = tree.GetIMMFiles();
    ASSERT_EQ(installed.size(), 5u);
    EXPECT_EQ(hostpath::BaseName(installed[0]), "am080.imm");

    std::filesystem::create_directories(dir / "db");
    wiztest::WriteBytes(dir / "db/zq1.imm", "MACHINE_MANUFACTURER: Kestrel\r\n");
    wiztest::WriteBytes(dir / "proj/local.imm", "MACHINE_MANUFACTURER: Kestrel\r\n");
    ASSERT_TRUE(tree.SetMachineDBPath(dir / "db"));
    EXPECT_EQ(tree.GetMachineDBPath(), dir / "db");
    std::vector<std::string> all = tree.GetIMMFiles();
    ASSERT_EQ(all.size(), 7u);
    EXPECT_EQ(hostpath::BaseName(all[5]), "zq1.imm");
    EXPECT_EQ(hostpath::BaseName(all[6]), "local.imm");
    tree.SetMachineDBPath(wiztest::SourcePath("data/machines")); // the installation folder counts once
    EXPECT_EQ(tree.GetIMMFiles().size(), 6u);

    const std::string out = dir / "machine.kw";
    ASSERT_TRUE(tree.GenerateMachineKeywords(out, wiztest::SourcePath("data/machines/kx150.imm")));
    MKeywordFile kw;
    ASSERT_TRUE(kw.Load(out));
    const double area = std::numbers::pi * 0.045 * 0.045 / 4;
    EXPECT_NEAR(std::stod(kw.GetValue("3DFLOW_MACHINE_MAXIMUM_FLOW_RATE")), area * 0.25, 1e-8);
    EXPECT_NEAR(std::stod(kw.GetValue("3DFLOW_MACHINE_MAXIMUM_SHOT_VOLUME")), area * 0.2, 1e-8);
    EXPECT_EQ(kw.GetValue("3DFLOW_RAM"), "SPECIFIED");
    EXPECT_EQ(kw.GetValue("3DFLOW_PRESSURE_CONTROL_SPECIFIED_RANGE"), "(0:2E+8]");
    EXPECT_EQ(kw.GetValue("3DFLOW_OPTIM_MAXIMUM_VELOCITY_STEPS"), "20");
    wiztest::WriteBytes(dir / "half.imm", "MACHINE_INJECTION_SCREW_DIAMETER: 0.04\r\n");
    EXPECT_FALSE(tree.GenerateMachineKeywords(dir / "none.kw", dir / "half.imm"));
}

TEST(SolverData, EveryProgramHasItsDefaultsAndRanges)
{
    MProjectTree tree;
    const std::string data = tree.GetDataPath();
    ASSERT_FALSE(data.empty());
    EXPECT_EQ(data.back(), '/');
    EXPECT_EQ(tree.GetProgramName(kSubFlow, kSub3D, kFlowGas), "zqflow3d");
    EXPECT_EQ(tree.GetProgramName(kSubFlow, kSubMidplane, kFlowThermoset | kFlowGas), "zqtset");
    EXPECT_EQ(tree.GetProgramName(kSubFlow, kSubFusion, kFlowFiber), "zqfiber");
    EXPECT_EQ(tree.GetProgramName(kSubCooling, kSubMesh2DCool, 0), "zqcool2d");
    EXPECT_EQ(tree.GetProgramName(kSubStress, kSubMidplane, 0), "warp");
    EXPECT_EQ(tree.GetProgramName(kSubMidplane, kSubMidplane, 0), "");
    EXPECT_EQ(tree.GetDefaultsFile(kSubFlow, kSubMidplane, 0), data + "zqflow.def");

    const struct { Node_SubType sub, mesh; int flags; } analyses[] = {
        {kSubFlow, kSubMidplane, 0}, {kSubFlow, kSubMidplane, 1}, {kSubFlow, kSubMidplane, 2},
        {kSubFlow, kSubMidplane, 4}, {kSubFlow, kSubMidplane, 8}, {kSubFlow, kSub3D, 0},
        {kSubCooling, kSubMesh2DCool, 0}, {kSubCooling, kSub3D, 0}, {kSubWarpage, kSubMidplane, 0},
        {kSubTranslator, kSubNone, 0}, {kSubMesher, kSubNone, 0}};
    for (const auto& a : analyses) {
        const std::string program = tree.GetProgramName(a.sub, a.mesh, a.flags);
        MKeywordFile defaults, ranges;
        ASSERT_TRUE(defaults.Load(data + program + ".def")) << program;
        ASSERT_TRUE(ranges.Load(data + program + ".rng")) << program;
        EXPECT_GT(defaults.GetKeywordCount(), 5u) << program;
        EXPECT_GT(ranges.GetKeywordCount(), 0u) << program;
        // Whether each default lies in its range: SolverDataTest.cpp.
    }
}
