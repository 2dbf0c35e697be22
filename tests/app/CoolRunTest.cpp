// wizhost run cool: the cooling wizard driven by scripts on a fresh copy of
// the sample project, its keyword files and boundary-condition sets checked
// against golden files (the project folder written as $PROJECT).
// WIZ_UPDATE_GOLDEN=1 rewrites them.
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

int CountFiles(const std::string& folder, const std::string& extension)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().extension() == extension;
    return count;
}

class CoolRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        project = dir / "proj";
        ASSERT_EQ(RunWizhost({"project", "init", project}).exitCode, 0);
    }

    std::string Node(const std::string& file) { return wizrun::NodeId(project, file); }

    wiztest::RunResult Run(const std::string& file, const std::string& script, std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = {"run", "cool", "--project", project, "--node", Node(file), "--script", script};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunWizhost(args);
    }

    void ExpectGolden(const std::string& written, const std::string& golden)
    {
        wizrun::ExpectGolden(project, written, golden);
    }

    std::string Tree() { return RunWizhost({"project", "tree", project}).out; }
    std::string Script(const std::string& name, const std::string& text)
    {
        wiztest::WriteBytes(dir / name, text);
        return dir / name;
    }

    wiztest::ScratchDir dir;
    std::string project;
};

} // namespace

TEST_F(CoolRun, AutomaticSetForAMoldWithoutInserts)
{
    auto r = Run("material1.mtl", ::Script("cool-automatic.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"Automatic cooling, P-20 mold\"\nfile: cool2.cin\njob submission: 0 (run now)\n"),
              std::string::npos)
        << r.out;
    ExpectGolden("cool2.cin", "cool-automatic.cin");
    // One MOLDMAT row of material 101 per negative element of the list, and
    // the set names the mold model.
    ExpectGolden("plainmold1.bc3", "cool-automatic.bc3");
    EXPECT_NE(Tree().find(" \"Automatic cooling, P-20 mold\" cool2.cin\n"), std::string::npos);
}

TEST_F(CoolRun, FollowOnKeepsTheEarlierMoldAndEditsCircuits)
{
    auto r = Run("cool1.clr", ::Script("cool-follow-on.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ExpectGolden("cool2.cin", "cool-follow-on.cin");
    EXPECT_EQ(CountFiles(project, ".bc3"), 3) << "the earlier set is used, none is made";
}

TEST_F(CoolRun, ThreeInletsThenATotalFlowRate)
{
    auto r = Run("material1.mtl", ::Script("cool-three-inlets.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ExpectGolden("cool2.cin", "cool-three-inlets.cin");
    // Editing the same input for a total flow rate drops every circuit's control.
    r = Run("cool2.cin", ::Script("cool-total-flow.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("file: cool2.cin\n"), std::string::npos) << r.out;
    ExpectGolden("cool2.cin", "cool-total-flow.cin");
}

TEST_F(CoolRun, TwoDimensionalModelHasNoJournalNorNewSet)
{
    auto r = Run("coolplate.mtl", ::Script("cool-2d.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("job submission: 1 (add to the batch queue)\n"), std::string::npos) << r.out;
    ExpectGolden("cool2.cin", "cool-2d.cin");
    EXPECT_EQ(CountFiles(project, ".bc3"), 3);
}

TEST_F(CoolRun, MissingModelsOrSetsCancelAndChangeNothing)
{
    const std::string before = wiztest::ReadBytes(project + "/project.zqp");
    // The 2D mesh without its set: nothing to analyse with.
    ASSERT_EQ(RunWizhost({"project", "remove", project, Node("coolplate.bc3")}).exitCode, 0);
    auto r = Run("coolplate.mtl", Script("no-set.script",
                                         "expect message \"There are no appropriate boundary conditions available for "
                                         "this model.\\nYou cannot run an analysis without specifying boundary "
                                         "conditions.\"\n"));
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;

    // The cavity without any mold model.
    ASSERT_EQ(RunWizhost({"project", "remove", project, Node("mold.m3i")}).exitCode, 0);
    ASSERT_EQ(RunWizhost({"project", "remove", project, Node("plainmold.m3i")}).exitCode, 0);
    const std::string pruned = wiztest::ReadBytes(project + "/project.zqp");
    r = Run("material1.mtl", Script("no-mold.script", "next\nexpect message \"There are no mold models available for "
                                                      "this cavity model.\\nYou cannot run a cooling analysis without "
                                                      "specifying a mold model.\"\nanswer OK\n"));
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
    EXPECT_EQ(wiztest::ReadBytes(project + "/project.zqp"), pruned);
    EXPECT_NE(pruned, before);
}

TEST_F(CoolRun, StartsOnlyFromCoolingNodes)
{
    auto r = Run("plate1.zql", Script("any.script", "cancel\n"));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("is not a material, a cooling input, or a flow or cooling result"), std::string::npos) << r.err;
    r = Run("flow1.fin", Script("any.script", "cancel\n"));
    EXPECT_EQ(r.exitCode, 2);
    // A flow result: the cooling analysis follows it, with the network page.
    r = Run("flow1.flr", Script("pages.script", "expect dialog IDD_COOL_PAGE1\nnext\nexpect dialog IDD_COOL_PAGE2\n"
                                                "next\nexpect dialog IDD_COOL_PAGE3\nnext\n"
                                                "expect dialog IDD_COOL_PAGE4\ncancel\n"));
    EXPECT_EQ(r.exitCode, 1) << r.err;
}

TEST_F(CoolRun, MoldWithoutBoundaryAsksForItsDimensions)
{
    // A mold model of attribute text only: no region of the mold's boundary,
    // no circuits, no inserts; its element list names two steel elements.
    wiztest::WriteBytes(project + "/bare.ain", "*CODE REGION\r\n4 1 1 1 17 4 0\r\n");
    wiztest::WriteBytes(project + "/bare.ata", "Insert block\r\n");
    wiztest::WriteBytes(project + "/bare.zqb", "");
    wiztest::WriteBytes(project + "/bare.ela", "-17\r\n-18\r\n19\r\n");
    ASSERT_EQ(RunWizhost({"project", "add", project, project + "/bare.zqb", "--type", "3", "--subtype", "17",
                          "--parent", Node("plate1.zql"), "--label", "Mold without a boundary"})
                  .exitCode,
              0);
    auto r = Run("material1.mtl",
                 Script("bare.script", "next\n"
                                       "select IDC_COOL_MOLD_LIST \" Mold without a boundary\"\n"
                                       "next\nnext\n"
                                       "expect visible IDC_COOL_DIMENSIONS_GRID\n"
                                       "expect visible IDC_COOL_DIMENSIONS_TEXT\n"
                                       "expect rows IDC_COOL_DIMENSIONS_GRID 3\n"
                                       "expect cell IDC_COOL_DIMENSIONS_GRID 1 0 X\n"
                                       "expect cell IDC_COOL_DIMENSIONS_GRID 3 0 Z\n"
                                       "next\n"
                                       "expect message \"Value cannot be blank.\"\n"
                                       "answer OK\n"
                                       "cell IDC_COOL_DIMENSIONS_GRID 1 1 300\n"
                                       "cell IDC_COOL_DIMENSIONS_GRID 2 1 200\n"
                                       "cell IDC_COOL_DIMENSIONS_GRID 3 1 150\n"
                                       "click IDC_COOL_CIRCUIT_PARAMETERS\n"
                                       "expect message \"No cooling circuits have been defined in the boundary "
                                       "conditon file or the cooling model selected.  This analysis cannot be run.\"\n"
                                       "answer OK\n"
                                       "next\n"
                                       "type IDC_COOL_DESCRIPTION Bare mold\n"
                                       "finish\n"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string input = wiztest::ReadBytes(project + "/cool2.cin");
    EXPECT_NE(input.find("3DCOOL_MOLD_DIMENSIONS: SPECIFIED\r\n"), std::string::npos) << input;
    EXPECT_NE(input.find("3DCOOL_MOLD_DIMENSIONS_SPECIFIED: 0.3 \\\r\n0.2 \\\r\n0.15\r\n"), std::string::npos);
    EXPECT_NE(input.find("3DCOOL_JOURNAL_FILE: " + project + "/bare\r\n"), std::string::npos);
    EXPECT_NE(input.find("3DCOOL_BOUNDARY_CONDITION: bare1.bc3\r\n"), std::string::npos);
    EXPECT_EQ(wiztest::ReadBytes(project + "/bare1.bc3"),
              "*ELEMENTAL MOLDMAT\r\n\t17\t101.000000\t1\r\n\t18\t101.000000\t1\r\n*MODEL     " + project +
                  "/bare.zqb\r\n\t1\t1\t1\r\n");
}

TEST_F(CoolRun, AnotherMoldModelWarnsOfCircuitsAlreadySet)
{
    // The sample cooling input sets circuit 1 for the first mold; the mold
    // without inserts may number its circuits otherwise.
    auto r = Run("cool1.cin", Script("warn.script",
                                     "next\n"
                                     "select IDC_COOL_MOLD_LIST \" Mold without inserts\"\n"
                                     "next\nnext\n"
                                     "expect message \"Warning: this analysis already has circuit parameters "
                                     "defined, but you have selected a new mold model.  You should check that these "
                                     "parameters are still correct as circuits may have been renumbered.\"\n"
                                     "answer OK\n"
                                     "expect dialog IDD_COOL_PAGE4\n"
                                     "back\nback\n"
                                     "select IDC_COOL_MOLD_LIST \" Mold around the plate\"\n"
                                     "select IDC_COOL_BOUNDARY_LIST \" cooling.bc3\"\n"
                                     "next\nnext\n"
                                     "expect dialog IDD_COOL_PAGE4\n"
                                     "cancel\n"));
    EXPECT_EQ(r.exitCode, 1) << r.err;
}

TEST_F(CoolRun, AFlowResultOfAnotherAimFixesOnlyTheMoldTemperature)
{
    wiztest::WriteBytes(project + "/fill.fin", "3DFLOW_ANALYSIS_AIM: FILLING\r\nANALYSIS_DESCRIPTION: Fill only\r\n");
    wiztest::WriteBytes(project + "/fill.flr", "RESULT_FILL_TIME: 0.8\r\n");
    ASSERT_EQ(RunWizhost({"project", "add", project, project + "/fill.fin", "--type", "6", "--subtype", "27", "--parent",
                          Node("material1.mtl")})
                  .exitCode,
              0);
    ASSERT_EQ(RunWizhost({"project", "add", project, project + "/fill.flr", "--type", "7", "--subtype", "27",
                          "--parent", Node("fill.fin")})
                  .exitCode,
              0);
    auto r = Run("fill.flr", Script("aim.script", "expect disabled IDC_COOL_MOLD_TEMPERATURE\n"
                                                  "expect enabled IDC_COOL_FROZEN\n"
                                                  "click IDC_COOL_MANUAL\n"
                                                  "expect enabled IDC_COOL_COOLING_TIME\n"
                                                  "expect disabled IDC_COOL_MOLD_TEMPERATURE\n"
                                                  "expect disabled IDC_COOL_FROZEN\n"
                                                  "next\nnext\n"
                                                  "expect dialog IDD_COOL_PAGE3\n"
                                                  "expect disabled IDC_COOL_INJECTION_TIME\n"
                                                  "expect disabled IDC_COOL_MELT_TEMPERATURE\n"
                                                  "expect enabled IDC_COOL_PACKING_TIME\n"
                                                  "cancel\n"));
    EXPECT_EQ(r.exitCode, 1) << r.err;
}

TEST_F(CoolRun, AMissingElementListFailsAndChangesNothing)
{
    std::filesystem::remove(project + "/plainmold.ela");
    const std::string before = wiztest::ReadBytes(project + "/project.zqp");
    auto r = Run("material1.mtl", ::Script("cool-automatic.script"));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("cannot read " + project + "/plainmold.ela"), std::string::npos) << r.err;
    EXPECT_EQ(wiztest::ReadBytes(project + "/project.zqp"), before);
    EXPECT_FALSE(std::filesystem::exists(project + "/cool2.cin"));
    EXPECT_EQ(CountFiles(project, ".bc3"), 3);
}

TEST_F(CoolRun, OkWithChangesNotSetAsksFirst)
{
    auto r = Run("cool1.clr", Script("unset.script",
                                     "next\nnext\nexpect dialog IDD_COOL_PAGE4\n"
                                     "click IDC_COOL_CIRCUIT_PARAMETERS\n"
                                     "type IDC_CIRCUIT_INLET_TEMPERATURE 99\n"
                                     "expect enabled IDC_CIRCUIT_SET\n"
                                     "ok\n"
                                     "expect message \"The changes you have just made have not been set.  Close "
                                     "anyway?\"\n"
                                     "answer Cancel\n"
                                     "expect dialog IDD_COOL_CIRCUITS\n"
                                     "ok\n"
                                     "answer OK\n"
                                     "expect dialog IDD_COOL_PAGE4\n"
                                     "click IDC_COOL_CIRCUIT_PARAMETERS\n"
                                     "expect cell IDC_CIRCUIT_LIST 0 1 \"\"\n"
                                     "cancel\n"
                                     "cancel\n"));
    EXPECT_EQ(r.exitCode, 1) << r.err;
}
