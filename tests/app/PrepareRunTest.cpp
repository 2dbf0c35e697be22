// wizhost run prepare: the analysis preparation wizard driven by scripts on a
// fresh copy of the sample project, from each kind of start node into the
// wizard it opens, which the same script answers. Also the analysis wizards
// as `run flow|cool|warp|stress` get them from the factory.
#include "WizardRunSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using wiztest::RunWizhost;

namespace {

using wizrun::Script;

class PrepareRun : public wizrun::SampleProjectRun {
protected:
    PrepareRun() : SampleProjectRun("prepare") {}

    // The preparation wizard, or the wizard named.
    wiztest::RunResult Run(const std::string& node, const std::string& script, const std::string& wizard = "prepare",
                           std::vector<std::string> extra = {})
    {
        return RunWizard(wizard, node, script, std::move(extra));
    }
    std::string ProjectFile() { return wiztest::ReadBytes(project + "/project.zqp"); }
    static std::string MadeFile(const std::string& out) { return wizrun::MadeFile(out); }
};

} // namespace

TEST_F(PrepareRun, FromAMeshAMaterialIsAddedAndAFlowAnalysisMade)
{
    auto r = Run(Node("plate1.zql"), Script("prepare-mesh-flow.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    // The material took the next number, the analysis the one after it.
    const std::string made = MadeFile(r.out);
    ASSERT_TRUE(made.starts_with("flow") && made.ends_with(".fin")) << r.out;
    EXPECT_NE(r.out.find(".flr\"\nfile: " + made + "\njob submission: 0 (run now)\n"), std::string::npos) << r.out;
    wizrun::ExpectGolden(project, made, "prepare-mesh-flow.fin");
    // The library's PP was copied in below the mesh, and the analysis below it.
    const std::string tree = Tree();
    const auto material = tree.find("\"PP homopolymer, MFI 12\" material4.mtl\n");
    ASSERT_NE(material, std::string::npos) << tree;
    EXPECT_GT(tree.find("\"Fill and pack of the plate, prepared from its mesh\" " + made + "\n"), material) << tree;
    EXPECT_NE(wizrun::Normalised(project, made).find("\nANALYSIS_MATERIAL_FILE: $PROJECT/material4.mtl\n"),
              std::string::npos);
}

TEST_F(PrepareRun, FromAPackedResultEveryAnalysisIsOffered)
{
    auto r = Run(Node("flow1.flr"), Script("prepare-result-warp.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("job submission: 2 (submit later)\n"), std::string::npos) << r.out;
    const std::string made = MadeFile(r.out);
    ASSERT_TRUE(made.starts_with("warp") && made.ends_with(".win")) << r.out;
    wizrun::ExpectGolden(project, made, "prepare-result-warp.win");
    // The warpage input follows the packed result.
    EXPECT_NE(wizrun::Normalised(project, made).find("\nANALYSIS_FLOW_RESULT_FILE: $PROJECT/flow1.flr\n"),
              std::string::npos);
}

TEST_F(PrepareRun, CancelledOrRefusedRunsLeaveTheProjectAsItWas)
{
    const std::string before = ProjectFile();
    struct Case {
        const char* node;
        const char* script;
        const char* said;
    } cases[] = {
        // The chosen wizard cancelled: this one finished, with nothing made.
        {"material1.mtl", "prepare-material-cancelled.script", "cancelled: the analysis wizard was cancelled"},
        {"material2.mtl", "prepare-gas-fiber.script", "cancelled: the analysis wizard was cancelled"},
        // Refused before any page: the wizard ends as cancelled.
        {"stress1.str", "prepare-stress-result.script", "cancelled: the project was not changed"},
        {"tset3d.mtl", "prepare-thermoset-3d.script", "cancelled: the project was not changed"},
    };
    for (const Case& c : cases) {
        auto r = Run(Node(c.node), Script(c.script));
        EXPECT_EQ(r.exitCode, 1) << c.script << ": " << r.err << r.out;
        EXPECT_NE(r.out.find(c.said), std::string::npos) << c.script << ": " << r.out;
        EXPECT_EQ(ProjectFile(), before) << c.script;
    }
}

TEST_F(PrepareRun, AMaterialChosenStaysWhenNothingElseIsMade)
{
    const std::string script = dir / "material-only.script";
    wiztest::WriteBytes(script, "click IDC_ANALYSIS_MATERIAL_BUTTON\nselect IDC_HOST_MAT_LIST \"POM copolymer\"\n"
                                "ok\nnext\nexpect dialog IDD_ANALYSIS_PAGE2\ncancel\n");
    auto r = Run(Node("plate2.zqf"), script);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, "cancelled: no analysis was made; the material chosen stays in the project\n");
    EXPECT_NE(Tree().find("\"POM copolymer\" material4.mtl\n"), std::string::npos);
}

TEST_F(PrepareRun, OnlyNodesOfAMeshedModelStartIt)
{
    const std::string before = ProjectFile();
    for (const char* node : {"gas1.fin", "plate.stl", "plate1.081"}) {
        auto r = Run(Node(node), Script("prepare-stress-result.script"));
        EXPECT_EQ(r.exitCode, 2) << node << ": " << r.out;
        EXPECT_NE(r.err.find("is not a mesh, a material or a result"), std::string::npos) << r.err;
    }
    // Lines past the chosen wizard's Finish: the result stands, exit 3.
    const std::string script = dir / "extra.script";
    wiztest::WriteBytes(script, wiztest::ReadBytes(Script("prepare-result-warp.script")) + "next\n");
    auto r = Run(Node("flow1.flr"), script);
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_TRUE(MadeFile(r.out).ends_with(".win")) << r.out;
    EXPECT_NE(ProjectFile(), before);
}

TEST_F(PrepareRun, TheFactoryKeepsAnInputsOptionsForRunFlow)
{
    // Asked for no options, the gas-assisted input still gives a gas-assisted wizard.
    auto r = Run(Node("gas1.fin"), Script("flow-gas-input.script"), "flow", {"--flags", "0"});
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
    EXPECT_EQ(r.err, "");
    // The plain fill and pack keeps its aims.
    const std::string plain = dir / "plain.script";
    wiztest::WriteBytes(plain, "expect visible IDC_FLOW_MOLD_WINDOW\ncancel\n");
    r = Run(Node("flow1.fin"), plain, "flow", {"--flags", "0"});
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
}
