// wizhost run translate: the translator wizard driven by scripts on a fresh
// copy of the sample project, its input files checked against golden files
// (the project folder written as $PROJECT). WIZ_UPDATE_GOLDEN=1 rewrites them.
#include "WizardRunSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using wiztest::RunWizhost;

namespace {

// Sample project nodes the scripts start from.
constexpr const char* kIgesNode = "1";
constexpr const char* kStlNode = "21";
constexpr const char* kFusionMeshNode = "22"; // made from the STL model, nothing below it

using wizrun::Golden;
using wizrun::ReplaceAll;
using wizrun::Script;

class TranslateRun : public wizrun::SampleProjectRun {
protected:
    TranslateRun() : SampleProjectRun("translate") {}
};

} // namespace

TEST_F(TranslateRun, StlRemeshedByTheMesher)
{
    auto r = Run(kStlNode, Script("translate-stl.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string next = std::to_string(wiztest::SampleProjectNextId());
    EXPECT_EQ(r.out, "result node: " + next + " \"Plate surface mesh\"\nfile: plate4.092\njob submission: 0 (run now)\n");
    ExpectGolden("plate4.092", "translate-stl.092");
    // The new mesher input is the STL model's last child, after its meshes
    // (and what the sample project keeps below them).
    const std::string tree = Tree();
    const std::size_t stl = tree.find("\n  21 type 1 sub-type 2 state 0 \"Plate (STL)\" plate.stl\n"
                                      "    22 type 3 sub-type 21 state 0 \"Fusion mesh\" plate2.zqf\n"
                                      "    23 type 3 sub-type 22 state 0 \"3D mesh\" plate3.zq3\n");
    ASSERT_NE(stl, std::string::npos) << tree;
    const std::size_t made = tree.find("\n    " + next + " type 2 sub-type 32 state 0 \"Plate surface mesh\" plate4.092\n");
    ASSERT_NE(made, std::string::npos) << tree;
    EXPECT_GT(made, stl);
    EXPECT_LT(made, tree.find("\n  24 type 9 sub-type 0")); // before the next top-level node
}

TEST_F(TranslateRun, IgesWithEitherTranslator)
{
    auto r = Run(kIgesNode, Script("translate-iges-mdl.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "result node: " + std::to_string(wiztest::SampleProjectNextId()) +
                         " \"Plate by the MDL translator\"\nfile: plate4.081\n"
                     "job submission: 1 (add to the batch queue)\n");
    ExpectGolden("plate4.081", "translate-iges-mdl.081");

    // The MDL translator is remembered for the next IGES model.
    wiztest::WriteBytes(dir / "remembered.script", "expect checked 2379\ncancel\n");
    r = Run(kIgesNode, dir / "remembered.script");
    EXPECT_EQ(r.exitCode, 1) << r.err;

    r = Run(kIgesNode, Golden("translate-iges-builtin.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("file: plate5.081\n"), std::string::npos) << r.out;
    ExpectGolden("plate5.081", "translate-iges-builtin.081");
}

TEST_F(TranslateRun, OtherModelKinds)
{
    auto addModel = [&](const std::string& name, const std::string& subType) {
        wiztest::WriteBytes(dir / name, "BEGIN BULK\nGRID,1,,0.,0.,0.\nGRID,2,,10.,0.,0.\nENDDATA\n");
        auto r = RunWizhost({"project", "add", project, dir / name, "--type", "1", "--subtype", subType});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out.substr(0, r.out.find('\n'));
    };
    auto r = Run(addModel("bracket.bdf", "8"), Golden("translate-nastran-tet.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("file: bracket1.092\n"), std::string::npos) << r.out;
    ExpectGolden("bracket1.092", "translate-nastran-tet.092");

    // A model only the MDL translator reads: no choice of translator, its
    // remesh page, and the program named in the file.
    wiztest::WriteBytes(dir / "step.script", "expect dialog 13057\nexpect hidden 2378\nnext\n"
                                             "expect dialog 13045\nnext\nexpect dialog 13060\nfinish\n");
    r = Run(addModel("cover.stp", "12"), dir / "step.script");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::size_t name = r.out.find("file: cover");
    ASSERT_NE(name, std::string::npos) << r.out;
    const std::string written = r.out.substr(name + 6, r.out.find('\n', name) - name - 6);
    EXPECT_EQ(written.substr(written.size() - 4), ".081");
    const std::string file = wiztest::ReadBytes(project + "/" + written);
    EXPECT_NE(file.find("TRANS_PROGRAM: zqpsi\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ZQPSI_REMESH_MIN_DIVISION: "), std::string::npos);
    EXPECT_EQ(file.find("ZQMESH3D"), std::string::npos);
}

TEST_F(TranslateRun, RetranslatingAMeshKeepsItsNode)
{
    const std::string before = Tree();
    auto r = Run(kFusionMeshNode, Script("translate-stl.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "result node: 22 \"Plate surface mesh\"\nfile: plate2.092\njob submission: 0 (run now)\n");

    r = Run(kFusionMeshNode, Golden("retranslate.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("result node: 22 "), std::string::npos) << r.out;
    const std::string file = wiztest::ReadBytes(project + "/plate2.092");
    EXPECT_NE(file.find("ZQMESH3D_SURFACE_ELEMENT_AIM: 9000\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ZQMESH3D_SURFACE_EDGE_CONTROL: OFF\r\n"), std::string::npos);
    EXPECT_NE(file.find("ZQMESH3D_MESH_OUTPUT_FILENAME: " + project + "/plate2\r\n"), std::string::npos);
    // Same nodes, one label changed.
    EXPECT_EQ(ReplaceAll(Tree(), "\"Plate surface mesh\" plate2.zqf", "\"Fusion mesh\" plate2.zqf"), before);
}

TEST_F(TranslateRun, CancelAndFailuresChangeNothing)
{
    const std::string projectFile = project + "/project.zqp";
    const std::string before = wiztest::ReadBytes(projectFile);
    const auto filesBefore = std::distance(std::filesystem::directory_iterator(project), {});

    wiztest::WriteBytes(dir / "cancel.script", "next\ncancel\n");
    auto r = Run(kStlNode, dir / "cancel.script");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "cancelled: the project was not changed\n");

    wiztest::WriteBytes(dir / "wrong.script", "next\nexpect dialog 13060\nfinish\n");
    r = Run(kStlNode, dir / "wrong.script");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("wrong.script:2: "), std::string::npos) << r.err;

    wiztest::WriteBytes(dir / "bad.script", "next\nfrobnicate 12\n");
    r = Run(kStlNode, dir / "bad.script");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("bad.script:2: "), std::string::npos) << r.err;

    const std::vector<std::vector<std::string>> badArgs = {
        {"run", "translate", "--project", project, "--script", Script("translate-stl.script")},
        {"run", "frob", "--project", project, "--node", "5", "--tty"},
        {"run", "translate", "--project", project, "--node", "5", "--tty"}, // an analysis input
        {"run", "translate", "--project", project, "--node", "99", "--tty"},
        {"run", "translate", "--project", project, "--node", "x1", "--tty"},
        {"run", "translate", "--project", project, "--node", kStlNode, "--tty", "--script", "s"},
        {"run", "translate", "--project", dir / "none", "--node", kStlNode, "--tty"},
        {"run", "translate", "--project", project, "--node", kStlNode, "--tty", "--units", "furlongs"},
    };
    for (const auto& args : badArgs) {
        r = RunWizhost(args);
        EXPECT_EQ(r.exitCode, 2) << args[4] << " " << args[5];
        EXPECT_EQ(r.err.rfind("wizhost: ", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(wiztest::ReadBytes(projectFile), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(project), {}), filesBefore);
}

TEST_F(TranslateRun, PersonAtTheTerminalInEnglishUnits)
{
    auto r = RunWizhost({"run", "translate", "--project", project, "--node", kStlNode, "--tty", "--units", "english"},
                        "next\nclick 2470\ntype 2083 0.1\nnext\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Each page shows its fields with captions, ranges and units.
    EXPECT_NE(r.out.find("Number of elements:   [100:1e+06]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Edge Length:   (0:39.3701] inch"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("file: plate4.092\n"), std::string::npos);
    const std::string file = wiztest::ReadBytes(project + "/plate4.092");
    EXPECT_NE(file.find("ZQMESH3D_SURFACE_EDGE_LENGTH: 0.00254\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ZQMESH3D_OUTPUT_UNITS: IMPERIAL\r\n"), std::string::npos);
}

TEST_F(TranslateRun, WithoutDefaultsFilesThePagesGiveTheValues)
{
    const std::string nodeMdlOnly = [&] {
        wiztest::WriteBytes(dir / "cover.stp", "ISO-10303-21;\n");
        auto r = RunWizhost({"project", "add", project, dir / "cover.stp", "--type", "1", "--subtype", "12"});
        return r.out.substr(0, r.out.find('\n'));
    }();
    const std::string nodeTet = [&] {
        wiztest::WriteBytes(dir / "bracket.bdf", "BEGIN BULK\nGRID,1,,0.,0.,0.\nENDDATA\n");
        auto r = RunWizhost({"project", "add", project, dir / "bracket.bdf", "--type", "1", "--subtype", "8"});
        return r.out.substr(0, r.out.find('\n'));
    }();
    // Installation data without the solver's defaults and range files.
    std::filesystem::create_directories(dir / "bare/solver");
    setenv("WIZ_DATA_DIR", (dir / "bare").c_str(), 1);

    struct Path {
        std::string node;
        std::string script; // every page of the path, nothing typed
        std::vector<std::string> written;
    };
    const std::vector<Path> paths = {
        {kStlNode,
         "next\nexpect dialog IDD_TRANSLATOR_PAGE2\nexpect text IDC_TRANS_ELEMENT_AIM 5000\n"
         "click IDC_TRANS_BY_EDGE_LENGTH\nexpect text IDC_TRANS_EDGE_LENGTH 1\nnext\nfinish\n",
         {"ZQMESH3D_UNITS: MILLIMETERS", "ZQMESH3D_SURFACE_ELEMENT_AIM: 5000", "ZQMESH3D_SURFACE_EDGE_LENGTH: 0.001",
          "ZQMESH3D_LAYERS_THROUGH_THICKNESS: 6", "ZQMESH3D_MAXIMUM_ASPECT_RATIO: 15"}},
        {nodeTet,
         "click IDC_TRANS_TET_MESH\nnext\nexpect text IDC_TRANS_LAYERS 6\nexpect text IDC_TRANS_ASPECT_RATIO 15\n"
         "next\nfinish\n",
         {"ZQMESH3D_OUTPUT_FILETYPE: TESSARIN_FLOW3D_INPUT", "ZQMESH3D_LAYERS_THROUGH_THICKNESS: 6",
          "ZQMESH3D_MAXIMUM_ASPECT_RATIO: 15"}},
        {kIgesNode,
         "click IDC_TRANS_BUILT_IN\nnext\nexpect dialog IDD_TRANSLATOR_PAGE3\n"
         "expect text IDC_TRANS_MESH_DIVISIONS 15\nexpect text IDC_TRANS_CURVATURE_ANGLE 20\n"
         "expect unchecked IDC_TRANS_MODEL_LENGTH_CHECK\nexpect checked IDC_TRANS_USE_ATTRIBUTES\nnext\nfinish\n",
         {"IGS_TRANS_MESH_DIV: 15", "IGS_NODAL_TOL: 0", "IGS_CURV_ANGLE: 0.349066", "IGS_USE_CONNECTIVITY: OFF",
          "IGS_USE_ATTRIB: ON", "IGS_USE_READ_LINES: ON", "ZQPSI_REMESH_MIN_DIVISION: 25"}},
        {kIgesNode,
         "click IDC_TRANS_MDL\nnext\nexpect dialog IDD_TRANSLATOR_PAGE2_PS\nexpect text IDC_TRANS_MIN_DIVISION 25\n"
         "expect text IDC_TRANS_MIN_ELEMENTS 5000\nexpect text IDC_TRANS_MAX_ELEMENTS 15000\nnext\nfinish\n",
         {"ZQPSI_REMESH_MIN_DIVISION: 25", "ZQPSI_REMESH_MIN_ELEMENT_NUMBER: 5000",
          "ZQPSI_REMESH_MAX_ELEMENT_NUMBER: 15000", "IGS_TRANS_MESH_DIV: 15"}},
        {nodeMdlOnly, "next\nexpect dialog IDD_TRANSLATOR_PAGE2_PS\nnext\nfinish\n",
         {"ZQPSI_REMESH_MIN_DIVISION: 25", "ZQPSI_REMESH_MAX_ELEMENT_NUMBER: 15000"}},
    };
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string script = dir / ("bare" + std::to_string(i) + ".script");
        wiztest::WriteBytes(script, paths[i].script);
        auto r = Run(paths[i].node, script);
        ASSERT_EQ(r.exitCode, 0) << i << ": " << r.err;
        const std::size_t at = r.out.find("file: ");
        ASSERT_NE(at, std::string::npos) << r.out;
        const std::string file = wiztest::ReadBytes(project + "/" + r.out.substr(at + 6, r.out.find('\n', at) - at - 6));
        for (const std::string& line : paths[i].written)
            EXPECT_NE(file.find(line + "\r\n"), std::string::npos) << i << ": " << line << "\n" << file;
        // A field its check box governs follows its keyword: no file gave it.
        EXPECT_EQ(file.find("IGS_MODEL_LENGTH"), std::string::npos) << file;
        EXPECT_EQ(file.find("IGS_FILTER_SELECTED"), std::string::npos) << file;
    }
    unsetenv("WIZ_DATA_DIR");
}

TEST_F(TranslateRun, ScriptPastFinishReportsTheResultThenWarns)
{
    const std::string before = Tree();
    wiztest::WriteBytes(dir / "past.script", "next\nnext\nfinish\nshow\n");
    auto r = Run(kStlNode, dir / "past.script");
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.out, "result node: " + std::to_string(wiztest::SampleProjectNextId()) +
                         " \"Mesh 7\"\nfile: plate4.092\njob submission: 2 (submit later)\n");
    EXPECT_EQ(r.err, "wizhost: warning: the wizard finished before the script ended: " + (dir / "past.script") +
                         ":4: no window is open for 'show'\n");
    EXPECT_NE(Tree(), before) << "the wizard did finish";
    EXPECT_TRUE(std::filesystem::exists(project + "/plate4.092"));

    wiztest::WriteBytes(dir / "cancelled.script", "cancel\nshow\n");
    r = Run(kStlNode, dir / "cancelled.script");
    EXPECT_EQ(r.exitCode, 2) << "a script that runs past Cancel fails as before";
}

TEST_F(TranslateRun, FailedWriteOfTheInputChangesNothing)
{
    // Translating the fusion mesh again reads and rewrites plate2.092 in
    // place; a folder of that name is refused before the first page, as a
    // file that exists and cannot be read. (Failed writes at Finish: the
    // fault-injection tests.)
    std::filesystem::create_directory(project + "/plate2.092");
    const std::string projectFile = wiztest::ReadBytes(project + "/project.zqp");
    const std::string before = Tree();
    wiztest::WriteBytes(dir / "again.script", "next\nnext\nfinish\n");
    auto r = Run(kFusionMeshNode, dir / "again.script");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "wizhost: run: cannot read '" + project + "/plate2.092': it is a directory\n");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Tree(), before);
    EXPECT_EQ(wiztest::ReadBytes(project + "/project.zqp"), projectFile);
}

TEST_F(TranslateRun, WizardsAreFoundByName)
{
    auto r = RunWizhost({"run", "frob", "--project", project, "--node", kStlNode, "--tty"});
    EXPECT_EQ(r.exitCode, 2);
    // Other wizards register themselves too: the list names translate among them.
    EXPECT_NE(r.err.find("no wizard 'frob' (available: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("translate"), std::string::npos) << r.err;
    r = RunWizhost({"run", "translate", "--project", project, "--node", "5", "--tty"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("a CAD model or a mesh made from one"), std::string::npos) << r.err;
}
