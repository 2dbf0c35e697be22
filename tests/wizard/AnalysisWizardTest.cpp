// The analysis preparation wizard and the factory behind it: which analyses
// and options a start node allows (as tables), which wizard the factory
// builds with which flags, and whole sessions through both pages into the
// wizard chosen. The analysis wizards themselves live in higher layers; here
// stand-ins registered for the four analyses record how they were asked for.
#include "host/MaterialLibrary.h"
#include "keyword/KeywordFile.h"
#include "platform/SheetScript.h"
#include "platform/TestSheetIds.h"
#include "platform/system/WinApp.h"
#include "support/TestSupport.h"
#include "wizard/AnalysisFactory.h"
#include "wizard/AnalysisIds.h"
#include "wizard/AnalysisRules.h"
#include "wizard/AnalysisWizard.h"
#include "wizard/WizardLibrary.h"
#include "wizard/WizardRegistry.h"

#include <gtest/gtest.h>

namespace {

// ------------------------------------------------------------ stand-ins

struct SOpened {
    Node_SubType subType = kSubNone;
    int flags = -1;
    ZQ_PM_Node* node = nullptr;
};
std::vector<SOpened> g_opened;
bool g_failPrepare = false;
CWnd* g_preparation = nullptr;  // the preparation sheet, watched from the stand-in
bool g_preparationShown = true; // whether it was visible when the stand-in finished

class StandInWizard : public CWizard {
public:
    StandInWizard(ZQ_PM_Node* node, Node_SubType subType, int flags) : CWizard(0, node)
    {
        AddPage(&m_page);
        g_opened.push_back({subType, flags, node});
    }
    CResult Prepare() override { return g_failPrepare ? CResult::Fail("stand-in: no defaults") : CWizard::Prepare(); }
    void OnWizardFinish() override
    {
        CWizard::OnWizardFinish();
        g_preparationShown = g_preparation && g_preparation->IsWindowVisible();
        SetResultNode(GetStartNode());
        SetJobSubmission(kJobBatchQueue);
    }
    std::string GetOutputFile() const override { return "standin.fin"; }

private:
    CPropertyPageExt m_page{IDD_TEST_PAGE1};
};

template <Node_SubType S> std::unique_ptr<CWizard> CreateStandIn(ZQ_PM_Node* node)
{
    return std::make_unique<StandInWizard>(node, S, -1);
}
std::unique_ptr<CWizard> CreateFlowStandIn(ZQ_PM_Node* node, int flags)
{
    return std::make_unique<StandInWizard>(node, kSubFlow, flags);
}
bool AnyNode(const ZQ_PM_Node*) { return true; }

const SWizardFactory kStandIns[] = {
    {"test-flow", "any node", AnyNode, CreateStandIn<kSubFlow>, CreateFlowStandIn, kSubFlow},
    {"test-cool", "any node", AnyNode, CreateStandIn<kSubCooling>, nullptr, kSubCooling},
    {"test-warp", "any node", AnyNode, CreateStandIn<kSubWarpage>, nullptr, kSubWarpage},
    {"test-stress", "any node", AnyNode, CreateStandIn<kSubStress>, nullptr, kSubStress},
};
const CWizardRegistration kFlowStandIn(kStandIns[0]), kCoolStandIn(kStandIns[1]), kWarpStandIn(kStandIns[2]),
    kStressStandIn(kStandIns[3]);

// ------------------------------------------------------------ a project

// A new analysis of `subType` below `parent` with these keywords: its input node.
ZQ_PM_Node* NewInput(MProjectTree& tree, ZQ_PM_Node* parent, Node_SubType subType,
                     std::initializer_list<std::pair<const char*, const char*>> rows)
{
    MKeywordFile file;
    for (const auto& [keyword, value] : rows)
        file.SetValue(keyword, value);
    return tree.CreateInputNode(parent, file, subType);
}

struct AnalysisProject : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(tree.Create(dir.Path().string(), "preparation test")) << tree.GetLastError();
        CWizard::SetProjectTree(tree);
        g_opened.clear();
        g_failPrepare = false;
        g_preparation = nullptr;
        ZQ_PM_Node* root = tree.GetRootNode();
        midplane = tree.AddNode(root, kNodeMesh, kSubMidplane, "Midplane", "plate.zql");
        pp = Material(midplane, kSubThermoplastic, "pp.mtl", "PP", nullptr);
        fiber = Material(midplane, kSubFiberFilled, "gf.mtl", "PA GF", "MATERIAL_AVERAGE_FIBER_LENGTH");
        thermoset = Material(midplane, kSubThermoset, "epoxy.mtl", "Epoxy", "MATERIAL_THERMOSET_DATA");
        bcSet = tree.AddNode(midplane, kNodeBoundary, kSubFlow, "", "flow.bf3");
        mesh3D = tree.AddNode(root, kNodeMesh, kSub3D, "3D mesh", "plate.zq3");
        thermoset3D = Material(mesh3D, kSubThermoset, "epoxy3d.mtl", "Epoxy 3D", "MATERIAL_THERMOSET_DATA");
        packed = Result(NewInput(tree, pp, kSubFlow, {{"3DFLOW_ANALYSIS_AIM", "PACKING"}}));
        gasInput = NewInput(tree, pp, kSubFlow, {{"3DFLOW_ANALYSIS_AIM", "FILLING"}, {"3DFLOW_GAS_DELAY_TIME", "1"}});
        stressResult = Result(NewInput(tree, packed, kSubStress, {{"3DSTRUCT_ANALYSIS_AIM", "SMALL_DEFLECTION"}}));
        ASSERT_TRUE(midplane && pp && packed && gasInput && stressResult && thermoset3D) << tree.GetLastError();
        ASSERT_EQ(gasInput->GetAnalysisFlags(), kFlowGas);
        ASSERT_EQ(packed->GetFlowAim(), kAimPacking);

        // A library of two materials for the selector.
        const std::string library = dir / "library";
        std::filesystem::create_directories(library);
        wiztest::WriteBytes(library + "/pp.mtl", "MATERIAL_NAME: Library PP\r\n");
        wiztest::WriteBytes(library + "/epoxy.mtl", "MATERIAL_NAME: Library epoxy\r\nMATERIAL_THERMOSET_DATA: ON\r\n");
        CAnalysisWizard::ReleaseMaterialSearch();
        CAnalysisWizard::GetMaterialSearch().SetLibraryPath(library);
    }
    void TearDown() override { CAnalysisWizard::ReleaseMaterialSearch(); }

    ZQ_PM_Node* Material(ZQ_PM_Node* mesh, Node_SubType kind, const std::string& file, const std::string& name,
                         const char* marker)
    {
        std::string text = "MATERIAL_NAME: " + name + "\r\n";
        if (marker)
            text += std::string(marker) + ": 1\r\n";
        wiztest::WriteBytes(dir / file, text);
        return tree.AddNode(mesh, kNodeMaterial, kind, name, file);
    }
    static ZQ_PM_Node* Result(ZQ_PM_Node* input) { return input ? input->GetFirstChild() : nullptr; }

    // Runs the preparation wizard from `start` with `script`.
    SheetScriptRun Session(CAnalysisWizard& wizard, const std::string& script)
    {
        EXPECT_TRUE(wizard.Prepare());
        g_preparation = &wizard;
        return RunSheetScript(script, wizard);
    }

    CWinApp app;
    wiztest::ScratchDir dir;
    MProjectTree tree;
    ZQ_PM_Node *midplane = nullptr, *pp = nullptr, *fiber = nullptr, *thermoset = nullptr, *bcSet = nullptr;
    ZQ_PM_Node *mesh3D = nullptr, *thermoset3D = nullptr, *packed = nullptr, *gasInput = nullptr;
    ZQ_PM_Node* stressResult = nullptr;
};

std::vector<std::string> Messages()
{
    std::vector<std::string> texts;
    for (const CUiLogRecord& r : GetUiLog())
        if (r.kind == UiLogKind::MessageBox)
            texts.push_back(r.text);
    return texts;
}

} // namespace

// ------------------------------------------------------------ rules

TEST(AnalysisRules, WhatMayFollowAStartNode)
{
    constexpr bool Y = true, N = false;
    struct Case {
        int type;
        Node_SubType subType;
        int aim;
        Node_SubType mesh;
        bool flow, cool, warp, stress;
        int checked;
        bool noFurther;
    } cases[] = {
        // Before any result: no warpage; stress on a midplane only.
        {kNodeMaterial, kSubThermoplastic, kAimNone, kSubMidplane, Y, Y, N, Y, kChoiceFlow, N},
        {kNodeMaterial, kSubThermoplastic, kAimNone, kSubFusion, Y, Y, N, N, kChoiceFlow, N},
        {kNodeMesh, kSub3D, kAimNone, kSub3D, Y, Y, N, N, kChoiceFlow, N},
        // A packed part allows everything; other aims no structure; no part, nothing.
        {kNodeResult, kSubFlow, kAimPacking, kSubMidplane, Y, Y, Y, Y, kChoiceFlow, N},
        {kNodeResult, kSubFlow, kAimFilling, kSubMidplane, Y, Y, N, N, kChoiceFlow, N},
        {kNodeResult, kSubFlow, kAimMoldWindow, kSubMidplane, Y, Y, N, N, kChoiceFlow, Y},
        {kNodeResult, kSubFlow, kAimGateLocation, kSubMidplane, Y, Y, N, N, kChoiceFlow, Y},
        // A cooling result is not cooled again, but a packed part may warp.
        {kNodeResult, kSubCooling, kAimPacking, kSubMidplane, Y, N, Y, Y, kChoiceFlow, N},
        {kNodeResult, kSubCooling, kAimFilling, kSubMidplane, Y, N, N, N, kChoiceFlow, N},
        // Structural results.
        {kNodeResult, kSubWarpage, kAimPacking, kSubMidplane, N, N, Y, Y, kChoiceWarp, N},
        {kNodeResult, kSubStress, kAimPacking, kSubMidplane, Y, Y, Y, Y, -1, Y},
        // On a 3D mesh a result offers no cooling, warpage or stress.
        {kNodeResult, kSubFlow, kAimPacking, kSub3D, Y, N, N, N, kChoiceFlow, N},
        {kNodeResult, kSubWarpage, kAimPacking, kSub3D, N, N, N, N, kChoiceWarp, N},
        // A 2D cooling model is only cooled, and not after a result.
        {kNodeMaterial, kSubThermoplastic, kAimNone, kSubMesh2DCool, N, Y, N, N, kChoiceCool, N},
        {kNodeResult, kSubCooling, kAimNone, kSubMesh2DCool, N, Y, N, N, kChoiceCool, Y},
    };
    for (const Case& c : cases) {
        const SAnalysisOffer offer = AnalysisOffer({c.type, c.subType, c.aim, c.mesh});
        SCOPED_TRACE(testing::Message() << "type " << c.type << " sub-type " << c.subType << " aim " << c.aim
                                        << " mesh " << c.mesh);
        EXPECT_EQ(offer.noFurther, c.noFurther);
        if (c.noFurther)
            continue; // the wizard ends before anyone sees the choices
        EXPECT_EQ(offer.enabled[kChoiceFlow], c.flow);
        EXPECT_EQ(offer.enabled[kChoiceCool], c.cool);
        EXPECT_EQ(offer.enabled[kChoiceWarp], c.warp);
        EXPECT_EQ(offer.enabled[kChoiceStress], c.stress);
        EXPECT_EQ(offer.checked, c.checked);
    }
}

TEST(AnalysisRules, OptionsFollowTheMeshTheMaterialAndAnEarlierGasAnalysis)
{
    struct Case {
        bool gas;
        Node_SubType mesh;
        bool thermoset, fiber;
        int mask;
        bool refused, coolDisabled;
    } cases[] = {
        {false, kSubMidplane, false, false, kFlowGas | kFlowOptimum, false, false},
        {false, kSubFusion, false, false, kFlowOptimum, false, false},
        {false, kSub3D, false, false, 0, false, false},
        // Fiber orientation needs a fiber-filled material, and not a 3D mesh.
        {false, kSubMidplane, false, true, kFlowGas | kFlowOptimum | kFlowFiber, false, false},
        {false, kSubFusion, false, true, kFlowOptimum | kFlowFiber, false, false},
        {false, kSub3D, false, true, 0, false, false},
        // After a gas-assisted analysis only gas, checked.
        {true, kSubMidplane, false, false, kFlowGas, false, false},
        {true, kSub3D, false, true, kFlowGas, false, false},
        {true, kSubFusion, false, true, kFlowGas | kFlowFiber, false, false},
        // A thermoset: no option and no cooling on a midplane, refused elsewhere.
        {false, kSubMidplane, true, true, kFlowThermoset, false, true},
        {true, kSubMidplane, true, false, kFlowThermoset, false, true},
        {false, kSub3D, true, false, 0, true, false},
        {false, kSubFusion, true, false, kFlowOptimum, true, false},
    };
    for (const Case& c : cases) {
        const SOptionsMask mask = OptionsMask(c.gas, c.mesh, c.thermoset, c.fiber);
        SCOPED_TRACE(testing::Message() << "gas " << c.gas << " mesh " << c.mesh << " thermoset " << c.thermoset
                                        << " fiber " << c.fiber);
        EXPECT_EQ(mask.thermosetRefused, c.refused);
        if (!c.refused) {
            EXPECT_EQ(mask.mask, c.mask);
            EXPECT_EQ(mask.coolDisabled, c.coolDisabled);
        }
        EXPECT_EQ(mask.gasChecked, c.gas);
    }
    // The thermoset bit is the mask's, never a check box's.
    EXPECT_EQ(FlowFlags(kFlowThermoset, 0), kFlowThermoset);
    EXPECT_EQ(FlowFlags(kFlowGas | kFlowOptimum, kFlowOptimum), kFlowOptimum);
    EXPECT_EQ(FlowFlags(kFlowGas | kFlowFiber, kFlowGas | kFlowThermoset), kFlowGas);
    EXPECT_EQ(FlowFlags(kFlowGas | kFlowThermoset, 0), 0);
}

// ------------------------------------------------------------ factory

TEST_F(AnalysisProject, TheFactoryBuildsTheWizardOfEachAnalysis)
{
    // Sub-types 27 to 30, each its own wizard; flags reach only the flow wizard.
    for (Node_SubType subType : {kSubFlow, kSubCooling, kSubWarpage, kSubStress}) {
        g_opened.clear();
        EXPECT_NE(CreateAnalysisWizard(pp, subType, kFlowOptimum), nullptr);
        ASSERT_EQ(g_opened.size(), 1u);
        EXPECT_EQ(g_opened[0].subType, subType);
        EXPECT_EQ(g_opened[0].node, pp);
        EXPECT_EQ(g_opened[0].flags, subType == kSubFlow ? kFlowOptimum : -1);
    }
    // Anything else gets no wizard.
    g_opened.clear();
    for (Node_SubType subType : {kSubNone, kSubMidplane, kSubTranslator, static_cast<Node_SubType>(99)})
        EXPECT_EQ(CreateAnalysisWizard(pp, subType, 0), nullptr) << subType;
    EXPECT_EQ(CreateAnalysisWizard(nullptr, kSubFlow, 0), nullptr);
    EXPECT_EQ(CreateAnalysisWizard(pp), nullptr); // a material is no analysis
    EXPECT_TRUE(g_opened.empty());
}

TEST_F(AnalysisProject, AFlowWizardForAnInputKeepsTheInputsOptions)
{
    // Asked for none, a gas-assisted input still gives a gas-assisted wizard;
    // asked for more, it gets both.
    EXPECT_NE(CreateAnalysisWizard(gasInput, kSubFlow, 0), nullptr);
    EXPECT_NE(CreateAnalysisWizard(gasInput, kSubFlow, kFlowFiber), nullptr);
    // The one-argument form: the input's own sub-type, its own flags.
    EXPECT_NE(CreateAnalysisWizard(gasInput), nullptr);
    // A result's options are not an input's: only the caller's count.
    ZQ_PM_Node* gasResult = gasInput->GetFirstChild();
    ASSERT_EQ(gasResult->GetAnalysisFlags(), kFlowGas);
    EXPECT_NE(CreateAnalysisWizard(gasResult, kSubFlow, 0), nullptr);
    ASSERT_EQ(g_opened.size(), 4u);
    EXPECT_EQ(g_opened[0].flags, kFlowGas);
    EXPECT_EQ(g_opened[1].flags, kFlowGas | kFlowFiber);
    EXPECT_EQ(g_opened[2].flags, kFlowGas);
    EXPECT_EQ(g_opened[3].flags, 0);
}

TEST(WizardLibrary, AttachingFindsTheResourcesAndDetachingDropsTheKeptSearch)
{
    {
        CWizardLibraryScope library;
        ASSERT_TRUE(library.Result()) << library.Result().GetMessage();
        EXPECT_TRUE(IsWizardLibraryAttached());
        CAnalysisWizard::GetMaterialSearch().Search("kept text");
        EXPECT_EQ(CAnalysisWizard::GetMaterialSearch().GetSearchText(), "kept text");
    }
    EXPECT_FALSE(IsWizardLibraryAttached());
    EXPECT_EQ(CAnalysisWizard::GetMaterialSearch().GetSearchText(), "");
    CAnalysisWizard::ReleaseMaterialSearch();
}

// ------------------------------------------------------------ sessions

TEST_F(AnalysisProject, StartedOnAMaterialTheAnalysisPageComesFirst)
{
    CAnalysisWizard wizard(pp);
    EXPECT_EQ(wizard.GetMaterialNode(), pp);
    const SheetScriptRun run = Session(wizard, R"(expect dialog IDD_ANALYSIS_PAGE2
expect disabled < Back
expect text 12325 OK
expect checked IDC_ANALYSIS_FLOW
expect disabled IDC_ANALYSIS_WARP
expect enabled IDC_ANALYSIS_STRESS
expect disabled IDC_ANALYSIS_FIBER
click IDC_ANALYSIS_OPTIMUM
finish
expect dialog IDD_TEST_PAGE1
wait 500
finish
)");
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, ID_WIZFINISH);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].subType, kSubFlow);
    EXPECT_EQ(g_opened[0].flags, kFlowOptimum);
    EXPECT_EQ(g_opened[0].node, pp);
    // The sheet hid itself while the chosen wizard ran, and took over its result.
    EXPECT_FALSE(g_preparationShown);
    EXPECT_EQ(wizard.GetResultNode(), pp);
    EXPECT_EQ(wizard.GetJobSubmission(), kJobBatchQueue);
    EXPECT_EQ(wizard.GetOutputFile(), "standin.fin");
    EXPECT_TRUE(wizard.GetFinishResult());
}

TEST_F(AnalysisProject, StartedOnAMeshAMaterialIsChosenFirst)
{
    CAnalysisWizard wizard(midplane);
    EXPECT_EQ(wizard.GetMaterialNode(), nullptr);
    const SheetScriptRun run = Session(wizard, R"(expect dialog IDD_ANALYSIS_PAGE1
expect text IDC_ANALYSIS_MATERIAL_NAME ""
expect disabled Next >
click IDC_ANALYSIS_MATERIAL_BUTTON
expect dialog IDD_HOST_MATERIAL_SELECTOR
cancel
expect disabled Next >
click IDC_ANALYSIS_MATERIAL_BUTTON
select IDC_HOST_MAT_LIST "Library PP"
ok
expect text IDC_ANALYSIS_MATERIAL_NAME "Library PP"
next
expect dialog IDD_ANALYSIS_PAGE2
expect enabled < Back
expect text 12325 OK
back
expect dialog IDD_ANALYSIS_PAGE1
next
click IDC_ANALYSIS_COOL
finish
finish
)");
    EXPECT_EQ(run.failure, "");
    ASSERT_NE(wizard.GetMaterialNode(), nullptr);
    EXPECT_EQ(wizard.GetMaterialNode()->GetParent(), midplane);
    EXPECT_EQ(wizard.GetMaterialNode()->GetDisplayLabel(), "Library PP");
    // The analysis starts from the new material, not the mesh.
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].subType, kSubCooling);
    EXPECT_EQ(g_opened[0].node, wizard.GetMaterialNode());
    // The sheet had not hidden yet: the chosen wizard finished within 500 ms.
    EXPECT_TRUE(g_preparationShown);
}

TEST_F(AnalysisProject, NodesThatStandForTheirMeshStartOnTheMaterialPage)
{
    for (ZQ_PM_Node* node : {bcSet, static_cast<ZQ_PM_Node*>(nullptr)}) {
        CAnalysisWizard wizard(node);
        if (!node) {
            EXPECT_FALSE(wizard.Prepare());
            continue;
        }
        EXPECT_EQ(wizard.GetStartNode(), midplane);
        EXPECT_EQ(wizard.GetMaterialNode(), nullptr);
        const SheetScriptRun run = Session(wizard, "expect dialog IDD_ANALYSIS_PAGE1\ncancel\n");
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.result, IDCANCEL);
    }
    EXPECT_TRUE(CAnalysisWizard::CanStartFrom(bcSet));
    EXPECT_TRUE(CAnalysisWizard::CanStartFrom(stressResult));
    EXPECT_FALSE(CAnalysisWizard::CanStartFrom(gasInput));
    EXPECT_FALSE(CAnalysisWizard::CanStartFrom(tree.GetRootNode()));
}

TEST_F(AnalysisProject, GasUnchecksFiberAndTheFlagsFollowTheChecks)
{
    CAnalysisWizard wizard(fiber);
    const SheetScriptRun run = Session(wizard, R"(expect enabled IDC_ANALYSIS_FIBER
expect enabled IDC_ANALYSIS_GAS
expect enabled IDC_ANALYSIS_OPTIMUM
click IDC_ANALYSIS_FIBER
click IDC_ANALYSIS_GAS
expect unchecked IDC_ANALYSIS_FIBER
expect checked IDC_ANALYSIS_GAS
click IDC_ANALYSIS_OPTIMUM
expect unchecked IDC_ANALYSIS_GAS
click IDC_ANALYSIS_FIBER
expect unchecked IDC_ANALYSIS_OPTIMUM
click IDC_ANALYSIS_STRESS
expect disabled IDC_ANALYSIS_FIBER
click IDC_ANALYSIS_FLOW
expect checked IDC_ANALYSIS_FIBER
finish
finish
)");
    EXPECT_EQ(run.failure, "");
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].flags, kFlowFiber);
}

TEST_F(AnalysisProject, AThermosetOnAMidplaneGivesAThermosetFlowWithoutCooling)
{
    CAnalysisWizard wizard(thermoset);
    const SheetScriptRun run = Session(wizard, R"(expect disabled IDC_ANALYSIS_COOL
expect disabled IDC_ANALYSIS_GAS
expect disabled IDC_ANALYSIS_OPTIMUM
finish
finish
)");
    EXPECT_EQ(run.failure, "");
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].flags, kFlowThermoset);
}

TEST_F(AnalysisProject, AfterAGasAnalysisGasIsCheckedAndKept)
{
    CAnalysisWizard wizard(gasInput->GetFirstChild());
    const SheetScriptRun run = Session(wizard, R"(expect checked IDC_ANALYSIS_GAS
expect disabled IDC_ANALYSIS_OPTIMUM
expect disabled IDC_ANALYSIS_WARP
finish
finish
)");
    EXPECT_EQ(run.failure, "");
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].flags, kFlowGas);
}

TEST_F(AnalysisProject, AThermosetOnA3DMeshIsRefused)
{
    // Started on it: the only page refuses to show, and the wizard ends.
    {
        CAnalysisWizard wizard(thermoset3D);
        const SheetScriptRun run = Session(wizard, R"(expect message Error: illegal use of thermoset material with non-midplane mesh
answer OK
)");
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.result, IDCANCEL);
    }
    // Chosen on the material page: the wizard stays there.
    CAnalysisWizard wizard(mesh3D);
    const SheetScriptRun run = Session(wizard, R"(click IDC_ANALYSIS_MATERIAL_BUTTON
select IDC_HOST_MAT_LIST "Library epoxy"
ok
next
expect message Error: illegal use of thermoset material with non-midplane mesh
answer OK
expect dialog IDD_ANALYSIS_PAGE1
cancel
)");
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_TRUE(g_opened.empty());
}

TEST_F(AnalysisProject, NothingFollowsAStressResult)
{
    CAnalysisWizard wizard(stressResult);
    const SheetScriptRun run = Session(wizard, "answer OK\n");
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(Messages(), std::vector<std::string>{"No further analyses are possible starting from this node!"});
    EXPECT_TRUE(g_opened.empty());
}

TEST_F(AnalysisProject, TheChosenWizardCancelledOrUnpreparedLeavesNoResult)
{
    {
        CAnalysisWizard wizard(packed);
        const SheetScriptRun run = Session(wizard, R"(click IDC_ANALYSIS_WARP
finish
cancel
)");
        EXPECT_EQ(run.failure, "");
        EXPECT_EQ(run.result, ID_WIZFINISH);
        EXPECT_EQ(g_opened.at(0).subType, kSubWarpage);
        EXPECT_EQ(wizard.GetResultNode(), nullptr);
        EXPECT_FALSE(wizard.ChosenWizardFinished());
        EXPECT_EQ(wizard.GetJobSubmission(), kJobSubmitLater);
        EXPECT_TRUE(wizard.GetFinishResult());
    }
    // One that cannot prepare its analysis makes this Finish fail with its reason.
    g_failPrepare = true;
    CAnalysisWizard wizard(packed);
    const SheetScriptRun run = Session(wizard, "finish\n");
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, ID_WIZFINISH);
    EXPECT_EQ(wizard.GetResultNode(), nullptr);
    EXPECT_EQ(wizard.GetFinishResult().GetMessage(), "stand-in: no defaults");
}
