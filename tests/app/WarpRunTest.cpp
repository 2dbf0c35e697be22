// wizhost run warp and run stress: the warpage and stress wizard driven by
// scripts on a fresh copy of the sample project, the analysis inputs checked
// against golden files (the project folder written as $PROJECT), the
// refusals checked to change nothing. WIZ_UPDATE_GOLDEN=1 rewrites them.
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

const char kStressRefused[] = "You cannot prepare a stress analysis using warpage results for a buckling or single "
                              "variant analysis, or where the 'output stress' option is turned off.";
const char kWarpageRefused[] =
    "You cannot prepare a warpage analysis using previous warpage results for a large deflection or single "
    "variant analysis.";
const char kNoResidualData[] = "You cannot prepare a warpage analysis using the previous flow results as no residual "
                               "stress or strain information is available.\\nPlease refer to the online help for "
                               "further information.";

// Both modes of the wizard run here: the wizard is named with each run.
class WarpRun : public wizrun::SampleProjectRun {
protected:
    WarpRun() : SampleProjectRun("warp") {}

    wiztest::RunResult Run(const std::string& wizard, const std::string& nodeFile, const std::string& script,
                           std::vector<std::string> extra = {})
    {
        return RunWizard(wizard, Node(nodeFile), script, std::move(extra));
    }
    wiztest::RunResult RunText(const std::string& wizard, const std::string& nodeFile, const std::string& text,
                               std::vector<std::string> extra = {})
    {
        return Run(wizard, nodeFile, WriteScript(text), std::move(extra));
    }

    std::string Read(const std::string& file) { return wiztest::ReadBytes(project + "/" + file); }
    void SetKeyword(const std::string& file, const std::string& keyword, const std::string& value)
    {
        ASSERT_EQ(RunWizhost({"kw", "set", project + "/" + file, keyword, value}).exitCode, 0);
    }
    static std::string WrittenFile(const std::string& out) { return wizrun::MadeFile("\n" + out); }
};

} // namespace

TEST_F(WarpRun, NewWarpageOnTheSupports)
{
    auto r = Run("warp", "material1.mtl", Script("warp-new.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("job submission: 0 (run now)\n"), std::string::npos) << r.out;
    const std::string written = WrittenFile(r.out);
    ASSERT_EQ(written.substr(written.size() - 4), ".win") << r.out;
    ExpectGolden(written, "warp-new.win");
    // The input sits below the material, its pending result below it.
    EXPECT_NE(Tree().find("\"PP homopolymer, MFI 12\" material1.mtl\n        "), std::string::npos);
    EXPECT_NE(Tree().find("type 6 sub-type 29 state 1 \"Warpage of the PP plate on its supports\" " + written),
              std::string::npos)
        << Tree();
}

TEST_F(WarpRun, LargeDeflectionWithAutomaticIncrementsSkipsTheStepPages)
{
    auto r = Run("stress", "material1.mtl", Script("stress-large-auto.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("job submission: 1 (add to the batch queue)\n"), std::string::npos) << r.out;
    const std::string written = WrittenFile(r.out);
    ASSERT_EQ(written.substr(written.size() - 4), ".sin") << r.out;
    ExpectGolden(written, "stress-large-auto.sin");

    // Stress leaves the warpage-only keywords as the file has them.
    SetKeyword(written, "3DSTRUCT_CORNER_MAX_ANGLE", "1.5");
    ASSERT_EQ(RunWizhost({"kw", "remove", project + "/" + written, "3DSTRUCT_LOAD_FACT_OPT_BUCKLING_STURM_SEQUENCE_CHECK"})
                  .exitCode,
              0);
    r = RunText("stress", written,
                "expect checked IDC_WARP_LARGE_DEFLECTION\nnext\nnext\nexpect checked IDC_WARP_AUTO_DISPLACEMENT\n"
                "next\nexpect dialog IDD_WARP_DESCRIPTION\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(WrittenFile(r.out), written) << "an input is edited in place";
    const std::string edited = Read(written);
    EXPECT_NE(edited.find("3DSTRUCT_CORNER_MAX_ANGLE: 1.5\r\n"), std::string::npos) << edited;
    EXPECT_EQ(edited.find("STURM"), std::string::npos) << edited;
}

TEST_F(WarpRun, PreparationRulesRefuseBeforeAnyWindow)
{
    const std::string before = Read("project.zqp");
    // A single-variate study has no stresses to start from, whatever it wrote.
    ASSERT_NE(Read("isolated.win").find("3DSTRUCT_OUTPUT_STRESS: ON"), std::string::npos);
    auto r = RunText("stress", "isolated.wpr", "expect message \"" + std::string(kStressRefused) + "\"\nanswer OK\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    // Nor may a warpage analysis follow a large deflection.
    r = RunText("warp", "largedefl.wpr", "expect message \"" + std::string(kWarpageRefused) + "\"\nanswer OK\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    // A material without shrinkage data gives nothing to start from unless
    // the shrinkage comes from the thermal stresses.
    const std::string noResidual = "expect message \"" + std::string(kNoResidualData) + "\"\nanswer OK\n";
    r = RunText("warp", "gpps_noshrink.mtl", noResidual, {"--rsm", "0"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    wiztest::WriteBytes(dir / "settings.ini", "[Defaults]\nRSMPreference=0\n");
    r = RunText("warp", "gpps_noshrink.mtl", noResidual);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    r = RunText("warp", "gpps_noshrink.mtl", "expect dialog IDD_WARP_ANALYSIS_TYPE\ncancel\n", {"--rsm", "1"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(Read("project.zqp"), before);

    r = RunText("warp", "gpps_noshrink.mtl", "cancel\n", {"--rsm", "2"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--rsm takes 0 or 1"), std::string::npos) << r.err;
}

TEST_F(WarpRun, StressAfterAWarpageWithoutStressOutputAsksFirst)
{
    const std::string earlier = Read("warp1.win");
    ASSERT_EQ(earlier.find("3DSTRUCT_OUTPUT_STRESS"), std::string::npos);
    const std::string question =
        "expect message \"Warning: the 'output stress' option for the preceding warpage analysis must be turned on "
        "to run a stress analysis using those results.\\nClick OK to automatically set this option and continue.\"\n";
    auto r = RunText("stress", "warp1.wpr", question + "answer Cancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(Read("warp1.win"), earlier);

    r = RunText("stress", "warp1.wpr", question + "answer OK\nexpect dialog IDD_WARP_ANALYSIS_TYPE\ncancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(Read("warp1.win").find("3DSTRUCT_OUTPUT_STRESS: ON\r\n"), std::string::npos) << Read("warp1.win");
    // Now the stress analysis follows without a question.
    r = RunText("stress", "warp1.wpr", "expect dialog IDD_WARP_ANALYSIS_TYPE\ncancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;
}

TEST_F(WarpRun, WarpageAfterABucklingKeepsItsConstraints)
{
    auto r = RunText("warp", "buckling.wpr",
                     "expect dialog IDD_WARP_ANALYSIS_TYPE\nnext\nexpect dialog IDD_WARP_DESCRIPTION\n"
                     "type IDC_WARP_DESCRIPTION Warpage after the buckling\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string written = WrittenFile(r.out);
    const std::string file = Read(written);
    EXPECT_EQ(file.find("3DSTRUCT_BOUNDARY_CONDITION"), std::string::npos) << file;
    // The new analysis follows the buckling result, below it.
    const std::string tree = Tree();
    const std::size_t result = tree.find(" buckling.wpr\n");
    ASSERT_NE(result, std::string::npos) << tree;
    const std::size_t next = tree.find('\n', result + 1) + 1;
    const std::string nextLine = tree.substr(next, tree.find('\n', next) - next);
    EXPECT_NE(nextLine.find(" type 6 sub-type 29 state 1 \"Warpage after the buckling\" " + written), std::string::npos)
        << tree;
}

TEST_F(WarpRun, AdvancedTabsFollowTheAim)
{
    // A single-variate buckling study: the variates with their sensitivities,
    // then the Load Factor tab; its material model stays as stored.
    auto r = RunText("warp", "isolated.win",
                     "expect checked IDC_WARP_ISOLATE_BUCKLING\nnext\nexpect dialog IDD_WARP_BOUNDARY\nnext\n"
                     "expect dialog IDD_WARP_VARIATES\nexpect visible IDC_WARP_SENSITIVITY_SHRINKAGE\n"
                     "click IDC_WARP_DIFF_SHRINKAGE\nexpect disabled IDC_WARP_SENSITIVITY_COOLING\n"
                     "expect enabled IDC_WARP_SENSITIVITY_SHRINKAGE\nnext\n"
                     "expect dialog IDD_WARP_DESCRIPTION\nclick IDC_WARP_ADVANCED\n"
                     "expect tabs General Structural \"Load Factor\"\n"
                     "expect disabled IDC_WARP_ORTHOTROPIC_SINGLE\nexpect disabled IDC_WARP_KEEP_RESTARTS\n"
                     "tab \"Load Factor\"\nexpect checked IDC_WARP_LOWEST_POSITIVE\nexpect disabled IDC_WARP_STURM_CHECK\n"
                     "click IDC_WARP_LOWEST_MAGNITUDE\nexpect enabled IDC_WARP_STURM_CHECK\n"
                     "check IDC_WARP_STURM_CHECK on\nok\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string file = Read("isolated.win");
    EXPECT_NE(file.find("3DSTRUCT_SVA_ANALYSIS_TYPE: DIFFSHRINK\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("3DSTRUCT_BUCKLING_EIGENVALUE_METHOD: LOWEST_MAG\r\n"), std::string::npos);
    EXPECT_NE(file.find("3DSTRUCT_LOAD_FACT_OPT_BUCKLING_STURM_SEQUENCE_CHECK: ON\r\n"), std::string::npos);

    // Small deflection: General and Structural only, and the stress caption.
    r = RunText("stress", "material1.mtl",
                "show\nnext\nnext\nclick IDC_WARP_ADVANCED\nexpect tabs General Structural\n"
                "expect visible IDC_WARP_ISOTROPIC\nexpect disabled IDC_WARP_ORTHOTROPIC_SINGLE\n"
                "expect hidden IDC_WARP_CORNER_ANGLE\nshow\ncancel\ncancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.out.find("== Stress Analysis Wizard (dialog 13062) =="), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("== Stress Analysis Advanced Options (dialog 13069) =="), std::string::npos) << r.out;
}

TEST_F(WarpRun, MultiLayerModelTakesNoCST3)
{
    SetKeyword("buckling.win", "3DSTRUCT_MATERIAL_MODEL", "ORTHOTROPIC_MULTI_LAYER");
    SetKeyword("buckling.win", "3DSTRUCT_ELEMENT", "CST3");
    auto r = RunText("warp", "buckling.win",
                     "expect checked IDC_WARP_BUCKLING\nnext\nnext\nclick IDC_WARP_ADVANCED\n"
                     "expect checked IDC_WARP_ORTHOTROPIC_MULTI\nexpect checked IDC_WARP_LMT3\n"
                     "expect disabled IDC_WARP_CST3\nclick IDC_WARP_ORTHOTROPIC_SINGLE\n"
                     "expect enabled IDC_WARP_CST3\nclick IDC_WARP_ORTHOTROPIC_MULTI\nexpect disabled IDC_WARP_CST3\n"
                     "ok\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(WrittenFile(r.out), "buckling.win");
    EXPECT_NE(Read("buckling.win").find("3DSTRUCT_ELEMENT: LMT3\r\n"), std::string::npos) << Read("buckling.win");
}

TEST_F(WarpRun, StressStrainDataBesideTheMaterial)
{
    const std::string toAdvanced = "click IDC_WARP_SMALL_DEFLECTION\nnext\nnext\nclick IDC_WARP_ADVANCED\n"
                                   "expect visible IDC_WARP_STRESS_STRAIN_DATA\nexpect checked IDC_WARP_MATERIAL_DATA\n"
                                   "click IDC_WARP_STRESS_STRAIN_DATA\nok\n";
    // No data beside the material: declining the import keeps the page.
    auto r = RunText("stress", "material1.mtl",
                     toAdvanced + "expect message \"The current material has no stress strain data associated with "
                                  "it. Would you like to import a previously prepared DSS file?\"\nanswer Cancel\n"
                                  "expect tab General\nclick IDC_WARP_MATERIAL_DATA\nok\ncancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;

    // Importing one copies it beside the material; cancelling the file
    // dialog keeps the page as declining does.
    const std::string question = "expect message \"The current material has no stress strain data associated with "
                                 "it. Would you like to import a previously prepared DSS file?\"\nanswer OK\n";
    wiztest::WriteBytes(dir / "measured.dss", "measured stress strain data\n");
    r = RunText("stress", "material1.mtl",
                toAdvanced + question + "choose cancel\nexpect tab General\nok\n" + question + "choose " +
                    (dir / "measured.dss") + "\nexpect dialog IDD_WARP_DESCRIPTION\ncancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(Read("material1.dss"), "measured stress strain data\n");
    std::filesystem::remove(project + "/material1.dss");

    // With the ".dss" beside the material file, it is taken without a question.
    wiztest::WriteBytes(project + "/material1.dss", "stress strain data\n");
    r = RunText("stress", "material1.mtl",
                toAdvanced + "expect dialog IDD_WARP_DESCRIPTION\ntype IDC_WARP_DESCRIPTION Stress with DSS\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string file = Read(WrittenFile(r.out));
    EXPECT_NE(file.find("3DSTRUCT_MECH_PROP_DSS_FILE: " + project + "/material1.dss\r\n"), std::string::npos) << file;
}

TEST_F(WarpRun, BoundaryConditionSetsByModeAndAim)
{
    // The stored set is found whatever the case of its path.
    SetKeyword("buckling.win", "3DSTRUCT_BOUNDARY_CONDITION", project + "/SUPPORTS.BW3");
    auto r = RunText("warp", "buckling.win",
                     "next\nexpect rows IDC_WARP_BC_LIST 2\nexpect text IDC_WARP_BC_LIST \" Supports of the plate\"\n"
                     "select IDC_WARP_BC_LIST \" (automatic constraints)\"\nnext\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Read("buckling.win").find("3DSTRUCT_BOUNDARY_CONDITION"), std::string::npos)
        << "automatic constraints name no set";

    // Without a stress set only a modal analysis can use the warpage sets.
    ASSERT_EQ(RunWizhost({"project", "remove", project, Node("loads.bs3")}).exitCode, 0);
    const std::string before = Read("project.zqp");
    r = RunText("stress", "material1.mtl",
                "click IDC_WARP_MODAL_FREQUENCY\nnext\nexpect rows IDC_WARP_BC_LIST 1\n"
                "expect text IDC_WARP_BC_LIST \" Supports of the plate\"\nback\nclick IDC_WARP_SMALL_DEFLECTION\nnext\n"
                "expect message \"There are no appropriate boundary conditions available for this model.\\nYou cannot "
                "run an analysis without specifying boundary conditions.\"\nanswer OK\n");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(Read("project.zqp"), before);
}

TEST_F(WarpRun, LoadControlStepsInTheirGrid)
{
    auto r = RunText("stress", "material1.mtl",
                     "click IDC_WARP_LARGE_DEFLECTION\nnext\nnext\nclick IDC_WARP_LOAD_CONTROL\n"
                     "expect hidden IDC_WARP_DISP_INCREMENT\nexpect hidden IDC_WARP_LOAD_INCREMENT\nnext\n"
                     "expect dialog IDD_WARP_LOAD_STEPS\nexpect cell IDC_WARP_INCREMENT_GRID 0 1 \"Increments\\n(0:100] %\"\n"
                     "next\nexpect message \"Value cannot be blank.\"\nanswer OK\n"
                     "cell IDC_WARP_INCREMENT_GRID 1 1 abc\nnext\nexpect message \"Please enter a number!\"\nanswer OK\n"
                     "cell IDC_WARP_INCREMENT_GRID 1 1 50\ncell IDC_WARP_INCREMENT_GRID 2 1 100\nnext\n"
                     "expect dialog IDD_WARP_DESCRIPTION\ntype IDC_WARP_DESCRIPTION Load steps\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string file = Read(WrittenFile(r.out));
    EXPECT_NE(file.find("3DSTRUCT_LARGE_DEFL_CONTROL_METHOD: LOAD\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("3DSTRUCT_LARGE_DEFL_LOAD_CONTROL_INCREMENTS: 0.5 \\\r\n1\r\n"), std::string::npos) << file;
    // The hidden increment keeps its loaded value.
    EXPECT_NE(file.find("3DSTRUCT_LARGE_DEFL_AUTO_DISP_INCREMENT: 0.0001\r\n"), std::string::npos);
    EXPECT_EQ(file.find("MAN_DISP_INCREMENTS"), std::string::npos);
}

TEST_F(WarpRun, RestartAndMeshRulesOfTheFirstPage)
{
    // A large deflection restart: only the restart step is left to choose.
    SetKeyword("buckling.win", "3DSTRUCT_RESTART_LDA", project + "/buckling.lda");
    auto r = RunText("warp", "buckling.win",
                     "expect text IDC_WARP_INSTRUCTION \"As you are starting from a large deflection restart file, "
                     "you should specify the step you wish to restart from.\"\n"
                     "expect disabled IDC_WARP_BUCKLING\nexpect disabled IDC_WARP_SMALL_DEFLECTION\n"
                     "expect disabled IDC_WARP_LARGE_DEFLECTION\nexpect disabled IDC_WARP_ISOLATE_SMALL\n"
                     "expect visible IDC_WARP_RESTART_STEP\ntype IDC_WARP_RESTART_STEP 12\nnext\nnext\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(Read("buckling.win").find("3DSTRUCT_LARGE_DEFL_RESTART_STEP: 12\r\n"), std::string::npos);

    // A surface mesh of both skins: small deflection, no advanced options.
    r = RunWizhost({"project", "add", project, project + "/material1.mtl", "--type", "4", "--subtype", "23",
                    "--parent", Node("plate2.zqf"), "--label", "PP on the fusion mesh"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string material = r.out.substr(0, r.out.find('\n'));
    wiztest::WriteBytes(dir / "fusion.script", "click IDC_WARP_SMALL_DEFLECTION\nexpect disabled IDC_WARP_BUCKLING\n"
                                               "expect disabled IDC_WARP_LARGE_DEFLECTION\nnext\nnext\n"
                                               "expect disabled IDC_WARP_ADVANCED\ncancel\n");
    r = RunWizhost({"run", "warp", "--project", project, "--node", material, "--script", dir / "fusion.script"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
}

TEST_F(WarpRun, AdvancedOptionsRememberTheirPageAndCompanions)
{
    auto r = RunText("warp", "buckling.wpr",
                     "click IDC_WARP_LARGE_DEFLECTION\nnext\nnext\nexpect dialog IDD_WARP_DESCRIPTION\n"
                     "click IDC_WARP_ADVANCED\nexpect tabs General Structural \"Non-Linear Step\"\n"
                     "expect enabled IDC_WARP_KEEP_RESTARTS\ntab Structural\n"
                     // imperfections: the buckling modes of the earlier analysis
                     "expect visible IDC_WARP_MODE_SHAPE1\nexpect enabled IDC_WARP_PRINTOUT_STEPS\n"
                     "type IDC_WARP_MODE_SHAPE2 0.5\nok\n"
                     "click IDC_WARP_ADVANCED\nexpect tab Structural\ncancel\n"
                     "back\nback\nclick IDC_WARP_BUCKLING\nnext\nclick IDC_WARP_ADVANCED\n"
                     "expect tabs General Structural \"Load Factor\"\ntab \"Load Factor\"\n"
                     // the solver's default count, dropped with its check box
                     "expect checked IDC_WARP_SUBSPACE_VECTORS_CHECK\nexpect enabled IDC_WARP_SUBSPACE_VECTORS\n"
                     "click IDC_WARP_SUBSPACE_VECTORS_CHECK\nexpect disabled IDC_WARP_SUBSPACE_VECTORS\nok\n"
                     "type IDC_WARP_DESCRIPTION Buckling again\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string file = Read(WrittenFile(r.out));
    EXPECT_NE(file.find("3DSTRUCT_ANALYSIS_AIM: LINEAR_BUCKLING\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("3DSTRUCT_IMPERFECTION_MODE_SHAPE2: 0.5\r\n"), std::string::npos) << file;
    EXPECT_EQ(file.find("3DSTRUCT_LOAD_FACT_OPT_NUMBER_SUBSPACE_ITER_VECTORS"), std::string::npos) << file;
}
