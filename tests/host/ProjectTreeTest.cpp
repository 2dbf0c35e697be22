// The project tree on disk: persistence, navigation, new analyses, and the
// guarantees of the locked atomic writes.
#include "host/HostPaths.h"
#include "host/MaterialLibrary.h"
#include "host/ProjectTree.h"
#include "keyword/KeywordFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A copy of the sample project in a scratch folder.
std::string CopySample(const wiztest::ScratchDir& dir)
{
    const std::string to = dir / "sample";
    fs::copy(wiztest::SourcePath("data/sample-project"), to);
    return to;
}

// The tree as text: one line per node with every stored field.
std::string Dump(const MProjectTree& tree)
{
    std::string out;
    for (const ZQ_PM_Node* n : tree.GetNodes()) {
        out += std::to_string(n->m_id) + " p" + std::to_string(n->m_parent ? n->m_parent->m_id : -1) + " t" +
               std::to_string(n->m_type) + " s" + std::to_string(n->m_subType) + " st" + std::to_string(n->m_state) +
               " i" + std::to_string(n->m_imageId) + " f" + std::to_string(n->m_flags) + " a" +
               std::to_string(n->m_flowAim) + " [" + n->m_name + "] " + tree.RelativePath(n->m_filePath) + "\n";
    }
    return out;
}

ZQ_PM_Node* ByFile(MProjectTree& tree, const std::string& name)
{
    ZQ_PM_Node* n = tree.FindFileInTree(name);
    EXPECT_NE(n, nullptr) << name;
    return n;
}

} // namespace

TEST(ProjectTree, ChangesPersistAndSurviveReopening)
{
    wiztest::ScratchDir dir;
    const std::string folder = dir / "p";
    MProjectTree tree;
    ASSERT_TRUE(tree.Create(folder, "Bracket")) << tree.GetLastError();
    EXPECT_FALSE(MProjectTree().Create(folder, "again")); // never over an existing project

    wiztest::WriteBytes(folder + "/bracket.igs", "x");
    ZQ_PM_Node* cad = tree.AddFile(folder + "/bracket.igs", tree.GetRootNode());
    ASSERT_NE(cad, nullptr) << tree.GetLastError();
    EXPECT_EQ(cad->GetType(), kNodeCadModel);
    EXPECT_EQ(cad->GetSubType(), kSubCadIges);
    ZQ_PM_Node* folderNode = tree.AddNode(tree.GetRootNode(), kNodeFolder, kSubNone, "Variants", "");
    ZQ_PM_Node* mesh = tree.AddNode(cad, kNodeMesh, kSubMidplane, "Tab\tand\nnewline \\ label", "bracket1.zql");
    ZQ_PM_Node* gone = tree.AddNode(folderNode, kNodeMesh, kSub3D, "", "/elsewhere/b.zq3");
    tree.AddNode(gone, kNodeMaterial, kSubThermoplastic, "", "m.mtl");
    ASSERT_TRUE(mesh && gone);
    EXPECT_EQ(mesh->GetState(), kStateMissing); // its file is not there yet
    EXPECT_EQ(gone->GetFilePath(), "/elsewhere/b.zq3");

    ASSERT_TRUE(tree.RemoveNode(gone));
    EXPECT_EQ(gone->GetType(), -1); // unlinked, still safe to read
    EXPECT_EQ(tree.GetNodes().size(), 4u);
    mesh->m_name = "Midplane, renamed";
    ASSERT_TRUE(mesh->WriteUserLabel());
    ZQ_PM_Node* next = tree.AddNode(cad, kNodeOther, kSubNone, "", "");
    EXPECT_EQ(next->GetId(), 6); // ids of removed nodes are not handed out again

    MProjectTree again;
    ASSERT_TRUE(again.Open(folder)) << again.GetLastError();
    EXPECT_EQ(Dump(again), Dump(tree));
    EXPECT_EQ(again.GetRootNode()->GetDisplayLabel(), "Bracket");
    EXPECT_EQ(again.FindNode(mesh->GetId())->GetDisplayLabel(), "Midplane, renamed");
    EXPECT_EQ(again.FindNode(cad->GetId())->GetFirstChild()->GetNextSibling()->GetId(), next->GetId());
    EXPECT_FALSE(again.RemoveNode(again.GetRootNode()));
    EXPECT_EQ(again.AddNode(gone, kNodeOther, kSubNone, "", ""), nullptr);
    EXPECT_FALSE(MProjectTree().Open(dir / "nothing-here"));
}

TEST(ProjectTree, NavigatesTheSampleProject)
{
    wiztest::ScratchDir dir;
    const std::string folder = CopySample(dir);
    MProjectTree tree;
    ASSERT_TRUE(tree.Open(folder)) << tree.GetLastError();

    ZQ_PM_Node* mid = ByFile(tree, "plate1.zql");
    ZQ_PM_Node* flowResult = ByFile(tree, "flow1.flr");
    ZQ_PM_Node* coolResult = ByFile(tree, "cool1.clr");
    ZQ_PM_Node* cooling2D = ByFile(tree, "coolplate.zqc");
    // The model mesh from every kind of node.
    EXPECT_EQ(mid->GetModelMeshNode(), mid);
    EXPECT_EQ(ByFile(tree, "material1.mtl")->GetModelMeshNode(), mid);
    EXPECT_EQ(ByFile(tree, "flow1.fin")->GetModelMeshNode(), mid);
    EXPECT_EQ(coolResult->GetModelMeshNode(), mid);
    EXPECT_EQ(ByFile(tree, "plate.igs")->GetModelMeshNode(), mid); // CAD: the first mesh below it
    EXPECT_EQ(ByFile(tree, "plate.stl")->GetModelMeshNode()->GetSubType(), kSubFusion);
    EXPECT_EQ(ByFile(tree, "plate3.zq3")->GetModelMeshNode()->GetSubType(), kSub3D);
    EXPECT_EQ(cooling2D->GetParent()->GetModelMeshNode(), cooling2D); // a folder
    // The mold model is a mesh below the part's, holding the cooling sets.
    ZQ_PM_Node* mold = ByFile(tree, "cooling.bc3")->GetParent();
    EXPECT_EQ(mold->GetType(), kNodeMesh);
    EXPECT_EQ(mold->GetSubType(), kSubMoldMesh);
    EXPECT_EQ(mold->GetParent(), mid);
    EXPECT_EQ(mold->GetModelMeshNode(), mid);

    // Flow aims reach the analyses that follow a flow.
    EXPECT_EQ(flowResult->GetFlowAim(), kAimPacking);
    EXPECT_EQ(coolResult->GetFlowAim(), kAimPacking);
    EXPECT_EQ(mid->GetFlowAim(), kAimNone);

    // Keyword files: inputs, materials and translation inputs; results have none.
    std::string path;
    EXPECT_TRUE(ByFile(tree, "material3.mtl")->GetKeywordFile(path));
    EXPECT_EQ(hostpath::BaseName(path), "material3.mtl");
    EXPECT_FALSE(flowResult->GetKeywordFile(path));
    wiztest::WriteBytes(folder + "/plate1.081", "TRANS_FILE_UNITS: MODEL_UNITS_MM\r\n");
    EXPECT_TRUE(mid->GetKeywordFile(path)); // the translator input beside the mesh
    EXPECT_EQ(hostpath::BaseName(path), "plate1.081");
}

TEST(ProjectTree, FindsFilesThroughFoldersAndAddsNewOnes)
{
    wiztest::ScratchDir dir;
    const std::string folder = CopySample(dir);
    MProjectTree tree;
    ASSERT_TRUE(tree.Open(folder));
    ZQ_PM_Node* cooling2D = tree.FindFileInTree(folder + "/coolplate.zqc");
    ASSERT_NE(cooling2D, nullptr);
    EXPECT_EQ(cooling2D->GetParent()->GetType(), kNodeFolder);
    std::string dos = folder + "\\COOLPLATE.ZQC";
    EXPECT_EQ(tree.FindFileInTree(dos), cooling2D); // any case, either separator
    EXPECT_EQ(tree.FindFileInTree("CoolPlate.zqc"), cooling2D);
    EXPECT_EQ(tree.FindFileInTree("absent.zqc"), nullptr);
    EXPECT_EQ(tree.FindFileInTree(""), nullptr);

    // A recorded label goes to the mesh made later; adding a known file gives its node.
    ZQ_PM_Node* cad = tree.FindFileInTree("plate.stl");
    ASSERT_TRUE(tree.WriteMeshLabel(folder + "/plate4.092", "Remeshed plate"));
    tree.SetEditNode(cad);
    wiztest::WriteBytes(folder + "/plate4.zqf", "mesh");
    ZQ_PM_Node* mesh = tree.AddFile(folder + "/plate4.zqf");
    ASSERT_NE(mesh, nullptr) << tree.GetLastError();
    EXPECT_EQ(mesh->GetParent(), cad);
    EXPECT_EQ(mesh->GetDisplayLabel(), "Remeshed plate");
    EXPECT_EQ(mesh->GetSubType(), kSubFusion);
    EXPECT_EQ(tree.AddFile("PLATE4.ZQF"), mesh);
    EXPECT_EQ(tree.GetNewMeshLabel(), "Mesh 8");
    ZQ_PM_Node* material = tree.AddFile(wiztest::SourcePath("data/materials/epoxy_emc_linden.mtl"));
    EXPECT_EQ(material->GetSubType(), kSubThermoset); // told apart by its keywords
}

TEST(ProjectTree, CreatesAndUpdatesAnalysisInputs)
{
    wiztest::ScratchDir dir;
    const std::string folder = CopySample(dir);
    MProjectTree tree;
    ASSERT_TRUE(tree.Open(folder));
    ZQ_PM_Node* material = tree.FindFileInTree("material1.mtl");
    ZQ_PM_Node* flowResult = tree.FindFileInTree("flow1.flr");

    MKeywordFile initial;
    tree.InitAnalysisInputs(initial, kSubFlow, 0, material);
    EXPECT_EQ(initial.GetValue("MELT_TEMPERATURE"), "230");
    EXPECT_EQ(initial.GetValue("MATERIAL_THERMAL_NO_FLOW_TEMPERATURE_SINGLE"), "140");
    EXPECT_EQ(initial.GetValue("ANALYSIS_PROGRAM"), "zqflow");
    EXPECT_EQ(hostpath::BaseName(initial.GetValue("ANALYSIS_MESH_FILE")), "plate1.zql");
    MKeywordFile cooling;
    tree.InitAnalysisInputs(cooling, kSubCooling, 0, flowResult);
    EXPECT_EQ(hostpath::BaseName(cooling.GetValue("ANALYSIS_FLOW_RESULT_FILE")), "flow1.flr");
    EXPECT_EQ(cooling.GetValue("ANALYSIS_PROGRAM"), "zqcool3d");

    initial.SetValue("3DFLOW_ANALYSIS_AIM", "FILLING");
    initial.SetValue("3DFLOW_GAS_PROCESS", "CONSTANT_PRESSURE");
    ZQ_PM_Node* input = tree.CreateInputNode(material, initial, kSubFlow);
    ASSERT_NE(input, nullptr) << tree.GetLastError();
    EXPECT_EQ(hostpath::BaseName(input->GetFilePath()), "flow2.fin"); // flow1.* is taken
    EXPECT_EQ(input->GetType(), kNodeInput);
    EXPECT_EQ(input->GetState(), kStatePending);
    EXPECT_EQ(input->GetAnalysisFlags(), kFlowGas);
    EXPECT_EQ(input->GetFlowAim(), kAimFilling);
    ZQ_PM_Node* result = input->GetFirstChild();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->GetType(), kNodeResult);
    EXPECT_EQ(result->GetSubType(), kSubFlow);
    MKeywordFile written;
    ASSERT_TRUE(written.Load(input->GetFilePath()));
    EXPECT_EQ(written.GetValue("3DFLOW_ANALYSIS_AIM"), "FILLING");

    // A cooling analysis below the new result, then the flow input rewritten.
    ZQ_PM_Node* coolInput = tree.CreateInputNode(result, cooling, kSubCooling);
    ASSERT_NE(coolInput, nullptr);
    ASSERT_TRUE(tree.SetNodeState(coolInput->GetFirstChild(), kStateOk));
    written.SetValue("3DFLOW_ANALYSIS_AIM", "MOLD_WINDOW");
    written.SetValue("ANALYSIS_DESCRIPTION", "Window study");
    ASSERT_TRUE(written.Write(input->GetFilePath()));
    ASSERT_TRUE(tree.UpdateInputNode(input));
    EXPECT_EQ(input->GetFlowAim(), kAimMoldWindow);
    EXPECT_EQ(result->GetFlowAim(), kAimMoldWindow);
    EXPECT_EQ(input->GetDisplayLabel(), "Window study");
    EXPECT_EQ(result->GetState(), kStatePending);
    EXPECT_EQ(coolInput->GetState(), kStateOutOfDate);
    EXPECT_EQ(coolInput->GetFirstChild()->GetState(), kStateOutOfDate);
    EXPECT_FALSE(tree.UpdateInputNode(material));
    EXPECT_EQ(tree.CreateInputNode(material, written, kSubMidplane), nullptr);

    MProjectTree again;
    ASSERT_TRUE(again.Open(folder));
    EXPECT_EQ(Dump(again), Dump(tree));
}

TEST(ProjectTree, TwoProcessesAddingAtOnceLoseNothing)
{
    wiztest::ScratchDir dir;
    const std::string folder = dir / "busy";
    ASSERT_TRUE(MProjectTree().Create(folder, "busy"));
    const int perProcess = 200;
    pid_t children[2];
    for (pid_t& child : children) {
        child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            MProjectTree tree;
            bool ok = tree.Open(folder).IsOk();
            for (int i = 0; ok && i < perProcess; ++i)
                ok = tree.AddNode(tree.GetRootNode(), kNodeOther, kSubNone, "n" + std::to_string(i), "") != nullptr;
            _exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    MProjectTree tree;
    ASSERT_TRUE(tree.Open(folder)) << tree.GetLastError();
    std::set<int> ids;
    for (const ZQ_PM_Node* n : tree.GetNodes())
        ids.insert(n->GetId());
    EXPECT_EQ(ids.size(), 2u * perProcess + 1);
}

TEST(ProjectTree, RefusesADamagedProjectFileAndNeverWritesOverIt)
{
    wiztest::ScratchDir dir;
    const std::string folder = CopySample(dir);
    const std::string file = folder + "/project.zqp";
    const std::string good = wiztest::ReadBytes(file);
    MProjectTree open;
    ASSERT_TRUE(open.Open(folder));

    const std::string cut = good.substr(0, good.size() / 2);
    std::string garbled = good;
    garbled[garbled.find("Midplane")] = 'm';
    std::string badRecord = good;
    badRecord.replace(badRecord.find("NODE\t3\t1\t3\t20"), 13, "NODE\t3\t1\tx\t20");
    const std::pair<std::string, std::string> cases[] = {
        {cut, "cut short"}, {garbled, "checksum"}, {"", "cut short"}, {badRecord, "checksum"}};
    for (const auto& [bytes, message] : cases) {
        wiztest::WriteBytes(file, bytes);
        MProjectTree tree;
        EXPECT_FALSE(tree.Open(folder));
        EXPECT_NE(tree.GetLastError().find(message), std::string::npos) << tree.GetLastError();
        EXPECT_NE(tree.GetLastError().find("project.zqp"), std::string::npos);
        // A tree opened before the damage refuses to change it too.
        EXPECT_EQ(open.AddNode(open.GetRootNode(), kNodeOther, kSubNone, "x", ""), nullptr);
        EXPECT_EQ(wiztest::ReadBytes(file), bytes);
    }
    wiztest::WriteBytes(file, good);
    EXPECT_NE(open.AddNode(open.GetRootNode(), kNodeOther, kSubNone, "x", ""), nullptr);
}

TEST(ProjectTree, MaterialsAreSearchedChosenAndCopiedIntoTheProject)
{
    wiztest::ScratchDir dir;
    const std::string folder = CopySample(dir);
    MProjectTree tree;
    ASSERT_TRUE(tree.Open(folder));
    MMatSearch search;
    search.SetLibraryPath(wiztest::SourcePath("data/materials"));
    EXPECT_EQ(search.Search(""), 8);
    EXPECT_EQ(search.Search("gf30 ALDERMOOR"), 1);
    ASSERT_TRUE(search.Select(0));
    EXPECT_TRUE(search.GetSelection()->fiberFilled);
    EXPECT_EQ(search.Search("pa66"), 1);
    EXPECT_EQ(search.GetSelectedIndex(), 0); // the choice survives a search that keeps it
    EXPECT_EQ(search.Search("epoxy"), 1);
    EXPECT_FALSE(search.HasSelection());
    EXPECT_EQ(tree.AddMaterialNode(tree.GetRootNode(), search), nullptr); // nothing chosen

    search.Select(0);
    ZQ_PM_Node* fusion = tree.FindFileInTree("plate2.zqf");
    ZQ_PM_Node* material = tree.AddMaterialNode(fusion, search);
    ASSERT_NE(material, nullptr) << tree.GetLastError();
    EXPECT_EQ(material->GetParent(), fusion);
    EXPECT_EQ(material->GetSubType(), kSubThermoset);
    EXPECT_EQ(hostpath::BaseName(material->GetFilePath()), "material4.mtl");
    EXPECT_EQ(wiztest::ReadBytes(material->GetFilePath()),
              wiztest::ReadBytes(wiztest::SourcePath("data/materials/epoxy_emc_linden.mtl")));

    // Replacing the material of the sample flow makes its analyses out of date.
    search.Search("hdpe");
    search.Select(0);
    ZQ_PM_Node* pp = tree.FindFileInTree("material1.mtl");
    ASSERT_TRUE(tree.UpdateMaterialNode(pp, search));
    EXPECT_EQ(pp->GetDisplayLabel(), "HDPE injection grade");
    EXPECT_EQ(tree.FindFileInTree("cool1.clr")->GetState(), kStateOutOfDate);
    EXPECT_EQ(tree.FindFileInTree("plate1.zql")->GetState(), kStateOk);
}

TEST(ProjectTree, DocumentedNumbersMatchTheCode)
{
    // The numbers the wizards test are fixed; the rest must match the document.
    EXPECT_EQ(kNodeCadModel, 1);
    EXPECT_EQ(kNodeMesh, 3);
    EXPECT_EQ(kNodeMaterial, 4);
    EXPECT_EQ(kNodeBoundary, 5);
    EXPECT_EQ(kNodeInput, 6);
    EXPECT_EQ(kNodeResult, 7);
    EXPECT_EQ(kNodeFolder, 9);
    EXPECT_EQ(kStateOutOfDate, -2);
    EXPECT_EQ(kAimPacking, 3);
    EXPECT_EQ(kAimMoldWindow, 5);
    EXPECT_EQ(kAimGateLocation, 6);
    EXPECT_EQ(kSubMesh2DCool, 15);
    EXPECT_EQ(kSubMidplane, 20);
    EXPECT_EQ(kSubFusion, 21);
    EXPECT_EQ(kSub3D, 22);
    EXPECT_EQ(kSubFlow, 27);
    EXPECT_EQ(kSubCooling, 28);
    EXPECT_EQ(kSubWarpage, 29);
    EXPECT_EQ(kSubStress, 30);

    const std::map<std::string, int> code = {
        {"kNodeProject", kNodeProject}, {"kNodeCadModel", kNodeCadModel}, {"kNodeTranslation", kNodeTranslation},
        {"kNodeMesh", kNodeMesh}, {"kNodeMaterial", kNodeMaterial}, {"kNodeBoundary", kNodeBoundary},
        {"kNodeInput", kNodeInput}, {"kNodeResult", kNodeResult}, {"kNodeOther", kNodeOther},
        {"kNodeFolder", kNodeFolder}, {"kNodeModelData", kNodeModelData}, {"kSubNone", kSubNone},
        {"kSubCadStl", kSubCadStl}, {"kSubCadPrep7", kSubCadPrep7}, {"kSubCadQuvex", kSubCadQuvex},
        {"kSubCadIges", kSubCadIges}, {"kSubCadNastran", kSubCadNastran}, {"kSubCadPatran", kSubCadPatran},
        {"kSubCadNastranBulk", kSubCadNastranBulk}, {"kSubCadUniversal", kSubCadUniversal},
        {"kSubCadUniversal2", kSubCadUniversal2}, {"kSubCadTessarin", kSubCadTessarin},
        {"kSubCadStep", kSubCadStep}, {"kSubCadVda", kSubCadVda}, {"kSubMesh2DCool", kSubMesh2DCool},
        {"kSubMoldMesh", kSubMoldMesh}, {"kSubChannelMesh", kSubChannelMesh},
        {"kSubModelAttributes", kSubModelAttributes}, {"kSubMidplane", kSubMidplane}, {"kSubFusion", kSubFusion},
        {"kSub3D", kSub3D}, {"kSubThermoplastic", kSubThermoplastic}, {"kSubFiberFilled", kSubFiberFilled},
        {"kSubThermoset", kSubThermoset}, {"kSubElementList", kSubElementList}, {"kSubFlow", kSubFlow},
        {"kSubCooling", kSubCooling}, {"kSubWarpage", kSubWarpage}, {"kSubStress", kSubStress},
        {"kSubTranslator", kSubTranslator}, {"kSubMesher", kSubMesher}, {"kStateOk", kStateOk},
        {"kStatePending", kStatePending}, {"kStateQueued", kStateQueued}, {"kStateRunning", kStateRunning},
        {"kStateFailed", kStateFailed}, {"kStateOutOfDate", kStateOutOfDate}, {"kStateMissing", kStateMissing},
        {"kAimNone", kAimNone}, {"kAimFilling", kAimFilling}, {"kAimRunnerBalance", kAimRunnerBalance},
        {"kAimPacking", kAimPacking}, {"kAimCuring", kAimCuring}, {"kAimMoldWindow", kAimMoldWindow},
        {"kAimGateLocation", kAimGateLocation}, {"kAimOptimumFill", kAimOptimumFill},
        {"kAimOptimumPack", kAimOptimumPack},
    };
    std::ifstream doc(wiztest::SourcePath("docs/project.md"));
    ASSERT_TRUE(doc.good());
    std::map<std::string, int> documented;
    const std::regex row(R"(^\| (-?\d+) \| `(k\w+)` \|)");
    std::smatch m;
    for (std::string line; std::getline(doc, line);)
        if (std::regex_search(line, m, row))
            documented[m[2]] = std::stoi(m[1]);
    EXPECT_EQ(documented, code);
    for (int sub = 2; sub <= 13; ++sub)
        EXPECT_NE(GetCADTypeInfo(sub), nullptr) << sub;
    EXPECT_EQ(GetCADTypeInfo(kSubMidplane), nullptr);
    for (const auto& [token, aim] : std::map<std::string, int>{
             {"FILL_AND_PACK", 3}, {"PACKING_STANDALONE", 3}, {"GATE_LOCATION", 6}, {"NONSENSE", 0}})
        EXPECT_EQ(FlowAimFromToken(token), aim) << token;
}
