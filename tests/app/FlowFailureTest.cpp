// wizhost run flow when a file the wizard reads before its first page exists
// but cannot be read (a folder or a FIFO where a file belongs): one line
// naming the file, exit 2, the project untouched. An absent file is no
// failure. And a Finish whose last step, remembering the Abaqus choice,
// fails: the analysis stands, with a warning. (A Finish whose writes fail is
// in the fault-injection tests.)
#include "support/FileTreeSnapshot.h"
#include "support/TestSupport.h"

#include "Unreadable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

using wiztest::FileTree;
using wiztest::RunWizhost;

namespace {

namespace fs = std::filesystem;

// Nodes of the sample project.
constexpr const char* kMaterial = "4";   // material1.mtl, below the midplane mesh
constexpr const char* kFlowResult = "6"; // flow1.flr, below flow1.fin

class FlowFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1);
        project = dir / "proj";
        ASSERT_EQ(RunWizhost({"project", "init", project}).exitCode, 0);
        // Installation data with no solver files: whatever a case puts there
        // is the only file the wizard finds.
        fs::create_directories(dir / "data/solver");
        setenv("WIZ_DATA_DIR", (dir / "data").c_str(), 1);
        cancel = dir / "cancel.script";
        wiztest::WriteBytes(cancel, "expect dialog IDD_FLOW_PAGE1\ncancel\n");
    }
    void TearDown() override
    {
        unsetenv("WIZ_SETTINGS");
        unsetenv("WIZ_DATA_DIR");
    }

    wiztest::RunResult Run(const std::string& node, const std::string& script, const std::string& flags = "0")
    {
        return RunWizhost({"run", "flow", "--project", project, "--node", node, "--script", script, "--flags", flags});
    }

    // With `file` unreadable, the run fails before any page shows, naming
    // it, and changes nothing (the file is put back before the project is
    // compared: a snapshot cannot read a FIFO either).
    void ExpectRefused(const std::string& node, const std::string& file, const std::string& flags = "0")
    {
        for (Unreadable kind : {Unreadable::Folder, Unreadable::Fifo}) {
            SCOPED_TRACE(kind == Unreadable::Folder ? "folder" : "FIFO");
            ExpectRefusedWhileUnreadable(project, file, kind, file, [&] { return Run(node, cancel, flags); });
        }
    }

    wiztest::ScratchDir dir;
    std::string project;
    std::string cancel;
};

} // namespace

TEST_F(FlowFailure, DefaultsAndRangeFilesThatCannotBeRead)
{
    // The midplane flow solver's files, and the optimiser's.
    for (const char* name : {"zqflow.def", "zqflow.rng"}) {
        SCOPED_TRACE(name);
        ExpectRefused(kMaterial, dir / ("data/solver/" + std::string(name)));
    }
    ExpectRefused(kMaterial, dir / "data/solver/zqoptim.rng", "8");
    // Absent, they are no failure: the wizard opens.
    EXPECT_EQ(Run(kMaterial, cancel).exitCode, 1);
    EXPECT_EQ(Run(kMaterial, cancel, "8").exitCode, 1);
}

TEST_F(FlowFailure, EarlierAnalysisThatCannotBeRead)
{
    // A flow after flow1.flr takes its boundary conditions from flow1.fin; an
    // optimisation after it starts from all of its settings. Unreadable,
    // flow1.fin must not read as an analysis without them.
    const std::string earlier = project + "/flow1.fin";
    ExpectRefused(kFlowResult, earlier);
    ExpectRefused(kFlowResult, earlier, "8");
    // Gone, the new analysis starts without them.
    fs::remove(earlier);
    EXPECT_EQ(Run(kFlowResult, cancel).exitCode, 1);
}

TEST_F(FlowFailure, SettingsThatCannotBeWrittenAreOnlyAWarning)
{
    setenv("WIZ_DATA_DIR", wiztest::SourcePath("data").c_str(), 1);
    wiztest::WriteBytes(dir / "plain", "a file, where the settings folder should be\n");
    const std::string settings = dir / "plain/settings.ini";
    setenv("WIZ_SETTINGS", settings.c_str(), 1);
    auto r = Run(kMaterial, wiztest::SourcePath("data/scripts/flow-fill-pack.script"));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("file: flow2.fin\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "wizhost: warning: the Abaqus interface choice was not remembered: cannot write the settings "
                     "file '" + settings + "'\n");
    EXPECT_TRUE(fs::exists(project + "/flow2.fin"));
}

TEST_F(FlowFailure, ChosenMachineThatCannotBeRead)
{
    // An optimisation merges the chosen machine into the working copy and
    // writes it back: one that cannot be read is refused on the page, which
    // stays, rather than leave the profile without the machine's limits.
    setenv("WIZ_DATA_DIR", wiztest::SourcePath("data").c_str(), 1);
    const std::string machine = project + "/broken.imm";
    ASSERT_EQ(::mkfifo(machine.c_str(), 0644), 0);
    const std::string script = dir / "machine.script";
    wiztest::WriteBytes(script, "click IDC_FLOW_OPTIMUM_FILL\nselect IDC_FLOW_MACHINE_LIST \", \"\nnext\n"
                                "expect message \"cannot read '" + machine + "': it is a FIFO\"\nanswer OK\n"
                                "expect dialog IDD_FLOW_PAGE1\ncancel\n");
    auto r = Run(kMaterial, script, "8");
    EXPECT_EQ(r.exitCode, 1) << r.err << r.out;
}
