// wizhost run warp and run stress when a file fails them: a defaults, range
// or earlier analysis file that exists but cannot be read (a folder or a FIFO)
// stops the wizard before any page with one line and exit 2; a Finish whose
// project change fails puts the rewritten input back; a failed rewrite of the
// earlier warpage analysis is told and leaves that file as it was.
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

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

const char kCancelAtOnce[] = "expect dialog IDD_WARP_ANALYSIS_TYPE\ncancel\n";

class WarpFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1);
        project = dir / "proj";
        ASSERT_EQ(RunWizhost({"project", "init", project}).exitCode, 0);
    }
    void TearDown() override
    {
        unsetenv("WIZ_SETTINGS");
        unsetenv("WIZ_DATA_DIR");
        unsetenv("WIZ_FAULT_AT");
    }

    // Installation data with only the warpage solver's files, so a case can
    // spoil one of them.
    void UseOwnData()
    {
        fs::create_directories(dir / "data/solver");
        for (const char* name : {"warp.def", "warp.rng"})
            fs::copy_file(wiztest::SourcePath(std::string("data/solver/") + name), dir / ("data/solver/" + std::string(name)));
        setenv("WIZ_DATA_DIR", (dir / "data").c_str(), 1);
    }

    wiztest::RunResult Run(const std::string& wizard, const std::string& node, const std::string& text)
    {
        const std::string script = dir / ("s" + std::to_string(++m_scripts) + ".script");
        wiztest::WriteBytes(script, text);
        return RunWizhost({"run", wizard, "--project", project, "--node", node, "--script", script});
    }

    // With `file` made unreadable, the run fails before any page shows,
    // naming it as the wizard found it (`named`, the path by default), and
    // changes nothing (the file is put back before the project is compared:
    // a snapshot cannot read a FIFO either).
    void ExpectRefused(const std::string& wizard, const std::string& node, const std::string& file,
                       std::string named = "")
    {
        if (named.empty())
            named = file;
        for (Unreadable kind : {Unreadable::Folder, Unreadable::Fifo}) {
            SCOPED_TRACE(file + (kind == Unreadable::Folder ? " as a folder" : " as a FIFO"));
            ExpectRefusedWhileUnreadable(project, file, kind, "'" + named + "'",
                                         [&] { return Run(wizard, node, kCancelAtOnce); });
        }
    }

    wiztest::ScratchDir dir;
    std::string project;
    int m_scripts = 0;
};

} // namespace

TEST_F(WarpFailure, DefaultsAndRangeFilesThatCannotBeRead)
{
    UseOwnData();
    // Node 4 is the plate's material: a new analysis reads the defaults.
    for (const char* wizard : {"warp", "stress"}) {
        SCOPED_TRACE(wizard);
        ExpectRefused(wizard, "4", dir / "data/solver/warp.def");
        ExpectRefused(wizard, "4", dir / "data/solver/warp.rng");
        // The local range file, by its bare name in the project folder.
        ExpectRefused(wizard, "4", project + "/warp.rng", "warp.rng");
    }
    // Absent, they are no failure: the wizard opens.
    fs::remove(dir / "data/solver/warp.def");
    fs::remove(dir / "data/solver/warp.rng");
    EXPECT_EQ(Run("stress", "4", kCancelAtOnce).exitCode, 1);
}

TEST_F(WarpFailure, AnalysisFilesThatCannotBeRead)
{
    // The input being edited (node 10 is warp1.win).
    ExpectRefused("warp", "10", project + "/warp1.win");
    // The earlier warpage analysis a stress analysis follows (node 11 is
    // its result): its keywords decide whether the wizard may open.
    ExpectRefused("stress", "11", project + "/warp1.win");
}

TEST_F(WarpFailure, FinishThatTheProjectDoesNotTakeLeavesTheInputAsItWas)
{
    // An input rewritten in place, then its node updated: a project file that
    // refuses the change (its write bit clear) must not leave the new bytes.
    ASSERT_EQ(RunWizhost({"kw", "set", project + "/warp1.win", "3DSTRUCT_SHRINK_DATA_SOURCE", "THERMAL_STRESS"}).exitCode,
              0);
    const FileTree before = FileTree::Read(project);
    fs::permissions(project + "/project.zqp", fs::perms::owner_write, fs::perm_options::remove);
    auto r = RunWizhost({"run", "warp", "--project", project, "--node", "10", "--script",
                         wiztest::SourcePath("data/scripts/warp-new.script")});
    fs::permissions(project + "/project.zqp", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("project.zqp"), std::string::npos) << r.err;
    EXPECT_TRUE(FileTree::Read(project) == before) << FileTree::Read(project).DiffFrom(before);
}

TEST_F(WarpFailure, FailedRewriteOfTheEarlierAnalysisIsToldAndChangesNothing)
{
    // The stress wizard below warp1.wpr asks to turn on the stress output of
    // warp1.win. Whichever file call fails, warp1.win is either rewritten
    // whole or left as it was, and a failed rewrite is shown to the person.
    const std::string earlier = wiztest::ReadBytes(project + "/warp1.win");
    const std::string script = "answer OK\nexpect dialog IDD_WARP_ANALYSIS_TYPE\ncancel\n";
    bool told = false;
    for (int n = 1; n < 200; ++n) {
        wiztest::WriteBytes(project + "/warp1.win", earlier);
        setenv("WIZ_FAULT_AT", std::to_string(n).c_str(), 1);
        auto r = Run("stress", "11", script);
        unsetenv("WIZ_FAULT_AT");
        const std::string now = wiztest::ReadBytes(project + "/warp1.win");
        if (r.exitCode == 1) {
            // Past the last call: the rewrite held.
            EXPECT_NE(now.find("3DSTRUCT_OUTPUT_STRESS: ON\r\n"), std::string::npos) << now;
            break;
        }
        EXPECT_EQ(r.exitCode, 2) << "fault " << n << ": " << r.err;
        EXPECT_EQ(Lines(r.err), 1) << "fault " << n << ": " << r.err;
        if (r.err.find("the earlier warpage analysis was not changed: cannot write") != std::string::npos) {
            told = true;
            EXPECT_EQ(now, earlier) << "fault " << n;
        } else if (now != earlier) {
            // A fault after the rewrite (the working file, the pages): the
            // earlier file was changed as the person agreed.
            EXPECT_NE(now.find("3DSTRUCT_OUTPUT_STRESS: ON\r\n"), std::string::npos) << "fault " << n << ": " << now;
        }
    }
    EXPECT_TRUE(told) << "no fault hit the rewrite";
}
