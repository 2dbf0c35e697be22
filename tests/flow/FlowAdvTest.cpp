// The flow wizard's advanced options: which pages the sheet shows for an
// analysis, where the advanced keywords are bound, and the rules the pages
// apply, each session run through the script agent on the sheet the
// description page opens.
#include <algorithm>
#include <filesystem>
#include <string>

#include "flow/FlowAdvRules.h"
#include "flow/FlowIds.h"
#include "flow/FlowWizard.h"
#include "flow/ProfileDialogs.h"
#include "keyword/KeywordFile.h"
#include "FlowTestSupport.h"

namespace {

using flowtest::SampleProject;
using P = FlowAdvPage;

class FlowAdv : public SampleProject {
protected:
    // A prepared wizard as its first page leaves it: `aim` chosen with
    // `restart`, the working file's values loaded as the sheet would.
    void Start(CFlowWizard& wizard, int aim, int restart = kRestartNone)
    {
        ASSERT_TRUE(wizard.Prepare());
        ASSERT_TRUE(wizard.GetBindings().LoadValues(wizard.GetTempFileName()));
        Choose(wizard, aim, restart);
    }
    void Choose(CFlowWizard& wizard, int aim, int restart = kRestartNone)
    {
        wizard.m_aim.m_index = aim;
        wizard.m_restart.m_index = restart;
        wizard.m_stages = LeaveAnalysisType(wizard.m_stages, aim, restart, wizard.GetFlags());
    }
    // Runs the advanced sheet as the description page's button does.
    intptr_t RunSheet(CFlowWizard& wizard, const std::string& script)
    {
        struct SSheet {
            CFlowWizard& wizard;
            intptr_t DoModal() { return wizard.RunAdvancedOptions(); }
        } sheet{wizard};
        return Run(sheet, script);
    }
    CWnd* PageOf(CFlowWizard& wizard, const std::string& keyword)
    {
        for (const auto& place : wizard.GetBindings().ListBindings())
            if (place.keyword == keyword)
                return place.page;
        return nullptr;
    }
};

} // namespace

// ---- which pages, in which order ----------------------------------------------------

TEST(FlowAdvRules, PagesFollowTheAimTheMeshAndTheStages)
{
    struct Case {
        int aim;
        bool is3D;
        int flags;
        std::vector<P> pages;
        std::optional<P> timeSeries;
    };
    const SFlowStages none;
    const Case cases[] = {
        {kFlowAimFillAndPack, false, 0, {P::kAnalysis, P::kOutput, P::kFilling, P::kPacking, P::kNumerical}, P::kOutput},
        {kFlowAimFilling, false, 0, {P::kAnalysis, P::kOutput, P::kFilling, P::kNumerical}, P::kOutput},
        {kFlowAimRunnerBalance, false, 0, {P::kAnalysis, P::kFilling, P::kNumerical, P::kRunnerBalance},
         P::kRunnerBalance},
        {kFlowAimMoldWindow, false, 0, {P::kAnalysis, P::kMoldWindow}, std::nullopt},
        {kFlowAimMoldWindow, true, 0, {P::kAnalysis, P::kOutput3D, P::kFilling3D, P::kMoldWindow}, std::nullopt},
        {kFlowAimGateLocation, false, 0, {P::kAnalysis, P::kGateLocation}, std::nullopt},
        {kFlowAimPackingStandalone, true, 0, {P::kAnalysis, P::kOutput3D, P::kPacking, P::kNumerical}, std::nullopt},
        {kFlowAimFillAndPack, true, 0, {P::kAnalysis, P::kOutput3D, P::kFilling3D, P::kPacking, P::kNumerical},
         std::nullopt},
        {kFlowAimOptimumFill, false, kFlowOptimum, {P::kAnalysis, P::kOutput, P::kFilling, P::kNumerical, P::kControl},
         P::kOutput},
        {kFlowAimCuring, false, kFlowThermoset, {P::kAnalysis, P::kOutput, P::kFilling, P::kNumerical}, P::kOutput},
    };
    for (const Case& c : cases) {
        const SFlowStages stages = LeaveAnalysisType(none, c.aim, kRestartNone, c.flags);
        const SFlowAdvLayout layout = ArrangeAdvancedPages(c.aim, c.is3D, stages.packStage, c.flags);
        EXPECT_EQ(layout.pages, c.pages) << "aim " << c.aim << (c.is3D ? " 3D" : "");
        EXPECT_EQ(layout.timeSeriesPage, c.timeSeries) << "aim " << c.aim;
    }
}

TEST(FlowAdvRules, PageRulesByTable)
{
    // Results families: None and no choice show no value; the others one each.
    const int shown[] = {-1, -1, 0, 1, 2, 3, -1};
    for (int data = -1; data <= 5; ++data)
        EXPECT_EQ(ResultFamilyValueShown(data), shown[data + 1]) << data;

    using V = std::vector<int>;
    EXPECT_EQ(SolverTypesRemoved(kSubMidplane, 0, 0), V{});
    EXPECT_EQ(SolverTypesRemoved(kSubMidplane, 0, 1), V{2});
    EXPECT_EQ(SolverTypesRemoved(kSubFusion, 0, 0), V{2});
    EXPECT_EQ(SolverTypesRemoved(kSubMidplane, kFlowFiber, 0), V{2});
    EXPECT_EQ(SolverTypesRemoved(kSubMidplane, kFlowThermoset, 0), V{2});
    EXPECT_EQ(SolverTypesRemoved(kSubMidplane, kFlowGas, 0), (V{2, 1}));
    EXPECT_EQ(SolverTypesRemoved(kSubMidplane, kFlowOptimum, 0), V{});

    EXPECT_TRUE(ShowsAbaqusSwitch(kSubMidplane, 0));
    EXPECT_TRUE(ShowsAbaqusSwitch(kSubMidplane, kFlowFiber));
    EXPECT_FALSE(ShowsAbaqusSwitch(kSubFusion, 0));
    for (int flag : {kFlowGas, kFlowThermoset, kFlowOptimum})
        EXPECT_FALSE(ShowsAbaqusSwitch(kSubMidplane, flag)) << flag;

    EXPECT_TRUE(FixesMoldProperties(true, kFlowAimFilling));
    EXPECT_TRUE(FixesMoldProperties(false, kFlowAimGateLocation));
    EXPECT_FALSE(FixesMoldProperties(false, kFlowAimRunnerBalance));
    EXPECT_TRUE(FixesAmbient(kFlowAimMoldWindow, 0));
    EXPECT_TRUE(FixesAmbient(kFlowAimCuring, kFlowThermoset));
    EXPECT_FALSE(FixesAmbient(kFlowAimFillAndPack, kFlowFiber));
    EXPECT_TRUE(ShowsNavierStokesFields(1));
    EXPECT_FALSE(ShowsNavierStokesFields(0));
    EXPECT_FALSE(ShowsNavierStokesFields(-1));
}

// ---- where the advanced keywords are bound -----------------------------------------

TEST_F(FlowAdv, AnOptimisationEditsTheStrokeVolumeOnItsAnalysisPage)
{
    CFlowWizard optimum(Node("material1.mtl"), kFlowOptimum);
    ASSERT_TRUE(optimum.Prepare());
    CFlowWizAdvDlg& sheet = optimum.GetAdvancedSheet();
    EXPECT_EQ(PageOf(optimum, "3DFLOW_RAM"), &sheet.m_analysisOptim);
    EXPECT_EQ(PageOf(optimum, "3DFLOW_RAM_SPECIFIED_STROKE_LENGTH"), &sheet.m_analysisOptim);
    EXPECT_EQ(PageOf(optimum, "3DFLOW_MAXIMUM_INJECTION_PRESSURE"), &sheet.m_control);
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(sheet.GetPage(0), &sheet.m_analysisOptim);

    CFlowWizard plain(Node("material1.mtl"), 0);
    ASSERT_TRUE(plain.Prepare());
    EXPECT_EQ(PageOf(plain, "3DFLOW_RAM"), &plain.GetProcessPage().GetVelocityProfileDlg());
    EXPECT_EQ(PageOf(plain, "3DFLOW_MAXIMUM_INJECTION_PRESSURE"), &plain.GetAdvancedSheet().m_analysis);
    EXPECT_FALSE(plain.GetBindings().IsBound("3DFLOW_OPTIM_PRESSURE_PROFILE_STEPS"));
    EXPECT_EQ(PageOf(plain, "3DFLOW_FILL_TIME_SERIES_SPECIFIED_VOLUMES"), &plain.GetAdvancedSheet().m_output);
}

TEST_F(FlowAdv, KeywordSetByMeshAndStage)
{
    CFlowWizard solid(Node("pp3d.mtl"), 0);
    ASSERT_TRUE(solid.Prepare());
    const CKeywordBindings& s = solid.GetBindings();
    for (const char* keyword : {"MOLD3D_WRITE_INTERMEDIATE", "MOLD3D_FILLING_NUMBER_OF_FREE_SURFACE_TIMESTEPS",
                                "MOLD3D_PACKING_TIME_STEP_MAXIMUM", "MOLD3D_PACKING_ITERATIONS_PER_TIMESTEP",
                                "MOLD3D_FILLING_INCLUDE_INERTIA", "MOLD3D_MOLD_DENSITY"})
        EXPECT_TRUE(s.IsBound(keyword)) << keyword;
    // The packing page starts at the iterations; the midplane pages are absent.
    for (const char* keyword : {"MOLD3D_PACKING_NUMBER_OF_FREE_SURFACE_TIMESTEPS", "3DFLOW_FILL_INTERMEDIATE",
                                "3DFLOW_PACK_TIME_INCREMENT", "3DFLOW_ABAQUS_INTERFACE", "MOLD3D_MAXIMUM_CLAMP_TONNAGE",
                                "3DFLOW_DENSITY_ITERATION_LIMIT"})
        EXPECT_FALSE(s.IsBound(keyword)) << keyword;

    CFlowWizard thermoset(Node("material1.mtl"), kFlowThermoset);
    ASSERT_TRUE(thermoset.Prepare());
    const CKeywordBindings& t = thermoset.GetBindings();
    for (const char* keyword : {"3DFLOW_CURE_RESTART_DELETION", "3DFLOW_TSET_CONSIDER_CURING_EFFECTS",
                                "3DFLOW_TSET_CURING_REACTION_STABILITY_FACTOR", "3DFLOW_MAXIMUM_CLAMP_TONNAGE"})
        EXPECT_TRUE(t.IsBound(keyword)) << keyword;
    for (const char* keyword : {"3DFLOW_PACK_RESTART", "3DFLOW_DENSITY_ITERATION_TOLERANCE",
                                "3DFLOW_OPTIM_FILLING_ITERATION_LIMIT", "MOLD3D_FILLING_ANALYSIS_TYPE"})
        EXPECT_FALSE(t.IsBound(keyword)) << keyword;
}

// ---- the sheet, opened for each kind of analysis -----------------------------------

TEST_F(FlowAdv, FreshFillAndPackOnTheMidplane)
{
    CFlowWizard wizard(Node("material1.mtl"), 0);
    Start(wizard, kFlowAimFillAndPack);
    EXPECT_EQ(RunSheet(wizard, "expect tabs Analysis Output \"Filling solution\" \"Packing solution\" "
                               "\"Numerical solution\"\n"
                               "expect enabled IDC_FLOW_ADV_AMBIENT_PRESSURE\nexpect enabled IDC_FLOW_ADV_MOLD_DENSITY\n"
                               "tab Output\nexpect visible IDC_FLOW_ADV_ABAQUS\n"
                               "expect text IDC_FLOW_ADV_FR \"Constant volume increments\"\n"
                               "expect visible IDC_FLOW_ADV_FR_CVOL\nexpect hidden IDC_FLOW_ADV_FR_CTIME\n"
                               "select IDC_FLOW_ADV_FR \"Specified times\"\n"
                               "expect hidden IDC_FLOW_ADV_FR_CVOL\nexpect visible IDC_FLOW_ADV_FR_STIMES\n"
                               "type IDC_FLOW_ADV_FR_STIMES \"0.2 0.4\"\n"
                               "tab \"Numerical solution\"\nexpect rows IDC_FLOW_ADV_SOLVER 2\n"
                               "expect disabled IDC_FLOW_ADV_3D_SOLVER\nok\n"),
              IDOK);
    EXPECT_EQ(wizard.GetAdvancedSheet().m_settings.fillRestart.choice.GetToken(), "SPECIFIED_TIMES");
    EXPECT_EQ(wizard.GetAdvancedSheet().m_settings.fillRestart.specifiedTimes, (std::vector<double>{0.2, 0.4}));
}

TEST_F(FlowAdv, RunnerBalanceEditsTheTimeSeriesOnItsOwnPage)
{
    CFlowWizard wizard(Node("material1.mtl"), 0);
    Start(wizard, kFlowAimRunnerBalance);
    EXPECT_EQ(RunSheet(wizard, "expect tabs Analysis \"Filling solution\" \"Numerical solution\" \"Runner balance\"\n"
                               "tab \"Runner balance\"\nselect IDC_FLOW_ADV_FT \"Specified volumes\"\n"
                               "expect visible IDC_FLOW_ADV_FT_SVOLS\ntype IDC_FLOW_ADV_FT_SVOLS \"50 90\"\n"
                               "click IDC_FLOW_ADV_RUN_SHEAR_CHECK\nexpect disabled IDC_FLOW_ADV_RUN_SHEAR\nok\n"),
              IDOK);
    const SFlowAdvSettings& s = wizard.GetAdvancedSheet().m_settings;
    EXPECT_EQ(s.fillTimeSeries.choice.GetToken(), "SPECIFIED_VOLUMES");
    EXPECT_EQ(s.fillTimeSeries.specifiedVolumes, (std::vector<double>{0.5, 0.9}));
    EXPECT_FALSE(wizard.GetBindings().IsPresent("3DFLOW_RUN_SHEAR_HEAT_MAX"));

    // The next opening for a filling analysis gives the time series back to Output.
    Choose(wizard, kFlowAimFilling);
    EXPECT_EQ(RunSheet(wizard, "expect tabs Analysis Output \"Filling solution\" \"Numerical solution\"\n"
                               "tab Output\nexpect text IDC_FLOW_ADV_FT \"Specified volumes\"\ncancel\n"),
              IDCANCEL);
    EXPECT_EQ(PageOf(wizard, "3DFLOW_FILL_TIME_SERIES"), &wizard.GetAdvancedSheet().m_output);
}

TEST_F(FlowAdv, MoldingWindowFixesTheMoldAndAmbient)
{
    CFlowWizard wizard(Node("pcabs.mtl"), 0);
    Start(wizard, kFlowAimMoldWindow);
    EXPECT_EQ(RunSheet(wizard, "expect tabs Analysis \"Molding Window\"\n"
                               "expect disabled IDC_FLOW_ADV_AMBIENT_PRESSURE\nexpect disabled IDC_FLOW_ADV_AMBIENT_TEMP\n"
                               "expect disabled IDC_FLOW_ADV_MOLD_CONDUCTIVITY\nexpect disabled IDC_FLOW_ADV_MOLD_HEAT\n"
                               "expect enabled IDC_FLOW_ADV_MAX_PRESSURE\n"
                               "tab \"Molding Window\"\nexpect checked IDC_FLOW_MW_F_PRESSURE_CHECK\n"
                               "expect unchecked IDC_FLOW_MW_P_SHEAR_RATE_CHECK\n"
                               "expect disabled IDC_FLOW_MW_P_SHEAR_RATE\nclick IDC_FLOW_MW_P_SHEAR_RATE_CHECK\n"
                               "expect enabled IDC_FLOW_MW_P_SHEAR_RATE\ntype IDC_FLOW_MW_P_SHEAR_RATE 150\nok\n"
                               "expect message \"Shear rate is out of range.\"\nanswer OK\n"
                               "type IDC_FLOW_MW_P_SHEAR_RATE 60\nok\n"),
              IDOK);
    EXPECT_TRUE(wizard.GetBindings().IsPresent("3DFLOW_MOLD_WINDOW_PREFERRED_SHEAR_RATE"));
    EXPECT_EQ(wizard.GetAdvancedSheet().m_settings.preferred[3].value, 60);

    CFlowWizard solid(Node("pp3d.mtl"), 0);
    Start(solid, kFlowAimMoldWindow);
    EXPECT_EQ(RunSheet(solid, "expect tabs Analysis Output \"Filling solution\" \"Molding Window\"\n"
                              "expect disabled IDC_FLOW_ADV_CLAMP_FORCE\ncancel\n"),
              IDCANCEL);
}

TEST_F(FlowAdv, StandalonePackingOn3DFollowsTheFillingAnalysisType)
{
    CFlowWizard wizard(Node("pp3d.mtl"), 0);
    Start(wizard, kFlowAimPackingStandalone);
    EXPECT_EQ(RunSheet(wizard, "expect tabs Analysis Output \"Packing solution\" \"Numerical solution\"\n"
                               "tab Output\nexpect checked IDC_FLOW_ADV3_INTERVALS\nexpect disabled IDC_FLOW_ADV3_TIMES\n"
                               "expect disabled IDC_FLOW_ADV3_HOURS\nclick IDC_FLOW_ADV3_RECOVERY\n"
                               "expect enabled IDC_FLOW_ADV3_HOURS\n"
                               "tab \"Packing solution\"\nexpect enabled IDC_FLOW_ADV_PACK_MIN_STEP\n"
                               "expect visible IDC_FLOW_ADV3_ITERATIONS\nexpect hidden IDC_FLOW_ADV3_NS_ITERATIONS\n"
                               "tab \"Numerical solution\"\nexpect disabled IDC_FLOW_ADV_SOLVER\n"
                               "expect disabled IDC_FLOW_ADV_INERTIA\nselect IDC_FLOW_ADV_3D_SOLVER Navier-Stokes\n"
                               "expect enabled IDC_FLOW_ADV_INERTIA\n"
                               "tab \"Packing solution\"\nexpect hidden IDC_FLOW_ADV3_ITERATIONS\n"
                               "expect visible IDC_FLOW_ADV3_NS_ITERATIONS\nexpect visible IDC_FLOW_ADV3_NS_V_LIMIT\n"
                               "ok\n"),
              IDOK);
    EXPECT_EQ(wizard.GetAdvancedSheet().m_settings.filling3DType.GetToken(), "NAVIER_STOKES");
    EXPECT_EQ(wizard.GetAdvancedSheet().m_settings.recovery3D.GetToken(), "EVERY_NUMBER_OF_HOURS");
}

TEST_F(FlowAdv, GasOffersOnlyTheMultiLaminateSolverAndNoAbaqusFile)
{
    CFlowWizard wizard(Node("material1.mtl"), kFlowGas);
    Start(wizard, kFlowAimFillAndPack);
    EXPECT_EQ(RunSheet(wizard, "tab \"Numerical solution\"\nexpect rows IDC_FLOW_ADV_SOLVER 1\n"
                               "expect text IDC_FLOW_ADV_SOLVER Multi-laminate\n"
                               "expect disabled IDC_FLOW_ADV_FIBER_LIMIT\n"
                               "tab Output\nexpect hidden IDC_FLOW_ADV_ABAQUS\ncancel\n"),
              IDCANCEL);

    // A stored solver type the list no longer offers leaves it without a
    // choice: read back, it writes no token.
    CFlowWizard fiber(Node("material1.mtl"), kFlowFiber);
    Start(fiber, kFlowAimFilling);
    fiber.GetAdvancedSheet().m_settings.solverType.SetToken("FAST");
    EXPECT_EQ(RunSheet(fiber, "tab \"Numerical solution\"\nexpect rows IDC_FLOW_ADV_SOLVER 2\n"
                              "expect text IDC_FLOW_ADV_SOLVER \"\"\nexpect enabled IDC_FLOW_ADV_FIBER_LIMIT\n"
                              "expect enabled IDC_FLOW_ADV_GRID_RATIO\nok\n"),
              IDOK);
    EXPECT_EQ(fiber.GetBindings().FormatValue("3DFLOW_ANALYSIS_TYPE"), "");
}

TEST_F(FlowAdv, ARestartKeepsItsAnalysisAndNumericalSettings)
{
    CFlowWizard wizard(Node("restart-midplane.fin"), 0);
    Start(wizard, kFlowAimPacking, kRestartEndOfFilling);
    const CKeywordBindings& b = wizard.GetBindings();
    const std::string before[] = {b.FormatValue("ENVIRONMENT_TEMPERATURE"), b.FormatValue("3DFLOW_GRID_RATIO"),
                                  b.FormatValue("3DFLOW_ANALYSIS_TYPE")};
    EXPECT_EQ(RunSheet(wizard, "expect tabs Analysis Output \"Filling solution\" \"Packing solution\" "
                               "\"Numerical solution\"\n"
                               "expect disabled IDC_FLOW_ADV_AMBIENT_TEMP\nexpect disabled IDC_FLOW_ADV_MAX_PRESSURE\n"
                               "expect disabled IDC_FLOW_ADV_MOLD_DENSITY_TEXT\n"
                               "tab \"Filling solution\"\nexpect disabled IDC_FLOW_ADV_GROWTH\n"
                               "tab Output\nexpect disabled IDC_FLOW_ADV_FI\nexpect enabled IDC_FLOW_ADV_SI\n"
                               "tab \"Numerical solution\"\nexpect disabled IDC_FLOW_ADV_SOLVER\n"
                               "expect disabled IDC_FLOW_ADV_GRID_RATIO\nexpect disabled IDC_FLOW_ADV_PLASTIC_LAMINATES\n"
                               "ok\n"),
              IDOK);
    EXPECT_EQ(b.FormatValue("ENVIRONMENT_TEMPERATURE"), before[0]);
    EXPECT_EQ(b.FormatValue("3DFLOW_GRID_RATIO"), before[1]);
    EXPECT_EQ(b.FormatValue("3DFLOW_ANALYSIS_TYPE"), before[2]);
    EXPECT_TRUE(b.IsPresent("3DFLOW_GRID_RATIO"));
}

TEST_F(FlowAdv, ControlParametersFollowTheMachinesController)
{
    const char* options[] = {"IDC_FLOW_CP_V_CONSTANT", "IDC_FLOW_CP_V_LINEAR", "IDC_FLOW_CP_V_RAM",
                             "IDC_FLOW_CP_V_ZONE",     "IDC_FLOW_CP_P_CONSTANT", "IDC_FLOW_CP_P_LINEAR",
                             "IDC_FLOW_CP_P_TIME",     "IDC_FLOW_CP_P_ZONE"};
    // A new analysis whose machine states no controller: every option off.
    CFlowWizard bare(Node("material1.mtl"), kFlowOptimum);
    Start(bare, kFlowAimOptimumFill);
    std::string script = "expect tabs Analysis Output \"Filling solution\" \"Numerical solution\" "
                         "\"Control parameters\"\ntab \"Control parameters\"\n";
    for (const char* option : options)
        script += std::string("expect disabled ") + option + "\n";
    EXPECT_EQ(RunSheet(bare, script + "cancel\n"), IDCANCEL);

    // A machine that does constant steps and ram position profiles only.
    CFlowWizard wizard(Node("material1.mtl"), kFlowOptimum);
    Start(wizard, kFlowAimOptimumFill);
    MKeywordFile working;
    ASSERT_TRUE(working.Load(wizard.GetTempFileName()));
    ASSERT_TRUE(working.Merge(wiztest::SourcePath("data/machines/am080.imm")));
    ASSERT_TRUE(working.Write(wizard.GetTempFileName()));
    EXPECT_EQ(RunSheet(wizard, "tab \"Control parameters\"\n"
                               "expect enabled IDC_FLOW_CP_V_CONSTANT\nexpect disabled IDC_FLOW_CP_V_LINEAR\n"
                               "expect enabled IDC_FLOW_CP_V_RAM\nexpect disabled IDC_FLOW_CP_V_ZONE\n"
                               "expect enabled IDC_FLOW_CP_P_CONSTANT\nexpect disabled IDC_FLOW_CP_P_LINEAR\n"
                               "expect enabled IDC_FLOW_CP_P_TIME\nexpect disabled IDC_FLOW_CP_P_ZONE\n"
                               "expect hidden IDC_FLOW_CP_PRESSURE\nclick IDC_FLOW_CP_PRESSURE_SPECIFIED\n"
                               "expect visible IDC_FLOW_CP_PRESSURE\ntype IDC_FLOW_CP_PRESSURE 150\n"
                               "tab Analysis\nexpect hidden IDC_FLOW_ADV_STROKE_LENGTH\n"
                               "select IDC_FLOW_ADV_STROKE Specified\nexpect visible IDC_FLOW_ADV_STROKE_LENGTH\n"
                               "expect hidden IDC_FLOW_ADV_CLAMP_FORCE\nok\n"),
              IDOK);
    const SFlowAdvSettings& s = wizard.GetAdvancedSheet().m_settings;
    EXPECT_EQ(s.injectionPressureOption.GetToken(), "SPECIFIED");
    EXPECT_DOUBLE_EQ(s.controlInjectionPressure, 1.5e8);
    EXPECT_EQ(s.strokeVolume.GetToken(), "SPECIFIED");
}
