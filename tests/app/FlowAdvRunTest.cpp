// wizhost run flow with the advanced options: the sheet the description
// page's "Advanced..." button opens, for each kind of analysis, and the
// keyword files it leads to (golden files; WIZ_UPDATE_GOLDEN=1 rewrites them).
#include "WizardRunSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using wiztest::RunWizhost;

namespace {

using wizrun::Script;

class FlowAdvRun : public wizrun::SampleProjectRun {
protected:
    FlowAdvRun() : SampleProjectRun("flow") {}
};

// The lines of a keyword file that hold `keyword` exactly.
std::string Line(const std::string& file, const std::string& keyword)
{
    const std::string key = "\n" + keyword + ": ";
    const std::size_t at = ("\n" + file).find(key);
    if (at == std::string::npos)
        return "";
    const std::size_t end = file.find('\n', at);
    return file.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

} // namespace

TEST_F(FlowAdvRun, PagesNeverShownKeepTheDefaults)
{
    auto r = Run(Node("material1.mtl"), Script("flow-adv-fill-pack.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    wizrun::ExpectGolden(project, "flow2.fin", "flow-adv-fill-pack.fin");
    const std::string file = Written("flow2.fin");
    const std::string defaults = wizrun::ReplaceAll(
        wiztest::ReadBytes(wiztest::SourcePath("data/solver/zqflow.def")), "\r\n", "\n");
    // Never shown: the Packing, Filling and Numerical solution pages.
    for (const char* keyword : {"3DFLOW_PACK_TIME_INCREMENT", "3DFLOW_VISCOSITY_ITERATION_LIMIT", "3DFLOW_GRID_RATIO",
                                "3DFLOW_RUN_SHEAR_HEAT_MAX", "3DFLOW_GATE_2D_SCAN_QUALITY_PACKABILITY"})
        EXPECT_EQ(Line(file, keyword), Line(defaults, keyword)) << keyword;
    EXPECT_EQ(Line(file, "3DFLOW_FILL_RESTART"), "3DFLOW_FILL_RESTART: SPECIFIED_TIMES");
}

TEST_F(FlowAdvRun, UncheckedMoldingWindowBoxDropsItsLimit)
{
    auto r = Run(Node("pcabs.mtl"), Script("flow-adv-molding-window.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    wizrun::ExpectGolden(project, "flow2.fin", "flow-adv-molding-window.fin");
    const std::string file = Written("flow2.fin");
    EXPECT_EQ(Line(file, "3DFLOW_MOLD_WINDOW_FEASIBLE_USE_PRESSURE_LIMIT"),
              "3DFLOW_MOLD_WINDOW_FEASIBLE_USE_PRESSURE_LIMIT: OFF");
    EXPECT_EQ(Line(file, "3DFLOW_MOLD_WINDOW_FEASIBLE_PRESSURE_LIMIT"), "");
    EXPECT_EQ(Line(file, "3DFLOW_MOLD_WINDOW_PREFERRED_SHEAR_STRESS"), "3DFLOW_MOLD_WINDOW_PREFERRED_SHEAR_STRESS: 40");
    EXPECT_EQ(Line(file, "3DFLOW_MOLD_WINDOW_PREFERRED_PRESSURE_LIMIT"),
              "3DFLOW_MOLD_WINDOW_PREFERRED_PRESSURE_LIMIT: 80");
    EXPECT_EQ(Line(file, "3DFLOW_MOLD_WINDOW_DISPLAY"), "3DFLOW_MOLD_WINDOW_DISPLAY: FULL");
}

TEST_F(FlowAdvRun, RunnerBalanceWritesTheTimeSeriesFromItsPage)
{
    auto r = RunText(Node("material1.mtl"),
                     "click IDC_FLOW_RUNNER_BALANCE\nnext\nselect IDC_FLOW_BC_LIST \" flow.bf3\"\nnext\nnext\n"
                     "expect dialog IDD_FLOW_PAGE5\nclick IDC_FLOW_ADVANCED_BUTTON\n"
                     "expect tabs Analysis \"Filling solution\" \"Numerical solution\" \"Runner balance\"\n"
                     "tab \"Runner balance\"\nselect IDC_FLOW_ADV_FT \"Specified times\"\n"
                     "type IDC_FLOW_ADV_FT_STIMES \"0.5 1\"\nok\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    const std::string file = Written("flow2.fin");
    EXPECT_EQ(Line(file, "3DFLOW_FILL_TIME_SERIES"), "3DFLOW_FILL_TIME_SERIES: SPECIFIED_TIMES");
    EXPECT_NE(file.find("3DFLOW_FILL_TIME_SERIES_SPECIFIED_TIMES: 0.5 \\\n1\n"), std::string::npos) << file;
}

// Script lines that set up `count` gas cylinders at constant volume on the
// process page, which a gas analysis does not leave without them.
std::string GasCylinders(int count)
{
    std::string lines = "click IDC_FLOW_GAS_SETTINGS_BUTTON\nclick IDC_FLOW_GAS_CONSTANT_VOLUME\n";
    const char* const values[] = {"1", "100", "10", "5", "20", "0.5", "11"};
    for (int column = 1; column <= count; ++column)
        for (int row = 1; row <= 7; ++row)
            lines += "cell IDC_FLOW_GAS_GRID " + std::to_string(row) + " " + std::to_string(column) + " " +
                     values[row - 1] + "\n";
    return lines + "ok\n";
}

TEST_F(FlowAdvRun, GasOffersOneSolverAndNoAbaqusFile)
{
    auto r = RunText(Node("material1.mtl"),
                     "next\nselect IDC_FLOW_BC_LIST \" gas.bf3\"\nnext\n" + GasCylinders(2) +
                     "next\nexpect dialog IDD_FLOW_PAGE4\nnext\n"
                     "expect dialog IDD_FLOW_PAGE5\n"
                     "click IDC_FLOW_ADVANCED_BUTTON\n"
                     "expect tabs Analysis Output \"Filling solution\" \"Packing solution\" \"Numerical solution\"\n"
                     "tab \"Numerical solution\"\nexpect rows IDC_FLOW_ADV_SOLVER 1\n"
                     "expect text IDC_FLOW_ADV_SOLVER Multi-laminate\ntab Output\nexpect hidden IDC_FLOW_ADV_ABAQUS\n"
                     "cancel\ncancel\n",
                     {"--flags", "2"});
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
}

TEST_F(FlowAdvRun, ARestartKeepsTheAnalysisAndNumericalValues)
{
    auto r = RunText(Node("restart-midplane.fin"),
                     "next\nexpect dialog IDD_FLOW_PAGE3\nnext\nexpect dialog IDD_FLOW_PAGE5\n"
                     "click IDC_FLOW_ADVANCED_BUTTON\nexpect disabled IDC_FLOW_ADV_AMBIENT_PRESSURE\n"
                     "expect disabled IDC_FLOW_ADV_MAX_PRESSURE\nexpect disabled IDC_FLOW_ADV_MOLD_HEAT\n"
                     "tab \"Numerical solution\"\nexpect disabled IDC_FLOW_ADV_SOLVER\n"
                     "expect disabled IDC_FLOW_ADV_PLASTIC_LAMINATES\nexpect disabled IDC_FLOW_ADV_GRID_RATIO\n"
                     "ok\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    const std::string file = Written("restart-midplane.fin");
    const std::string defaults = wizrun::ReplaceAll(
        wiztest::ReadBytes(wiztest::SourcePath("data/solver/zqflow.def")), "\r\n", "\n");
    for (const char* keyword : {"ENVIRONMENT_PRESSURE", "3DFLOW_MAXIMUM_INJECTION_PRESSURE", "3DFLOW_MOLD_HEAT_CAPACITY",
                                "3DFLOW_ANALYSIS_TYPE", "3DFLOW_PLASTIC_LAMINATES", "3DFLOW_GRID_RATIO"}) {
        EXPECT_NE(Line(file, keyword), "") << keyword;
        EXPECT_EQ(Line(file, keyword), Line(defaults, keyword)) << keyword;
    }
}

TEST_F(FlowAdvRun, AMachineWithoutControllerOffersNoProfileOption)
{
    std::string script = "click IDC_FLOW_OPTIMUM_FILL\nselect IDC_FLOW_MACHINE_LIST \"Plainworks, PW-40\"\nnext\n"
                         "select IDC_FLOW_BC_LIST \" flow.bf3\"\nnext\nnext\nexpect dialog IDD_FLOW_PAGE5\n"
                         "click IDC_FLOW_ADVANCED_BUTTON\nexpect tabs Analysis Output \"Filling solution\" "
                         "\"Numerical solution\" \"Control parameters\"\ntab \"Control parameters\"\n";
    for (const char* option : {"IDC_FLOW_CP_V_CONSTANT", "IDC_FLOW_CP_V_LINEAR", "IDC_FLOW_CP_V_RAM",
                               "IDC_FLOW_CP_V_ZONE", "IDC_FLOW_CP_P_CONSTANT", "IDC_FLOW_CP_P_LINEAR",
                               "IDC_FLOW_CP_P_TIME", "IDC_FLOW_CP_P_ZONE"})
        script += std::string("expect disabled ") + option + "\n";
    auto r = RunText(Node("material1.mtl"), script + "cancel\ncancel\n", {"--flags", "8"});
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
}

TEST_F(FlowAdvRun, StandalonePackingOnThe3DMesh)
{
    auto r = RunText(Node("packing-3d.fin"),
                     "expect checked IDC_FLOW_PACKING_STANDALONE\nnext\nexpect dialog IDD_FLOW_PAGE3\nnext\n"
                     "expect dialog IDD_FLOW_PAGE5\nclick IDC_FLOW_ADVANCED_BUTTON\n"
                     "expect tabs Analysis Output \"Packing solution\" \"Numerical solution\"\n"
                     "tab \"Packing solution\"\nexpect enabled IDC_FLOW_ADV_PACK_VARIATION\ncancel\ncancel\n");
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
}
