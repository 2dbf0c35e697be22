// wizhost run flow: the flow analysis wizard driven by scripts on a fresh copy
// of the sample project, its analysis files checked against golden files (the
// project folder written as $PROJECT). WIZ_UPDATE_GOLDEN=1 rewrites them.
#include "WizardRunSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

using wiztest::RunWizhost;

namespace {

using wizrun::Golden;
using wizrun::ReplaceAll;
using wizrun::Script;

class FlowRun : public wizrun::SampleProjectRun {
protected:
    FlowRun() : SampleProjectRun("flow") {}
};

} // namespace

TEST_F(FlowRun, FreshFillAndPackOnTheMidplane)
{
    auto r = Run(Node("material1.mtl"), Script("flow-fill-pack.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("file: flow2.fin\njob submission: 0 (run now)\n"), std::string::npos) << r.out;
    ExpectGolden("flow2.fin", "flow-fill-pack.fin");
    // The input sits below the material, its pending result below it.
    const std::string tree = Tree();
    EXPECT_NE(tree.find("state 1 \"Fill and pack, PP at 240 deg.C\" flow2.fin\n"), std::string::npos) << tree;
    EXPECT_NE(tree.find("flow2.flr\n"), std::string::npos) << tree;
}

TEST_F(FlowRun, MoldingWindowRangesFollowTheNoFlowTemperature)
{
    auto r = Run(Node("pcabs.mtl"), Script("flow-molding-window.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("file: flow2.fin\njob submission: 2 (submit later)\n"), std::string::npos) << r.out;
    ExpectGolden("flow2.fin", "flow-molding-window.fin");
    const std::string text = Written("flow2.fin");
    EXPECT_NE(text.find("\n3DFLOW_ANALYSIS_TYPE: FAST\n"), std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT: 240\n"), std::string::npos);
}

TEST_F(FlowRun, GateLocationWithoutInitialInjectionLocations)
{
    auto r = Run(Node("material1.mtl"), Script("flow-gate-location.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    ExpectGolden("flow2.fin", "flow-gate-location.fin");
    const std::string text = Written("flow2.fin");
    EXPECT_EQ(text.find("BOUNDARY_CONDITION:"), std::string::npos) << text;
    EXPECT_NE(text.find("\n3DFLOW_ANALYSIS_AIM: GATE_LOCATION\n"), std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_ANALYSIS_TYPE: FAST\n"), std::string::npos);
}

TEST_F(FlowRun, RestartsFromAPointOfAnEarlierResult)
{
    // 3D: the first point of the index is time stamp 2; the input is edited in place.
    auto r = Run(Node("restart-3d.fin"), Script("flow-restart-3d.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("\"restart-3d.flr\"\nfile: restart-3d.fin\n"), std::string::npos) << r.out;
    ExpectGolden("restart-3d.fin", "flow-restart-3d.fin");
    std::string text = Written("restart-3d.fin");
    EXPECT_NE(text.find("\nMOLD3D_RESTART: SPECIFIED_TIME\nMOLD3D_RESTART_TIME_STAMP_NUMBER: 2\n"), std::string::npos);

    // Opened again, the chosen point is the one selected.
    r = RunText(Node("restart-3d.fin"), "expect text IDC_FLOW_RESTART_LIST \"Filling: 0.45 s, 50% filled\"\ncancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;

    // Midplane: the packing point's token and file.
    r = Run(Node("restart-midplane.fin"), Script("flow-restart-midplane.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    ExpectGolden("restart-midplane.fin", "flow-restart-midplane.fin");
    text = Written("restart-midplane.fin");
    EXPECT_NE(text.find("\n3DFLOW_RESTART: INTERMEDIATE_PACKING\n"), std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_RESTART_INTERMEDIATE_PACKING: flow1.fr4\n"), std::string::npos);
    // The restart's input became pending again.
    EXPECT_NE(Tree().find("state 1 \"Restart of the fill and pack\" restart-midplane.fin\n"), std::string::npos);
}

TEST_F(FlowRun, SwitchOverNodeIsStoredWithItsPressure)
{
    auto r = Run(Node("material1.mtl"), Script("flow-switch-over-node.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    ExpectGolden("flow2.fin", "flow-switch-over-node.fin");
    EXPECT_NE(Written("flow2.fin").find("\n3DFLOW_VELOCITY_PRESSURE_TRANSITION_PRESSURE_AT_A_NODE: 10 \\\n2E+7\n"),
              std::string::npos);

    // Edited again, the page shows the pressure alone, in MPa.
    r = RunText(Node("flow2.fin"), "next\nexpect text IDC_FLOW_BC_FILE " + project + "/valvegates.bf3\nnext\n"
                                   "expect dialog IDD_FLOW_PAGE3\n"
                                   "expect text IDC_FLOW_SWITCH_PRESSURE 20\ncancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
}

TEST_F(FlowRun, OptimisationMergesTheChosenMachine)
{
    auto r = Run(Node("material1.mtl"), Script("flow-optimum-machine.script"), {"--flags", "8"});
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    ExpectGolden("flow2.fin", "flow-optimum-machine.fin");
    const std::string text = Written("flow2.fin");
    EXPECT_NE(text.find("\nMACHINE_MANUFACTURER_MODEL_CODE: AM-80\n"), std::string::npos);
    EXPECT_NE(text.find("\nMACHINE_DATABASE: KEYWORD\n"), std::string::npos);
    EXPECT_EQ(text.find("MACHINE_FILE"), std::string::npos);
    // Derived from the machine: the ram is the screw.
    EXPECT_NE(text.find("\n3DFLOW_RAM: SPECIFIED\n"), std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_RAM_SPECIFIED_DIAMETER: 0.03\n"), std::string::npos);
    // The input records the optimisation flag.
    EXPECT_NE(RunWizhost({"project", "show", project, Node("flow2.fin")}).out.find("flags: 8\n"), std::string::npos);
}

TEST_F(FlowRun, RefusalsChangeNothing)
{
    const std::string before = Tree();
    // No machine chosen in an optimisation: the page stays.
    auto r = RunText(Node("material1.mtl"), "next\nexpect message Please select a machine!\nanswer OK\n"
                                            "expect dialog IDD_FLOW_PAGE1\ncancel\n",
                     {"--flags", "8"});
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
    // A boundary-condition set without injection locations (the cooling set
    // is not offered; an unreadable flow set has none).
    wiztest::WriteBytes(project + "/empty.bf3", "*MODEL     plate1.zql\n");
    ASSERT_EQ(RunWizhost({"project", "add", project, project + "/empty.bf3", "--type", "5", "--subtype", "27",
                          "--parent", Node("plate1.zql")})
                  .exitCode,
              0);
    const std::string withEmpty = Tree();
    r = RunText(Node("material1.mtl"),
                "next\nselect IDC_FLOW_BC_LIST \" empty.bf3\"\nnext\n"
                "expect message These boundary conditions cannot be used for this analysis as there are no "
                "injections locations specified.\nanswer OK\nexpect dialog IDD_FLOW_PAGE2\ncancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
    // A gas analysis needs gas injection points.
    r = RunText(Node("material1.mtl"),
                "next\nselect IDC_FLOW_BC_LIST \" flow.bf3\"\nnext\n"
                "expect message \"These boundary conditions do not specify any gas cylinders.\\nThey cannot be used "
                "for gas analysis.\"\nanswer OK\nselect IDC_FLOW_BC_LIST \" gas.bf3\"\nnext\n"
                "expect dialog IDD_FLOW_PAGE3\ncancel\n",
                {"--flags", "2"});
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
    EXPECT_EQ(Tree(), withEmpty);
    EXPECT_NE(before, withEmpty);

    // Bad flags and nodes are usage errors.
    r = Run(Node("material1.mtl"), Script("flow-fill-pack.script"), {"--flags", "16"});
    EXPECT_EQ(r.exitCode, 2);
    r = Run(Node("plate.igs"), Script("flow-fill-pack.script"));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("is not a material, a flow analysis input"), std::string::npos) << r.err;
    r = RunWizhost({"run", "translate", "--project", project, "--node", Node("plate.stl"), "--flags", "1", "--tty"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("translate takes no --flags"), std::string::npos) << r.err;
}

TEST_F(FlowRun, WhereFinishPutsTheAnalysis)
{
    // A new analysis is named after its material until the user names it.
    auto r = RunText(Node("material1.mtl"),
                     "next\nselect IDC_FLOW_BC_LIST \" flow.bf3\"\nnext\nnext\n"
                     "expect text IDC_FLOW_DESCRIPTION \"Flow analysis, PP homopolymer, MFI 12\"\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_NE(Tree().find("state 1 \"Flow analysis, PP homopolymer, MFI 12\" flow2.fin\n"), std::string::npos);

    // A read-only input is not written over: the edited analysis joins its parent.
    const std::string input = project + "/restart-midplane.fin";
    const std::string before = wiztest::ReadBytes(input);
    std::filesystem::permissions(input, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    r = RunText(Node("restart-midplane.fin"), "next\nnext\nfinish\n");
    std::filesystem::permissions(input, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("file: flow3.fin\n"), std::string::npos) << r.out;
    EXPECT_EQ(wiztest::ReadBytes(input), before);
    const auto shown = RunWizhost({"project", "show", project, Node("flow3.fin")}).out;
    EXPECT_NE(shown.find("parent: " + Node("flow1.flr") + "\n"), std::string::npos) << shown;
}

TEST_F(FlowRun, PressureAndVelocityProfilesAreWrittenPointByPoint)
{
    auto r = Run(Node("material1.mtl"), Script("flow-pressure-profile.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    ExpectGolden("flow2.fin", "flow-pressure-profile.fin");
    const std::string text = Written("flow2.fin");
    // 80 MPa for 10 s, then on a continued line 50 MPa for 5 s.
    EXPECT_NE(text.find("\n3DFLOW_PRESSURE_CONTROL_PROFILE_PRESSURE: 8e+07 10 \\\n5e+07 5\n"), std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_PRESSURE_CONTROL: PROFILE\n"), std::string::npos);
    // 50 % of the shot at 100 % flow rate is kept as fractions.
    EXPECT_NE(text.find("\n3DFLOW_FILL_INJECTION_PROFILE_FLOW_VOL: 0.5 1 \\\n1 1\n"), std::string::npos);
    EXPECT_NE(text.find("\nINJECTION: PROFILE\n"), std::string::npos);
}

TEST_F(FlowRun, ARamPositionProfileSpecifiesTheStrokeVolume)
{
    auto r = Run(Node("material1.mtl"), Script("flow-ram-position.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    ExpectGolden("flow2.fin", "flow-ram-position.fin");
    const std::string text = Written("flow2.fin");
    EXPECT_NE(text.find("\n3DFLOW_FILL_INJECTION_PROFILE: TIME_RAM_POSITION\n"), std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_FILL_INJECTION_PROFILE_TIME_RAM_POSITION: 0 0.08 \\\n1.2 0.01\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_RAM: SPECIFIED\n3DFLOW_RAM_SPECIFIED_DIAMETER: 0.04\n"
                        "3DFLOW_RAM_SPECIFIED_STROKE_LENGTH: 0.12\n"),
              std::string::npos);
}

TEST_F(FlowRun, A3DAnalysisFillsByAFlowVolumeProfileOrAChosenMethod)
{
    auto r = Run(Node("pp3d.mtl"), Script("flow-3d-process.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    ExpectGolden("flow2.fin", "flow-3d-process.fin");
    const std::string text = Written("flow2.fin");
    EXPECT_NE(text.find("\nMOLD3D_VELOCITY_PRESSURE_TRANSITION: PERCENTAGE_VOLUME\n"), std::string::npos);
    EXPECT_NE(text.find("\nMOLD3D_FILL_INJECTION_PROFILE: FLOW_VOL\n"), std::string::npos);
    EXPECT_NE(text.find("\nMOLD3D_FILL_INJECTION_PROFILE_FLOW_VOL: 0 1 \\\n1 0.6\n"), std::string::npos);
}

TEST_F(FlowRun, StandalonePackingWritesNoFillingChoices)
{
    // Standalone packing is offered on a 3D mesh.
    auto r = Run(Node("pp3d.mtl"), Script("flow-standalone-packing.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    ExpectGolden("flow2.fin", "flow-standalone-packing.fin");
    const std::string text = Written("flow2.fin");
    EXPECT_NE(text.find("\nMOLD3D_ANALYSIS_AIM: PACKING_STANDALONE\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("\nINJECTION:"), std::string::npos) << text;
    EXPECT_EQ(text.find("\nMOLD3D_VELOCITY_PRESSURE_TRANSITION:"), std::string::npos) << text;
    EXPECT_NE(text.find("\nMOLD3D_PRESSURE_CONTROL_PROFILE: PRESSURE\n"
                        "MOLD3D_PRESSURE_CONTROL_PROFILE_PRESSURE: 6e+07 10\n"),
              std::string::npos);
}

TEST_F(FlowRun, GasCylindersKeepTheirSettingsAcrossProcesses)
{
    auto r = Run(Node("material1.mtl"), Script("flow-gas-cylinders.script"), {"--flags", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    ExpectGolden("flow2.fin", "flow-gas-cylinders.fin");
    const std::string text = Written("flow2.fin");
    EXPECT_NE(text.find("\n3DFLOW_GAS_PROCESS: CONSTANT_VOLUME\n"), std::string::npos);
    for (const char* line : {"3DFLOW_GAS_CYLINDER2_DELAY_TIME: 1", "3DFLOW_GAS_CYLINDER2_COMPRESSION_RATIO: 0.1",
                             "3DFLOW_GAS_CYLINDER2_GAS_RELEASE_TIME: 2", "3DFLOW_GAS_CYLINDER5_DELAY_TIME: 2",
                             "3DFLOW_GAS_CYLINDER5_VOLUME: 8E-5", "3DFLOW_GAS_CYLINDER5_INITIAL_PRESSURE: 2.5E+7",
                             "3DFLOW_GAS_CYLINDER2_GAS_PRESSURE_PROFILE: 1e+07 1 \\\n8e+06 3",
                             "3DFLOW_GAS_CYLINDER5_GAS_PRESSURE_PROFILE: 1.5e+07 2"})
        EXPECT_NE(text.find("\n" + std::string(line) + "\n"), std::string::npos) << line;
}
