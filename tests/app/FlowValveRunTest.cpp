// wizhost run flow through the last pages, each session's analysis file
// against its golden file (WIZ_UPDATE_GOLDEN=1 rewrites them): valve-gate
// timings stored, typed and kept over Back, gas and well gates on the 3D
// plate, the restarted thermoset without a transfer pot, and a transfer pot
// whose material dialog was cancelled once.
#include "WizardRunSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using wiztest::RunWizhost;

namespace {

struct SSession {
    const char* node;   // file of the start node
    const char* script; // in data/scripts, with the golden file of the same stem
    const char* flags;
    const char* submission; // the job submission line the run prints
};

} // namespace

TEST(FlowValveRun, LastPagesSessions)
{
    wiztest::ScratchDir dir;
    setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1);
    const std::string project = dir / "proj";
    ASSERT_EQ(RunWizhost({"project", "init", project}).exitCode, 0);
    const SSession sessions[] = {
        {"valve-timings.fin", "flow-valve-timings", "0", "3 (prepare a subsequent analysis)"},
        {"material1.mtl", "flow-valve-gates", "0", "0 (run now)"},
        {"pp3d.mtl", "flow-gas-valves-3d", "2", "1 (add to the batch queue)"},
        {"restart-thermoset.fin", "flow-thermoset-restart", "4", "0 (run now)"},
        {"material3.mtl", "flow-thermoset-pot", "4", "2 (submit later)"},
    };
    for (const SSession& s : sessions) {
        auto r = RunWizhost({"run", "flow", "--project", project, "--node", wizrun::NodeId(project, s.node), "--flags",
                             s.flags, "--script", wizrun::Script(std::string(s.script) + ".script")});
        ASSERT_EQ(r.exitCode, 0) << s.script << ": " << r.err << r.out;
        EXPECT_NE(r.out.find("job submission: " + std::string(s.submission) + "\n"), std::string::npos) << r.out;
        const std::size_t at = r.out.find("\nfile: ");
        ASSERT_NE(at, std::string::npos) << r.out;
        const std::string file = r.out.substr(at + 7, r.out.find('\n', at + 7) - at - 7);
        wizrun::ExpectGolden(project, file, std::string(s.script) + ".fin");
    }
    // What the goldens hold at their heart: times on continued lines, five
    // of seven kept; the 3D solver's valve keywords beside the well's.
    const std::string timings = wizrun::Normalised(project, "valve-timings.fin");
    EXPECT_NE(timings.find("\n3DFLOW_VALVE_GROUP2_TIMING_SEQUENCE: \\\n0.5 \\\n1 \\\n1.5 \\\n2 \\\n2.5\n3DFLOW_VALVE"),
              std::string::npos);
    const std::string restart = wizrun::Normalised(project, "restart-thermoset.fin");
    EXPECT_NE(restart.find("\n3DFLOW_IDC_TSET_TRANSFER_POT_ANALYSIS: OFF\n"), std::string::npos);
    for (const char* gone : {"POT_LENGTH", "EDGE_TO_HEATING_LINE_DISTANCE", "HEATING_LINE_TEMPERATURE"})
        EXPECT_EQ(restart.find(gone), std::string::npos) << gone;
    unsetenv("WIZ_SETTINGS");
}
