// The flow wizard on a copy of the sample project: its keyword set by mesh
// and flags, what construction derives from the start node and the material,
// which pages show, and the analysis type page's restart rules.
#include "flow/FlowIds.h"
#include "flow/FlowWizard.h"
#include "host/FlowRestarts.h"
#include "keyword/KeywordFile.h"
#include "keyword/ValueRange.h"
#include "platform/resources/Resources.h"
#include "FlowTestSupport.h"

#include <algorithm>

namespace {

using flowtest::SampleProject;

class FlowWizard : public SampleProject {
protected:
    // A flow input below the material of the midplane holding `rows`.
    ZQ_PM_Node* AddInput(const std::string& name, const std::string& rows)
    {
        wiztest::WriteBytes(project + "/" + name, "3DFLOW_ANALYSIS_AIM: PACKING\n" + rows);
        ZQ_PM_Node* input = tree.AddNode(Node("material1.mtl"), kNodeInput, kSubFlow, name, name);
        EXPECT_NE(input, nullptr) << tree.GetLastError();
        return input;
    }
    std::string RangeText(CFlowWizard& wizard, const std::string& keyword)
    {
        return wizard.GetBindings().GetRangeStore().GetValue(keyword + "_RANGE");
    }
};

std::size_t Position(const CKeywordBindings& bindings, const std::string& keyword)
{
    const auto places = bindings.ListBindings();
    const auto found = std::find_if(places.begin(), places.end(), [&](const auto& p) { return p.keyword == keyword; });
    return static_cast<std::size_t>(found - places.begin());
}

} // namespace

TEST_F(FlowWizard, KeywordSetFollowsTheMeshAndTheFlags)
{
    CFlowWizard midplane(Node("material1.mtl"), 0);
    ASSERT_TRUE(midplane.Prepare());
    const CKeywordBindings& b = midplane.GetBindings();
    EXPECT_EQ(midplane.GetPrefix(), "3DFLOW_");
    EXPECT_EQ(midplane.GetSwitchOverKeyword(), "3DFLOW_VELOCITY_PRESSURE_TRANSITION_PRESSURE_AT_A_NODE");
    for (const char* keyword : {"3DFLOW_ANALYSIS_AIM", "3DFLOW_BOUNDARY_CONDITION", "3DFLOW_RUN_PRESSURE",
                                "3DFLOW_PRESSURE_CONTROL_PROFILE_FACTOR", "ANALYSIS_DESCRIPTION"})
        EXPECT_TRUE(b.IsBound(keyword)) << keyword;
    for (const char* keyword : {"MOLD3D_ANALYSIS_AIM", "3DFLOW_GAS_PROCESS", "3DFLOW_OPTIM_QUALITY_WARPAGE",
                                "3DFLOW_TSET_CURING_TIME"})
        EXPECT_FALSE(b.IsBound(keyword)) << keyword;
    // Registered in the order of the tables: analysis type, boundary
    // conditions, process, velocity and pressure profiles, description.
    const std::size_t order[] = {Position(b, "3DFLOW_ANALYSIS_AIM"), Position(b, "3DFLOW_BOUNDARY_CONDITION"),
                                 Position(b, "3DFLOW_RUN_PRESSURE"), Position(b, "INJECTION"),
                                 Position(b, "3DFLOW_RAM_SPECIFIED_STROKE_LENGTH"),
                                 Position(b, "3DFLOW_PRESSURE_CONTROL_PROFILE"), Position(b, "ANALYSIS_DESCRIPTION")};
    EXPECT_TRUE(std::is_sorted(std::begin(order), std::end(order)));
    EXPECT_LT(order[6], b.GetBindingCount());

    CFlowWizard solid(Node("pp3d.mtl"), kFlowGas | kFlowOptimum | kFlowThermoset);
    ASSERT_TRUE(solid.Prepare());
    const CKeywordBindings& s = solid.GetBindings();
    EXPECT_TRUE(solid.Is3D());
    for (const char* keyword : {"MOLD3D_ANALYSIS_AIM", "MOLD3D_BOUNDARY_CONDITION", "MOLD3D_RAM",
                                "3DFLOW_GAS_PROCESS", "3DFLOW_OPTIM_QUALITY_SINK_MARKS", "3DFLOW_TSET_CURING_TIME",
                                "3DFLOW_TSET_TRANSFER_POT_PLASTIC_SPECIFIC_HEAT"})
        EXPECT_TRUE(s.IsBound(keyword)) << keyword;
    // No runner balance on a 3D mesh.
    EXPECT_FALSE(s.IsBound("3DFLOW_RUN_PRESSURE"));
    EXPECT_FALSE(s.IsBound("3DFLOW_ANALYSIS_AIM"));
    EXPECT_LT(Position(s, "3DFLOW_OPTIM_QUALITY_SINK_MARKS"), Position(s, "3DFLOW_TSET_CURING_TIME"));
}

TEST_F(FlowWizard, EveryBoundControlIsOnItsDialog)
{
    CFlowWizard wizard(Node("material1.mtl"), kFlowGas | kFlowOptimum | kFlowThermoset);
    ASSERT_TRUE(wizard.Prepare());
    int checked = 0;
    for (const auto& place : wizard.GetBindings().ListBindings()) {
        if (place.controlId == -1)
            continue;
        ASSERT_NE(place.page, nullptr) << place.keyword;
        const CDialogTemplate* t = FindDialogTemplate(place.page->GetTemplateId());
        ASSERT_NE(t, nullptr) << place.keyword;
        auto has = [&](int id) {
            return std::any_of(t->items.begin(), t->items.end(), [&](const auto& item) { return item.id == id; });
        };
        // A grid is made over the dialog's grid frame when the dialog opens.
        const int grids[] = {IDC_FLOW_PPROFILE_PRESSURE, IDC_FLOW_PPROFILE_FACTOR,   IDC_FLOW_PROFILE_FLOW_VOL,
                             IDC_FLOW_PROFILE_TIME_RAM,  IDC_FLOW_PROFILE_TIME_SPLINE, IDC_FLOW_PROFILE_RAM_VELOCITY};
        const bool grid = std::find(std::begin(grids), std::end(grids), place.controlId) != std::end(grids);
        EXPECT_TRUE(has(grid ? IDC_FLOW_GRID_FRAME : place.controlId)) << place.keyword << " on "
                                                                        << place.page->GetTemplateId();
        EXPECT_TRUE(place.companionId == -1 || has(place.companionId)) << place.keyword;
        ++checked;
    }
    EXPECT_GT(checked, 50);
    const long* id = AppResources().FindSymbol("IDC_FLOW_MELT_LOWER");
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(*id, IDC_FLOW_MELT_LOWER);
}

TEST_F(FlowWizard, MoldingWindowRangesComeFromTheNoFlowTemperature)
{
    CFlowWizard blend(Node("pcabs.mtl"), 0);
    ASSERT_TRUE(blend.Prepare());
    EXPECT_EQ(RangeText(blend, "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT"), "[210:)");
    EXPECT_EQ(RangeText(blend, "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_UPPER_LIMIT"), "[210:)");
    EXPECT_EQ(RangeText(blend, "3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_LOWER_LIMIT"), "(:190]");
    EXPECT_EQ(RangeText(blend, "3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_UPPER_LIMIT"), "(:190]");
    CValueRange melt;
    blend.GetBindings().GetRange("3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT", melt);
    EXPECT_FALSE(melt.Contains(205));
    EXPECT_TRUE(melt.Contains(210));

    // No no-flow temperature: no derived ranges, only the solver's own.
    ZQ_PM_Node* input = AddInput("plain.fin", "MATERIAL_THERMAL_NO_FLOW_TEMPERATURE_SINGLE: 0\n");
    CFlowWizard plain(input, 0);
    ASSERT_TRUE(plain.Prepare());
    const std::string installed = RangeText(plain, "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT");
    EXPECT_NE(installed, "[10:)");
    EXPECT_NE(installed, "[210:)");

    // A range file in the current folder overrides the derived range.
    wiztest::WriteBytes(project + "/zqflow.rng", "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT_RANGE: [150:400]\n");
    CFlowWizard local(Node("pcabs.mtl"), 0);
    ASSERT_TRUE(local.Prepare());
    EXPECT_EQ(RangeText(local, "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT"), "[150:400]");
    EXPECT_EQ(RangeText(local, "3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_UPPER_LIMIT"), "[210:)");
}

TEST_F(FlowWizard, SwitchOverNodeValueShowsThePressureAlone)
{
    ZQ_PM_Node* input =
        AddInput("switch.fin", "3DFLOW_BOUNDARY_CONDITION: flow.bf3\n"
                               "3DFLOW_VELOCITY_PRESSURE_TRANSITION: PRESSURE_AT_A_NODE\n"
                               "3DFLOW_VELOCITY_PRESSURE_TRANSITION_PRESSURE_AT_A_NODE: 57 \\\n2e+07\n");
    CFlowWizard wizard(input, 0);
    ASSERT_TRUE(wizard.Prepare());
    MKeywordFile working;
    ASSERT_TRUE(working.Load(wizard.GetTempFileName()));
    EXPECT_EQ(working.GetValue(wizard.GetSwitchOverKeyword()), "2e+07");
    // flow.bf3 names no switch-over node: Finish keeps the pressure alone.
    EXPECT_EQ(Run(wizard, "next\nnext\nexpect text IDC_FLOW_SWITCH_PRESSURE 20\nnext\nfinish\n"), ID_WIZFINISH);
    EXPECT_TRUE(wizard.GetFinishResult());
    MKeywordFile written;
    ASSERT_TRUE(written.Load(project + "/switch.fin"));
    EXPECT_EQ(written.GetRawValue(wizard.GetSwitchOverKeyword()), "2E+7");
}

TEST_F(FlowWizard, AbaqusSwitchIsWrittenAndRememberedForTheNextAnalysis)
{
    // The analysis's own choice is written and becomes the remembered one.
    ZQ_PM_Node* input = AddInput("abaqus.fin", "3DFLOW_BOUNDARY_CONDITION: flow.bf3\n3DFLOW_ABAQUS_INTERFACE: ON\n");
    ASSERT_EQ(app.GetProfileInt("Defaults", "AbaqusInterface", 7), 7);
    CFlowWizard wizard(input, 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, "next\nnext\nnext\nfinish\n"), ID_WIZFINISH);
    ASSERT_TRUE(wizard.GetFinishResult());
    EXPECT_TRUE(wizard.m_bAbaqusInterface);
    EXPECT_EQ(app.GetProfileInt("Defaults", "AbaqusInterface", 7), 1);
    MKeywordFile written;
    ASSERT_TRUE(written.Load(project + "/abaqus.fin"));
    EXPECT_EQ(written.GetValue("3DFLOW_ABAQUS_INTERFACE"), "ON");

    // Switched off in the file: the setting follows.
    wiztest::WriteBytes(project + "/abaqus.fin", "3DFLOW_ANALYSIS_AIM: PACKING\n3DFLOW_BOUNDARY_CONDITION: flow.bf3\n"
                                                 "3DFLOW_ABAQUS_INTERFACE: OFF\n");
    CFlowWizard again(input, 0);
    ASSERT_TRUE(again.Prepare());
    EXPECT_EQ(Run(again, "next\nnext\nnext\nfinish\n"), ID_WIZFINISH);
    EXPECT_EQ(app.GetProfileInt("Defaults", "AbaqusInterface", 7), 0);

    // No Abaqus interface from a 3D solver.
    CFlowWizard solid(Node("pp3d.mtl"), 0);
    ASSERT_TRUE(solid.Prepare());
    EXPECT_FALSE(solid.GetBindings().IsBound("3DFLOW_ABAQUS_INTERFACE"));
}

TEST_F(FlowWizard, AfterACoolingAnalysisTheMidplaneFlowIsAsymmetric)
{
    auto analysisType = [&](int flags) {
        CFlowWizard wizard(Node("cool1.clr"), flags);
        EXPECT_TRUE(wizard.Prepare());
        MKeywordFile working;
        EXPECT_TRUE(working.Load(wizard.GetTempFileName()));
        return working.GetValue("3DFLOW_ANALYSIS_TYPE");
    };
    EXPECT_EQ(analysisType(0), "ASYMMETRIC");
    EXPECT_EQ(analysisType(kFlowGas), "");
    CFlowWizard::SetDefaultToAsymmetric(0);
    EXPECT_EQ(analysisType(0), "");
    CFlowWizard::SetDefaultToAsymmetric(1);
    // Not from a flow result.
    CFlowWizard wizard(Node("flow1.flr"), 0);
    ASSERT_TRUE(wizard.Prepare());
    MKeywordFile working;
    ASSERT_TRUE(working.Load(wizard.GetTempFileName()));
    EXPECT_EQ(working.GetValue("3DFLOW_ANALYSIS_TYPE"), "");
}

TEST_F(FlowWizard, PagesShowByAimRestartAndBoundaryConditions)
{
    CFlowWizard fresh(Node("material1.mtl"), 0);
    ASSERT_TRUE(fresh.Prepare());
    fresh.m_strBoundaryFile = "valvegates.bf3";
    for (int aim : {kFlowAimPacking, kFlowAimFilling, kFlowAimCuring, kFlowAimMoldWindow, kFlowAimGateLocation}) {
        fresh.m_aim.m_index = aim;
        EXPECT_TRUE(fresh.IsPageEnabled(IDD_FLOW_PAGE1));
        EXPECT_TRUE(fresh.IsPageEnabled(IDD_FLOW_PAGE2));
        EXPECT_EQ(fresh.IsPageEnabled(IDD_FLOW_PAGE3), aim != kFlowAimMoldWindow && aim != kFlowAimGateLocation);
        EXPECT_EQ(fresh.IsPageEnabled(IDD_FLOW_PAGE4), aim == kFlowAimPacking || aim == kFlowAimFilling) << aim;
        EXPECT_TRUE(fresh.IsPageEnabled(IDD_FLOW_PAGE5));
    }
    fresh.m_aim.m_index = kFlowAimPacking;
    fresh.m_strBoundaryFile = "flow.bf3";
    EXPECT_FALSE(fresh.IsPageEnabled(IDD_FLOW_PAGE4));
    fresh.m_strBoundaryFile = "gas.bf3"; // gas and well valve gates: only for a gas analysis
    EXPECT_FALSE(fresh.IsPageEnabled(IDD_FLOW_PAGE4));
    fresh.m_restart.m_index = kRestartIntermediateFilling;
    EXPECT_FALSE(fresh.IsPageEnabled(IDD_FLOW_PAGE2));

    CFlowWizard gas(Node("material1.mtl"), kFlowGas);
    ASSERT_TRUE(gas.Prepare());
    gas.m_aim.m_index = kFlowAimPacking;
    gas.m_strBoundaryFile = "gas.bf3";
    EXPECT_TRUE(gas.IsPageEnabled(IDD_FLOW_PAGE4));

    // A flow after a flow keeps the earlier boundary conditions: no page for them.
    CFlowWizard follows(Node("flow1.flr"), 0);
    ASSERT_TRUE(follows.Prepare());
    EXPECT_EQ(follows.m_strBoundaryFile, "flow.bf3");
    EXPECT_FALSE(follows.IsPageEnabled(IDD_FLOW_PAGE2));
    // The curing page exists with the thermoset flag alone.
    EXPECT_EQ(Run(follows, "next\nexpect dialog IDD_FLOW_PAGE3\ncancel\n"), IDCANCEL);
    CFlowWizard thermoset(Node("material3.mtl"), CFlowWizard::DefaultFlags(Node("material3.mtl")));
    ASSERT_TRUE(thermoset.Prepare());
    EXPECT_EQ(thermoset.GetFlags(), kFlowThermoset);
    EXPECT_EQ(Run(thermoset, "expect visible IDC_FLOW_CURING\nexpect hidden IDC_FLOW_FULL_FLOW\n"
                             "expect hidden IDC_FLOW_MOLD_WINDOW\nnext\nselect IDC_FLOW_BC_LIST \" flow.bf3\"\n"
                             "next\nnext\nexpect dialog IDD_FLOW_PAGE_TSET\ncancel\n"),
              IDCANCEL);
}

TEST_F(FlowWizard, RestartTokensAndFiles)
{
    // A restart token that is none of the five means no restart.
    ZQ_PM_Node* odd = AddInput("odd.fin", "3DFLOW_RESTART: SOMETIMES\n3DFLOW_RESTART_SOMETIMES: flow1.fr0\n");
    CFlowWizard oddWizard(odd, 0);
    ASSERT_TRUE(oddWizard.Prepare());
    EXPECT_EQ(Run(oddWizard, "expect hidden IDC_FLOW_RESTART_LIST\nexpect enabled IDC_FLOW_RUNNER_BALANCE\n"
                             "next\nexpect dialog IDD_FLOW_PAGE2\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(oddWizard.m_restart.m_index, kRestartNone);

    // A name without restart points gets ".fr0" and no list.
    ZQ_PM_Node* none = AddInput("none.fin", "3DFLOW_RESTART: END_OF_FILLING\n3DFLOW_RESTART_END_OF_FILLING: lost\n");
    CFlowWizard noneWizard(none, 0);
    ASSERT_TRUE(noneWizard.Prepare());
    EXPECT_EQ(Run(noneWizard, "expect hidden IDC_FLOW_RESTART_LIST\nexpect disabled IDC_FLOW_RUNNER_BALANCE\n"
                              "expect checked IDC_FLOW_FULL_FLOW\n"
                              "expect text IDC_FLOW_FULL_FLOW \"&Complete the packing stage of the flow simulation\"\n"
                              "cancel\n"),
              IDCANCEL);
    EXPECT_EQ(noneWizard.m_strRestartFile, "lost.fr0");

    // A name with an extension is the point already chosen.
    ZQ_PM_Node* chosen = AddInput("chosen.fin", "3DFLOW_RESTART: INTERMEDIATE_FILLING\n"
                                                "3DFLOW_RESTART_INTERMEDIATE_FILLING: flow1.fr2\n");
    CFlowWizard chosenWizard(chosen, 0);
    ASSERT_TRUE(chosenWizard.Prepare());
    EXPECT_EQ(Run(chosenWizard, "expect text IDC_FLOW_RESTART_LIST \"Filling: 0.78 s, 98% filled - switch-over\"\n"
                                "next\nexpect dialog IDD_FLOW_PAGE3\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(chosenWizard.m_nRestartIndex, 1);
    // Its settings are in the working file already: not read again.
    EXPECT_EQ(chosenWizard.GetAnalysisTypePage().GetRestartReads(), 0);
}

TEST_F(FlowWizard, LeavingTheAnalysisTypePageReadsARestartPointOnce)
{
    CFlowWizard wizard(Node("restart-midplane.fin"), 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, "select IDC_FLOW_RESTART_LIST \"Filling: 0.78 s, 98% filled - switch-over\"\n"
                          "next\nexpect dialog IDD_FLOW_PAGE3\nback\nnext\nexpect dialog IDD_FLOW_PAGE3\n"
                          "back\nselect IDC_FLOW_RESTART_LIST \"End of filling: 0.81 s\"\nnext\nback\nnext\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(wizard.GetAnalysisTypePage().GetRestartReads(), 2);
    EXPECT_EQ(wizard.m_restart.m_index, kRestartEndOfFilling);
    // Past the switch-over: the filling stage is done and not editable.
    EXPECT_EQ(wizard.m_stages.fillStage, 0);
    EXPECT_EQ(wizard.m_stages.fillStageEditable, 0);
    EXPECT_EQ(wizard.m_stages.packStage, 1);
}

TEST_F(FlowWizard, ASwitchOverRestartPointLeavesFillingNotEditable)
{
    CFlowWizard wizard(Node("restart-midplane.fin"), 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, "select IDC_FLOW_RESTART_LIST \"Filling: 0.78 s, 98% filled - switch-over\"\n"
                          "next\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(wizard.m_restart.m_index, kRestartIntermediateFilling);
    EXPECT_EQ(wizard.m_stages.fillStage, 1);
    EXPECT_EQ(wizard.m_stages.fillStageEditable, 0);
}

TEST_F(FlowWizard, BoundaryConditionPageListAndRememberedName)
{
    // A remembered name without an extension selects its ".bf3" set, in any case.
    ZQ_PM_Node* input = AddInput("named.fin", "3DFLOW_BOUNDARY_CONDITION: " + project + "/GAS\n");
    CFlowWizard wizard(input, 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, "next\nexpect text IDC_FLOW_BC_LIST \" gas.bf3\"\nexpect rows IDC_FLOW_BC_LIST 4\ncancel\n"),
              IDCANCEL);

    // After a cooling analysis (that follows no flow) the temperatures are
    // hidden, and kept as loaded.
    ZQ_PM_Node* cin = tree.AddNode(Node("material1.mtl"), kNodeInput, kSubCooling, "Cooling first", "cool1.cin");
    ASSERT_NE(cin, nullptr);
    ZQ_PM_Node* clr = tree.AddNode(cin, kNodeResult, kSubCooling, "", "cool1.clr");
    ASSERT_NE(clr, nullptr) << tree.GetLastError();
    CFlowWizard cooled(clr, 0);
    ASSERT_TRUE(cooled.Prepare());
    EXPECT_EQ(Run(cooled, "expect disabled IDC_FLOW_RUNNER_BALANCE\nexpect hidden IDC_FLOW_MOLD_WINDOW\n"
                          "next\nexpect hidden IDC_FLOW_MELT_TEMP\nselect IDC_FLOW_BC_LIST \" flow.bf3\"\n"
                          "next\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(cooled.m_dMeltTemperature, 230);
}

TEST_F(FlowWizard, WithoutBoundaryConditionSetsTheWizardEnds)
{
    // The fusion mesh has no flow boundary conditions.
    ZQ_PM_Node* material = tree.AddNode(Node("plate2.zqf"), kNodeMaterial, kSubThermoplastic, "PP", "material1.mtl");
    ASSERT_NE(material, nullptr);
    CFlowWizard wizard(material, 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, "next\nexpect message \"There are no appropriate boundary conditions available for this "
                          "model.\\nYou cannot run an analysis without specifying boundary conditions.\"\nanswer OK\n"),
              IDCANCEL);

    // A gate location analysis may go on without any.
    CFlowWizard gate(material, 0);
    ASSERT_TRUE(gate.Prepare());
    EXPECT_EQ(Run(gate, "click IDC_FLOW_GATE_LOCATION\nnext\nexpect rows IDC_FLOW_BC_LIST 1\nnext\n"
                        "expect dialog IDD_FLOW_PAGE5\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(gate.m_strBoundaryFile, "");
}

TEST_F(FlowWizard, MachinesWithTheSameNameAreMarkedLocal)
{
    std::filesystem::copy(wiztest::SourcePath("data/machines/am080.imm"), project + "/mine.imm");
    CFlowWizard wizard(Node("material1.mtl"), kFlowOptimum);
    ASSERT_TRUE(wizard.Prepare());
    const int machines = static_cast<int>(tree.GetIMMFiles().size());
    EXPECT_EQ(Run(wizard, "expect rows IDC_FLOW_MACHINE_LIST " + std::to_string(machines) +
                              "\nselect IDC_FLOW_MACHINE_LIST \"Aldermoor, AM-80 [local]\"\n"
                              "select IDC_FLOW_MACHINE_LIST \"Aldermoor, AM-80\"\ncancel\n"),
              IDCANCEL);
}

TEST_F(FlowWizard, HelpFileIsTheFlowHelpWhileTheWizardRuns)
{
    app.m_pszHelpFilePath = "host.hlp";
    CFlowWizard wizard(Node("material1.mtl"), 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, "cancel\n"), IDCANCEL);
    EXPECT_EQ(app.m_pszHelpFilePath, "host.hlp");
}

TEST_F(FlowWizard, TheProcessPageOpensItsBoundDialogs)
{
    CFlowWizard gas(Node("material1.mtl"), kFlowGas);
    ASSERT_TRUE(gas.Prepare());
    EXPECT_EQ(Run(gas, "next\nselect IDC_FLOW_BC_LIST \" gas.bf3\"\nnext\n"
                       "expect visible IDC_FLOW_GAS_SETTINGS_BUTTON\nexpect hidden IDC_FLOW_QUALITY_BUTTON\n"
                       "expect hidden IDC_FLOW_VELOCITY_PROFILE_BUTTON\n"
                       "click IDC_FLOW_GAS_SETTINGS_BUTTON\nexpect dialog IDD_FLOW_GAS_SETTINGS\n"
                       "type IDC_FLOW_GAS_COOLING_TIME 12\ncell IDC_FLOW_GAS_GRID 1 1 1\n"
                       "cell IDC_FLOW_GAS_GRID 3 1 10\ncell IDC_FLOW_GAS_GRID 3 2 2\ncell IDC_FLOW_GAS_GRID 1 3 1\n"
                       "cell IDC_FLOW_GAS_GRID 3 3 10\ncell IDC_FLOW_GAS_GRID 3 4 2\nok\n"
                       "select IDC_FLOW_INJECTION Velocity profile\nclick IDC_FLOW_VELOCITY_PROFILE_BUTTON\n"
                       "expect dialog IDD_FLOW_VELOCITY_PROFILE\nclick IDC_FLOW_RAM_SPECIFIED\n"
                       "type IDC_FLOW_RAM_DIAMETER 40\ncancel\n"
                       "expect dialog IDD_FLOW_PAGE3\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(gas.m_dGasCoolingTime, 12);
    EXPECT_EQ(gas.m_dRamDiameter, 0.035); // cancelled
    EXPECT_EQ(gas.GetAdvancedSheet().GetFlags(), kFlowGas);

    CFlowWizard optimum(Node("material1.mtl"), kFlowOptimum);
    ASSERT_TRUE(optimum.Prepare());
    EXPECT_EQ(Run(optimum, "select IDC_FLOW_MACHINE_LIST #0\nnext\nselect IDC_FLOW_BC_LIST \" flow.bf3\"\nnext\n"
                           "expect hidden IDC_FLOW_GAS_SETTINGS_BUTTON\nclick IDC_FLOW_QUALITY_BUTTON\n"
                           "expect dialog IDD_FLOW_QUALITY_CRITERIA\ntype IDC_FLOW_QUALITY_SINK 0.5\nok\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(optimum.m_dQualitySinkMarks, 0.5);
}
