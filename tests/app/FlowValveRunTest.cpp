// wizhost run flow through the last pages: valve-gate timings stored, typed,
// kept over Back, on a gas mold of the 3D plate; the thermoset curing page
// with its transfer pot; the job submission choice. Each session's analysis
// file is checked against its golden file (WIZ_UPDATE_GOLDEN=1 rewrites them).
#include "WizardRunSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using wiztest::RunWizhost;

namespace {

using wizrun::Script;

class FlowValveRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1);
        project = dir / "proj";
        ASSERT_EQ(RunWizhost({"project", "init", project}).exitCode, 0);
    }
    void TearDown() override { unsetenv("WIZ_SETTINGS"); }

    wiztest::RunResult Run(const std::string& node, const std::string& script, std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = {"run",  "flow",  "--project", project, "--node",
                                         wizrun::NodeId(project, node), "--script", Script(script)};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunWizhost(args);
    }
    // The analysis file a finished run reports.
    static std::string FileOf(const wiztest::RunResult& r)
    {
        const std::size_t at = r.out.find("\nfile: ");
        if (at == std::string::npos)
            return std::string();
        const std::size_t from = at + 7;
        return r.out.substr(from, r.out.find('\n', from) - from);
    }
    std::string Written(const std::string& name) { return wizrun::Normalised(project, name); }

    wiztest::ScratchDir dir;
    std::string project;
};

} // namespace

TEST_F(FlowValveRun, StoredTimingsAreShownAndWrittenBackOnContinuedLines)
{
    auto r = Run("valve-timings.fin", "flow-valve-timings.script");
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("job submission: 3 (prepare a subsequent analysis)\n"), std::string::npos) << r.out;
    ASSERT_EQ(FileOf(r), "valve-timings.fin");
    wizrun::ExpectGolden(project, "valve-timings.fin", "flow-valve-timings.fin");
    const std::string text = Written("valve-timings.fin");
    EXPECT_NE(text.find("\n3DFLOW_VALVE_GROUP1_INITIAL_STATE: CLOSED\n3DFLOW_VALVE_GROUP1_TIMING_SEQUENCE: \\\n1.5 \\\n3\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_VALVE_GROUP2_TIMING_SEQUENCE: \\\n0.5 \\\n1 \\\n1.5 \\\n2 \\\n2.5\n"),
              std::string::npos);
    // Group 3 had nothing: open, and no times to write.
    EXPECT_NE(text.find("\n3DFLOW_VALVE_GROUP3_INITIAL_STATE: OPEN\n"), std::string::npos);
    EXPECT_EQ(text.find("3DFLOW_VALVE_GROUP3_TIMING_SEQUENCE"), std::string::npos);
}

TEST_F(FlowValveRun, TimesTypedSurviveBackAndReachTheAnalysis)
{
    auto r = Run("material1.mtl", "flow-valve-gates.script");
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    const std::string file = FileOf(r);
    ASSERT_FALSE(file.empty()) << r.out;
    wizrun::ExpectGolden(project, file, "flow-valve-gates.fin");
    const std::string text = Written(file);
    EXPECT_NE(text.find("\n3DFLOW_VALVE_GROUP2_INITIAL_STATE: CLOSED\n3DFLOW_VALVE_GROUP2_TIMING_SEQUENCE: \\\n0.4 \\\n1.2\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_VALVE_GROUP3_INITIAL_STATE: FLOW_FRONT\n3DFLOW_VALVE_GROUP3_TIMING_SEQUENCE: \\\n0.8\n"),
              std::string::npos);
}

TEST_F(FlowValveRun, GasMoldOnThe3DPlate)
{
    auto r = Run("pp3d.mtl", "flow-gas-valves-3d.script", {"--flags", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    const std::string file = FileOf(r);
    ASSERT_FALSE(file.empty()) << r.out;
    wizrun::ExpectGolden(project, file, "flow-gas-valves-3d.fin");
    const std::string text = Written(file);
    // Valve keywords of the 3D solver; the well keeps the midplane spelling.
    EXPECT_NE(text.find("\nMOLD3D_VALVE_GROUP1_INITIAL_STATE: OPEN\n"), std::string::npos);
    EXPECT_NE(text.find("\nMOLD3D_GAS_VALVE_GROUP2_INITIAL_STATE: CLOSED\n"
                        "MOLD3D_GAS_VALVE_GROUP2_TIMING_SEQUENCE: \\\n2 \\\n6\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_GAS_OVERFLOW_WELL_GROUP3_OPENING_TIME: 4.5\n"), std::string::npos);
    EXPECT_EQ(text.find("3DFLOW_VALVE_GROUP"), std::string::npos);
}

TEST_F(FlowValveRun, RestartedThermosetHasNoTransferPot)
{
    const std::string before = Written("restart-thermoset.fin");
    ASSERT_NE(before.find("3DFLOW_TSET_TRANSFER_POT_LENGTH"), std::string::npos);
    auto r = Run("restart-thermoset.fin", "flow-thermoset-restart.script");
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    wizrun::ExpectGolden(project, "restart-thermoset.fin", "flow-thermoset-restart.fin");
    const std::string text = Written("restart-thermoset.fin");
    EXPECT_NE(text.find("\n3DFLOW_IDC_TSET_TRANSFER_POT_ANALYSIS: OFF\n"), std::string::npos);
    for (const char* gone : {"3DFLOW_TSET_TRANSFER_POT_LENGTH", "3DFLOW_TSET_TRANSFER_POT_EDGE_TO_HEATING_LINE_DISTANCE",
                             "3DFLOW_TSET_HEATING_LINE_TEMPERATURE"})
        EXPECT_EQ(text.find(gone), std::string::npos) << gone;
    // The pot's size and dwell time stay as they were.
    EXPECT_NE(text.find("\n3DFLOW_TSET_TRANSFER_POT_DIAMETER: 0.04\n"), std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_TSET_TRANSFER_POT_DWELL_TIME: 12\n"), std::string::npos);
}

TEST_F(FlowValveRun, TransferPotWithoutLengthAndACancelledMaterialDialog)
{
    auto r = Run("material3.mtl", "flow-thermoset-pot.script");
    ASSERT_EQ(r.exitCode, 0) << r.err << r.out;
    EXPECT_NE(r.out.find("job submission: 2 (submit later)\n"), std::string::npos) << r.out;
    const std::string file = FileOf(r);
    ASSERT_FALSE(file.empty()) << r.out;
    wizrun::ExpectGolden(project, file, "flow-thermoset-pot.fin");
    const std::string text = Written(file);
    EXPECT_NE(text.find("\n3DFLOW_IDC_TSET_TRANSFER_POT_ANALYSIS: ON\n"), std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_TSET_CURING_TIME: 75\n"), std::string::npos);
    EXPECT_NE(text.find("\n3DFLOW_TSET_TRANSFER_POT_METAL_CONDUCTIVITY: 30\n"), std::string::npos);
    EXPECT_EQ(text.find("3DFLOW_TSET_TRANSFER_POT_LENGTH"), std::string::npos);
}
