// The flow wizard's last pages on a copy of the sample project: the valve-gate
// page driving its grid, the curing page's transfer pot rule, and the
// description page's checks and job submission.
#include "flow/FlowIds.h"
#include "flow/FlowWizard.h"
#include "flow/ValveTimingGrid.h"
#include "keyword/KeywordFile.h"
#include "FlowTestSupport.h"

#include <string>
#include <utility>

namespace {

using flowtest::SampleProject;

class FlowLastPages : public SampleProject {
protected:
    // A flow input below `material` holding `rows`; its flags are given to the
    // wizard.
    ZQ_PM_Node* AddInput(const std::string& name, const std::string& material, const std::string& rows)
    {
        wiztest::WriteBytes(project + "/" + name, rows);
        ZQ_PM_Node* input = tree.AddNode(Node(material), kNodeInput, kSubFlow, name, name);
        EXPECT_NE(input, nullptr) << tree.GetLastError();
        return input;
    }
    std::string WorkingValue(CFlowWizard& wizard, const std::string& keyword)
    {
        MKeywordFile working;
        EXPECT_TRUE(working.Load(wizard.GetTempFileName()));
        return working.GetRawValue(keyword);
    }
    std::string Written(const std::string& name, const std::string& keyword)
    {
        MKeywordFile file;
        EXPECT_TRUE(file.Load(project + "/" + name));
        return file.GetRawValue(keyword);
    }
};

} // namespace

TEST_F(FlowLastPages, GasGatesWithoutPolymerGroupsShowTheGasText)
{
    // gas.bf3: gas valve gates 1 and 2 and wells 1 and 2, no polymer groups.
    CFlowWizard wizard(Node("material1.mtl"), kFlowGas);
    ASSERT_TRUE(wizard.Prepare());
    // The gas cylinders are set up first: a gas analysis does not leave the
    // process page without them.
    std::string cylinders = "click IDC_FLOW_GAS_SETTINGS_BUTTON\nclick IDC_FLOW_GAS_CONSTANT_VOLUME\n";
    for (int column = 1; column <= 2; ++column)
        for (const auto& [row, value] : {std::pair{1, "1"}, {2, "100"}, {3, "10"}, {4, "5"}, {5, "20"}, {6, "0.5"}, {7, "11"}})
            cylinders += "cell IDC_FLOW_GAS_GRID " + std::to_string(row) + " " + std::to_string(column) + " " + value + "\n";
    cylinders += "ok\n";
    EXPECT_EQ(Run(wizard, "next\nselect IDC_FLOW_BC_LIST \" gas.bf3\"\nnext\n" + cylinders + "next\n"
                          "expect dialog IDD_FLOW_PAGE4\nexpect visible IDC_FLOW_VG_GAS_TEXT\n"
                          "expect hidden IDC_FLOW_VG_TEXT\nexpect rows IDC_FLOW_VG_GRID 4\n"
                          "expect cell IDC_FLOW_VG_GRID 1 0 \"Gas 1\\n\"\n"
                          "expect cell IDC_FLOW_VG_GRID 4 0 \"Well 2\\n\"\n"
                          "cell IDC_FLOW_VG_GRID 1 2 0.7\ncell IDC_FLOW_VG_GRID 4 2 3\n"
                          "back\nexpect dialog IDD_FLOW_PAGE3\ncancel\n"),
              IDCANCEL);
    // Back wrote the typed times into the working file.
    EXPECT_EQ(WorkingValue(wizard, "3DFLOW_GAS_VALVE_GROUP1_INITIAL_STATE"), "CLOSED");
    EXPECT_EQ(WorkingValue(wizard, "3DFLOW_GAS_VALVE_GROUP1_TIMING_SEQUENCE"), "\\\n0.7");
    EXPECT_EQ(WorkingValue(wizard, "3DFLOW_GAS_OVERFLOW_WELL_GROUP2_OPENING_TIME"), "3");
    EXPECT_EQ(wizard.GetValveGatePage().GetGrid()->GetPolymerRowCount(), 0);
}

TEST_F(FlowLastPages, TheGridFollowsTheBoundaryConditionsChosenLast)
{
    // Times typed for valvegates.bf3, then another set chosen and back again:
    // the grid lists the groups of the set chosen, the times stay in the file.
    const std::string midplaneGas = "*NODAL     INJECT\n\t3\t1\t1\n*NODAL     GASINJ\n\t6\t1\t1\n"
                                    "*ELEMENTAL VGGRP\n\t5\t7\t1\n";
    wiztest::WriteBytes(project + "/seven.bf3", midplaneGas);
    ASSERT_NE(tree.AddNode(Node("plate1.zql"), kNodeBoundary, kSubFlow, "", "seven.bf3"), nullptr);
    CFlowWizard wizard(Node("material1.mtl"), 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, "next\nselect IDC_FLOW_BC_LIST \" valvegates.bf3\"\nnext\nnext\n"
                          "expect rows IDC_FLOW_VG_GRID 3\ncell IDC_FLOW_VG_GRID 3 4 2.5\n"
                          "back\nback\nselect IDC_FLOW_BC_LIST \" seven.bf3\"\nnext\nnext\n"
                          "expect rows IDC_FLOW_VG_GRID 1\nexpect cell IDC_FLOW_VG_GRID 1 0 \"7\\n\"\n"
                          "expect cell IDC_FLOW_VG_GRID 1 4 \"\"\nnext\n"
                          "expect dialog IDD_FLOW_PAGE5\nfinish\n"),
              ID_WIZFINISH);
    ASSERT_TRUE(wizard.GetFinishResult());
    const std::string out = wizard.GetOutputFile();
    MKeywordFile written;
    ASSERT_TRUE(written.Load(out));
    EXPECT_EQ(written.GetValue("3DFLOW_VALVE_GROUP7_INITIAL_STATE"), "OPEN");
    EXPECT_EQ(written.GetRawValue("3DFLOW_VALVE_GROUP3_TIMING_SEQUENCE"), "\\\n2.5");
}

TEST_F(FlowLastPages, DescriptionCannotBeBlankAndTheJobChoiceReachesTheWizard)
{
    ZQ_PM_Node* input = AddInput("described.fin", "material1.mtl",
                                 "3DFLOW_ANALYSIS_AIM: FILLING\n3DFLOW_BOUNDARY_CONDITION: flow.bf3\n"
                                 "ANALYSIS_DESCRIPTION: Filling with a new gate\n");
    CFlowWizard wizard(input, 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, "next\nnext\nnext\nexpect dialog IDD_FLOW_PAGE5\n"
                          "expect text IDC_FLOW_DESCRIPTION \"Filling with a new gate\"\n"
                          "expect checked IDC_FLOW_RUN_NOW\n"
                          "type IDC_FLOW_DESCRIPTION \"\"\nfinish\nexpect message \" cannot be blank.\"\nanswer OK\n"
                          "expect dialog IDD_FLOW_PAGE5\ntype IDC_FLOW_DESCRIPTION Filling again\n"
                          "click IDC_FLOW_PREPARE_NEXT\nfinish\n"),
              ID_WIZFINISH);
    ASSERT_TRUE(wizard.GetFinishResult());
    EXPECT_EQ(wizard.GetJobSubmission(), kJobPrepareNext);
    EXPECT_EQ(Written("described.fin", "ANALYSIS_DESCRIPTION"), "Filling again");

    // Back from the page with an empty description is not refused; the
    // first showing of the page gives the wizard the first choice.
    CFlowWizard again(input, 0);
    ASSERT_TRUE(again.Prepare());
    EXPECT_EQ(again.GetJobSubmission(), kJobSubmitLater);
    EXPECT_EQ(Run(again, "next\nnext\nnext\ntype IDC_FLOW_DESCRIPTION \"\"\nback\nexpect dialog IDD_FLOW_PAGE3\n"
                         "cancel\n"),
              IDCANCEL);
    EXPECT_EQ(again.GetJobSubmission(), kJobRunNow);
}

TEST_F(FlowLastPages, CuringTimeAndTransferPotFollowTheAimAndTheCheckBoxes)
{
    // A thermoset filling analysis: no curing stage, so the curing time is
    // disabled and keeps its value; the pot length switched off and on.
    ZQ_PM_Node* input =
        AddInput("epoxy.fin", "material3.mtl",
                 "3DFLOW_ANALYSIS_AIM: FILLING\n3DFLOW_BOUNDARY_CONDITION: flow.bf3\n"
                 "3DFLOW_TSET_CURING_TIME: 44\n3DFLOW_IDC_TSET_TRANSFER_POT_ANALYSIS: ON\n"
                 "3DFLOW_TSET_TRANSFER_POT_LENGTH: 0.2\n");
    CFlowWizard wizard(input, kFlowThermoset);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, "expect checked IDC_FLOW_FILLING\nnext\nnext\nnext\nexpect dialog IDD_FLOW_PAGE_TSET\n"
                          "expect disabled IDC_FLOW_TSET_CURING_TIME\nexpect disabled IDC_FLOW_TSET_CURING_TIME_TEXT\n"
                          "expect checked IDC_FLOW_TSET_TRANSFER_POT\nexpect enabled IDC_FLOW_TSET_POT_LENGTH\n"
                          "check IDC_FLOW_TSET_POT_LENGTH_CHECK off\nexpect disabled IDC_FLOW_TSET_POT_LENGTH\n"
                          "next\nback\nexpect unchecked IDC_FLOW_TSET_POT_LENGTH_CHECK\n"
                          "check IDC_FLOW_TSET_TRANSFER_POT off\nexpect disabled IDC_FLOW_TSET_POT_LENGTH_CHECK\n"
                          "expect disabled IDC_FLOW_TSET_MATERIAL_BUTTON\n"
                          "check IDC_FLOW_TSET_TRANSFER_POT on\nexpect disabled IDC_FLOW_TSET_POT_LENGTH\n"
                          "check IDC_FLOW_TSET_POT_LENGTH_CHECK on\nexpect enabled IDC_FLOW_TSET_POT_LENGTH\n"
                          "type IDC_FLOW_TSET_POT_LENGTH 300\nnext\nfinish\n"),
              ID_WIZFINISH);
    ASSERT_TRUE(wizard.GetFinishResult());
    EXPECT_EQ(Written("epoxy.fin", "3DFLOW_TSET_CURING_TIME"), "44");
    EXPECT_EQ(Written("epoxy.fin", "3DFLOW_TSET_TRANSFER_POT_LENGTH"), "0.3");
}
