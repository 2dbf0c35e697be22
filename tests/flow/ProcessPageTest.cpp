// The process settings page and the dialogs it opens, in sessions on a copy
// of the sample project: the lists it rebuilds, the pressure phase of a
// packing analysis, the three refusals on leaving, the profile dialogs' rules
// and the gas cylinder grid.
#include "flow/FlowIds.h"
#include "flow/FlowWizard.h"
#include "flow/GasSettingsDlg.h"
#include "flow/ProfileDialogs.h"
#include "keyword/KeywordFile.h"
#include "FlowTestSupport.h"

namespace {

using flowtest::SampleProject;

class ProcessPage : public SampleProject {
protected:
    // Page 3 of a fresh analysis on the midplane, with `set` chosen.
    static std::string ToPage3(const std::string& set = " flow.bf3")
    {
        return "next\nselect IDC_FLOW_BC_LIST \"" + set + "\"\nnext\nexpect dialog IDD_FLOW_PAGE3\n";
    }
    std::string Working(CFlowWizard& wizard, const std::string& keyword)
    {
        MKeywordFile working;
        EXPECT_TRUE(working.Load(wizard.GetTempFileName()));
        return working.GetValue(keyword);
    }
};

} // namespace

TEST_F(ProcessPage, RebuiltListsKeepTheTokensOfTheirEntries)
{
    // On a 3D mesh "Automatic" is gone from both lists: the second entry of
    // each still stands for its own token.
    CFlowWizard solid(Node("pp3d.mtl"), 0);
    ASSERT_TRUE(solid.Prepare());
    EXPECT_EQ(Run(solid, ToPage3(" Injection on the 3D plate") +
                             "expect rows IDC_FLOW_INJECTION 3\nexpect rows IDC_FLOW_SWITCH_OVER 2\n"
                             "select IDC_FLOW_INJECTION #1\nexpect text IDC_FLOW_INJECTION Flow rate\n"
                             "expect visible IDC_FLOW_INJECTION_RATE\nexpect hidden IDC_FLOW_INJECTION_TIME\n"
                             "select IDC_FLOW_SWITCH_OVER #1\nexpect visible IDC_FLOW_SWITCH_TIME\n"
                             "next\nback\nexpect rows IDC_FLOW_INJECTION 3\n"
                             "expect text IDC_FLOW_INJECTION Flow rate\nexpect text IDC_FLOW_SWITCH_OVER Time\n"
                             "cancel\n"),
              IDCANCEL);
    EXPECT_EQ(solid.m_injection.GetToken(), "FLOW_RATE");
    EXPECT_EQ(solid.m_switchOver.GetToken(), "SPECIFIED_TIME");

    // Going back to choose a set with a switch-over node offers it again.
    CFlowWizard midplane(Node("material1.mtl"), 0);
    ASSERT_TRUE(midplane.Prepare());
    EXPECT_EQ(Run(midplane, ToPage3() + "expect rows IDC_FLOW_SWITCH_OVER 3\nback\n"
                                        "select IDC_FLOW_BC_LIST \" valvegates.bf3\"\nnext\n"
                                        "expect rows IDC_FLOW_SWITCH_OVER 4\n"
                                        "select IDC_FLOW_SWITCH_OVER Pressure at a node\n"
                                        "expect visible IDC_FLOW_SWITCH_PRESSURE\ncancel\n"),
              IDCANCEL);

    // An optimisation offers only "Automatic"; with packing, no pressure phase.
    CFlowWizard optimum(Node("material1.mtl"), kFlowOptimum);
    ASSERT_TRUE(optimum.Prepare());
    EXPECT_EQ(Run(optimum, "select IDC_FLOW_MACHINE_LIST #0\nclick IDC_FLOW_OPTIMUM_PACK\n" + ToPage3() +
                               "expect rows IDC_FLOW_INJECTION 1\nexpect rows IDC_FLOW_PRESSURE_CONTROL 0\n"
                               "expect disabled IDC_FLOW_PRESSURE_CONTROL\ncancel\n"),
              IDCANCEL);
}

TEST_F(ProcessPage, APackingAnalysisHoldsPressureByAProfile)
{
    CFlowWizard wizard(Node("material1.mtl"), 0);
    ASSERT_TRUE(wizard.Prepare());
    ASSERT_EQ(wizard.m_pressureControl.GetToken(), "FACTOR");
    wizard.m_profilePressure.clear();
    EXPECT_EQ(Run(wizard, ToPage3() + "expect text IDC_FLOW_PRESSURE_CONTROL Pressure profile\n"
                                      "expect disabled IDC_FLOW_PRESSURE_CONTROL\n"
                                      "expect visible IDC_FLOW_PRESSURE_PROFILE_BUTTON\n"
                                      "expect hidden IDC_FLOW_PRESSURE_FACTOR\n"
                                      "next\nexpect message Please setup the pressure profile before continuing!\n"
                                      "answer OK\nexpect dialog IDD_FLOW_PAGE3\n"
                                      "click IDC_FLOW_PRESSURE_PROFILE_BUTTON\nok\n"
                                      "expect message Value cannot be blank.\nanswer OK\n"
                                      "cell IDC_FLOW_PPROFILE_PRESSURE 1 1 70\ncell IDC_FLOW_PPROFILE_PRESSURE 1 2 4\n"
                                      "ok\nnext\nexpect dialog IDD_FLOW_PAGE5\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(wizard.m_pressureControl.GetToken(), "PROFILE");
    ASSERT_EQ(wizard.m_profilePressure.size(), 1u);
    EXPECT_EQ(wizard.m_profilePressure[0], std::make_pair(7e7, 4.0));

    // Filling only: an empty profile falls back to a factor of the switch-over pressure.
    CFlowWizard filling(Node("material1.mtl"), 0);
    ASSERT_TRUE(filling.Prepare());
    filling.m_pressureControl.m_index = kPressureProfile;
    filling.m_profilePressure.clear();
    EXPECT_EQ(Run(filling, "click IDC_FLOW_FILLING\n" + ToPage3() +
                               "expect enabled IDC_FLOW_PRESSURE_CONTROL\n"
                               "expect text IDC_FLOW_PRESSURE_CONTROL Pressure factor\n"
                               "select IDC_FLOW_PRESSURE_CONTROL Pressure profile\nnext\n"
                               "expect message Please setup the pressure profile before continuing!\nanswer OK\n"
                               "select IDC_FLOW_PRESSURE_CONTROL Specified pressure\nnext\n"
                               "expect dialog IDD_FLOW_PAGE5\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(filling.m_pressureControl.GetToken(), "SPECIFIED");
}

TEST_F(ProcessPage, TheVelocityProfileMustBeAcceptedOnce)
{
    CFlowWizard wizard(Node("material1.mtl"), 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, ToPage3() + "select IDC_FLOW_INJECTION Velocity profile\nnext\n"
                                      "expect message Please setup the velocity profile before continuing!\n"
                                      "answer OK\n"
                                      // Cancel does not accept it.
                                      "click IDC_FLOW_VELOCITY_PROFILE_BUTTON\ncancel\nnext\n"
                                      "expect message Please setup the velocity profile before continuing!\n"
                                      "answer OK\nclick IDC_FLOW_VELOCITY_PROFILE_BUTTON\nok\n"
                                      // Once accepted, a later Cancel keeps it so.
                                      "click IDC_FLOW_VELOCITY_PROFILE_BUTTON\ncancel\nnext\n"
                                      "expect dialog IDD_FLOW_PAGE5\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(wizard.m_injection.GetToken(), "PROFILE");

    // An analysis that holds a velocity profile has it set up already.
    wiztest::WriteBytes(project + "/profiled.fin", "3DFLOW_ANALYSIS_AIM: FILLING\n3DFLOW_BOUNDARY_CONDITION: flow.bf3\n"
                                                   "INJECTION: PROFILE\n");
    ZQ_PM_Node* input = tree.AddNode(Node("material1.mtl"), kNodeInput, kSubFlow, "profiled", "profiled.fin");
    ASSERT_NE(input, nullptr);
    CFlowWizard edited(input, 0);
    ASSERT_TRUE(edited.Prepare());
    EXPECT_EQ(Run(edited, "next\nnext\nexpect text IDC_FLOW_INJECTION Velocity profile\nnext\n"
                          "expect dialog IDD_FLOW_PAGE5\ncancel\n"),
              IDCANCEL);
}

TEST_F(ProcessPage, VelocityProfileKindsAndThe3DMesh)
{
    CFlowWizard wizard(Node("material1.mtl"), 0);
    ASSERT_TRUE(wizard.Prepare());
    EXPECT_EQ(Run(wizard, ToPage3() +
                              "select IDC_FLOW_INJECTION Velocity profile\nclick IDC_FLOW_VELOCITY_PROFILE_BUTTON\n"
                              "expect rows IDC_FLOW_PROFILE_KIND 4\n"
                              "click IDC_FLOW_NOMINAL_TIME_RADIO\nexpect enabled IDC_FLOW_NOMINAL_TIME\n"
                              "expect disabled IDC_FLOW_NOMINAL_FLOW_RATE\n"
                              "select IDC_FLOW_PROFILE_KIND Ram position vs Ram velocity\n"
                              "expect disabled IDC_FLOW_NOMINAL_TIME\nexpect checked IDC_FLOW_RAM_SPECIFIED\n"
                              "expect visible IDC_FLOW_PROFILE_RAM_VELOCITY\n"
                              // Back to a flow-volume profile: the ram stays specified but may be automatic again.
                              "select IDC_FLOW_PROFILE_KIND Shot volume vs Flow rate\n"
                              "expect enabled IDC_FLOW_RAM_AUTOMATIC\nexpect checked IDC_FLOW_RAM_SPECIFIED\n"
                              "expect enabled IDC_FLOW_NOMINAL_TIME\nclick IDC_FLOW_RAM_AUTOMATIC\n"
                              "expect disabled IDC_FLOW_RAM_DIAMETER\n"
                              "select IDC_FLOW_PROFILE_KIND Time vs Ram spline\n"
                              "ok\nexpect message Value cannot be blank.\nanswer OK\ncancel\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(wizard.m_fillProfile.GetToken(), "FLOW_VOL");

    CFlowWizard solid(Node("pp3d.mtl"), 0);
    ASSERT_TRUE(solid.Prepare());
    EXPECT_EQ(Run(solid, ToPage3(" Injection on the 3D plate") +
                             "select IDC_FLOW_INJECTION Velocity profile\nclick IDC_FLOW_VELOCITY_PROFILE_BUTTON\n"
                             "expect rows IDC_FLOW_PROFILE_KIND 1\nexpect disabled IDC_FLOW_NOMINAL_TIME_RADIO\n"
                             "expect hidden IDC_FLOW_RAM_GROUP\nexpect hidden IDC_FLOW_RAM_STROKE\n"
                             "expect hidden IDC_FLOW_PROFILE_TIME_RAM\nok\ncancel\n"),
              IDCANCEL);
}

TEST_F(ProcessPage, GasSettingsMustBeCompleteToGoOn)
{
    // A new gas analysis starts without gas settings.
    CFlowWizard gas(Node("material1.mtl"), kFlowGas);
    ASSERT_TRUE(gas.Prepare());
    EXPECT_EQ(Run(gas, ToPage3(" Gas cylinders 2 and 5") +
                           "next\nexpect message Please setup gas options before continuing!\nanswer OK\n"
                           "click IDC_FLOW_GAS_SETTINGS_BUTTON\nexpect checked IDC_FLOW_GAS_CONSTANT_PRESSURE\n"
                           "expect rows IDC_FLOW_GAS_GRID 8\nexpect cell IDC_FLOW_GAS_GRID 0 1 2\n"
                           "expect cell IDC_FLOW_GAS_GRID 0 2 2\nexpect cell IDC_FLOW_GAS_GRID 0 4 5\n"
                           "cell IDC_FLOW_GAS_GRID 1 1 1\ncell IDC_FLOW_GAS_GRID 1 3 2\n"
                           // A row with only its pressure is no point: cylinder 5 has none.
                           "cell IDC_FLOW_GAS_GRID 3 1 10\ncell IDC_FLOW_GAS_GRID 3 2 1\n"
                           "cell IDC_FLOW_GAS_GRID 3 3 15\nok\nexpect message Please enter a number!\n"
                           "answer OK\ncell IDC_FLOW_GAS_GRID 4 4 2\nok\nexpect message Please enter a number!\n"
                           "answer OK\n"
                           // A pressure out of its range is refused, then taken in range.
                           "cell IDC_FLOW_GAS_GRID 4 3 900\nok\nexpect message Value is out of range.\nanswer OK\n"
                           "cell IDC_FLOW_GAS_GRID 4 3 12\nok\nnext\nexpect dialog IDD_FLOW_PAGE5\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(Working(gas, "3DFLOW_GAS_CYLINDER2_DELAY_TIME"), "1");
    EXPECT_EQ(Working(gas, "3DFLOW_GAS_CYLINDER2_GAS_PRESSURE_PROFILE"), "1e+07 1");
    // The half-typed first row is skipped: the later full row is the point.
    EXPECT_EQ(Working(gas, "3DFLOW_GAS_CYLINDER5_GAS_PRESSURE_PROFILE"), "1.2e+07 2");

    // Opening the dialog judges the settings afresh: an incomplete grid,
    // cancelled, leaves the page refusing.
    CFlowWizard again(Node("material1.mtl"), kFlowGas);
    ASSERT_TRUE(again.Prepare());
    EXPECT_EQ(Run(again, ToPage3(" Gas cylinders 2 and 5") +
                             "click IDC_FLOW_GAS_SETTINGS_BUTTON\ncancel\nnext\n"
                             "expect message Please setup gas options before continuing!\nanswer OK\ncancel\n"),
              IDCANCEL);
}

TEST_F(ProcessPage, SwitchingTheGasProcessKeepsWhatWasTyped)
{
    CFlowWizard gas(Node("material1.mtl"), kFlowGas);
    ASSERT_TRUE(gas.Prepare());
    EXPECT_EQ(Run(gas, ToPage3(" Gas cylinders 2 and 5") +
                           "click IDC_FLOW_GAS_SETTINGS_BUTTON\nclick IDC_FLOW_GAS_CONSTANT_VOLUME\n"
                           "cell IDC_FLOW_GAS_GRID 1 1 3\ncell IDC_FLOW_GAS_GRID 1 2 4\n"
                           "cell IDC_FLOW_GAS_GRID 3 1 10\ncell IDC_FLOW_GAS_GRID 7 2 9\n"
                           // A release no later than the delay stops the switch's write.
                           "cell IDC_FLOW_GAS_GRID 7 1 3\nclick IDC_FLOW_GAS_CONSTANT_PRESSURE\n"
                           "expect message Value is out of range.\nanswer OK\n"
                           "expect cell IDC_FLOW_GAS_GRID 1 1 \"\"\nclick IDC_FLOW_GAS_CONSTANT_VOLUME\n"
                           "cell IDC_FLOW_GAS_GRID 1 1 3\ncell IDC_FLOW_GAS_GRID 1 2 4\n"
                           "cell IDC_FLOW_GAS_GRID 3 1 10\ncell IDC_FLOW_GAS_GRID 7 1 4\ncell IDC_FLOW_GAS_GRID 7 2 9\n"
                           "click IDC_FLOW_GAS_CONSTANT_PRESSURE\nexpect cell IDC_FLOW_GAS_GRID 1 1 3\n"
                           "expect cell IDC_FLOW_GAS_GRID 1 3 4\ncell IDC_FLOW_GAS_GRID 1 1 3.5\n"
                           "click IDC_FLOW_GAS_CONSTANT_VOLUME\nexpect cell IDC_FLOW_GAS_GRID 1 1 3.5\n"
                           "expect cell IDC_FLOW_GAS_GRID 3 1 10\nexpect cell IDC_FLOW_GAS_GRID 7 2 9\n"
                           // Cancel after a switch keeps what the switch wrote.
                           "cancel\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(Working(gas, "3DFLOW_GAS_CYLINDER2_DELAY_TIME"), "3.5");
    EXPECT_EQ(Working(gas, "3DFLOW_GAS_CYLINDER2_COMPRESSION_RATIO"), "0.1");
    EXPECT_EQ(Working(gas, "3DFLOW_GAS_CYLINDER5_GAS_RELEASE_TIME"), "9");
    // Empty cells written without validation leave no keyword.
    EXPECT_EQ(Working(gas, "3DFLOW_GAS_CYLINDER5_VOLUME"), "");
    EXPECT_EQ(gas.m_gasProcess.GetToken(), "CONSTANT_PRESSURE");
}

TEST_F(ProcessPage, GasNozzleShutOffByVolumeLeavesNoPressurePhase)
{
    wiztest::WriteBytes(project + "/gasvol.fin", "3DFLOW_ANALYSIS_AIM: FILLING\n"
                                                 "3DFLOW_BOUNDARY_CONDITION: " + project + "/gas-cylinders.bf3\n"
                                                 "3DFLOW_GAS_NOZZLE_SHUT_OFF: PERCENTAGE_VOLUME\n");
    ZQ_PM_Node* input = tree.AddNode(Node("material1.mtl"), kNodeInput, kSubFlow, "gas by volume", "gasvol.fin");
    ASSERT_NE(input, nullptr);
    CFlowWizard gas(input, kFlowGas);
    ASSERT_TRUE(gas.Prepare());
    // An analysis being edited had its gas settings completed: the page can be left.
    EXPECT_EQ(Run(gas, "next\nnext\nexpect disabled IDC_FLOW_PRESSURE_CONTROL\nexpect disabled IDC_FLOW_PRESSURE_FACTOR\n"
                       "click IDC_FLOW_GAS_SETTINGS_BUTTON\nexpect visible IDC_FLOW_GAS_SHUT_OFF_VOLUME\n"
                       "expect hidden IDC_FLOW_GAS_SHUT_OFF_TIME\nexpect disabled IDC_FLOW_GAS_COOLING_TIME\n"
                       "select IDC_FLOW_GAS_SHUT_OFF Time\nexpect visible IDC_FLOW_GAS_SHUT_OFF_TIME\n"
                       "select IDC_FLOW_GAS_SHUT_OFF Never\nexpect hidden IDC_FLOW_GAS_SHUT_OFF_TIME\n"
                       "cancel\nexpect disabled IDC_FLOW_PRESSURE_CONTROL\ncancel\n"),
              IDCANCEL);
}

TEST_F(ProcessPage, RefusalsAreExclamationsWithTheirHelpAndDialogsHaveHelp)
{
    CFlowWizard wizard(Node("material1.mtl"), kFlowGas);
    ASSERT_TRUE(wizard.Prepare());
    ClearUiLog();
    EXPECT_EQ(Run(wizard, ToPage3(" Gas cylinders 2 and 5") +
                              "next\nanswer OK\nclick IDC_FLOW_GAS_SETTINGS_BUTTON\nclick Help\ncancel\ncancel\n"),
              IDCANCEL);
    const auto& log = GetUiLog();
    const auto message = std::find_if(log.begin(), log.end(), [](const CUiLogRecord& r) {
        return r.kind == UiLogKind::MessageBox && r.text == "Please setup gas options before continuing!";
    });
    ASSERT_NE(message, log.end());
    EXPECT_EQ(message->helpId, static_cast<unsigned>(IDS_FLOW_SETUP_GAS));
    EXPECT_EQ(message->type & MB_ICONEXCLAMATION, MB_ICONEXCLAMATION);
    const auto help = std::find_if(log.begin(), log.end(),
                                   [](const CUiLogRecord& r) { return r.kind == UiLogKind::HelpPopup; });
    ASSERT_NE(help, log.end());
    EXPECT_EQ(help->helpId, 0x20000u + IDD_FLOW_GAS_SETTINGS);
}
