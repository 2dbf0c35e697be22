// Every wizhost command that writes, run once for every N with the Nth open,
// write, fsync or rename failing (WIZ_FAULT_AT=N), until it succeeds: each
// failed run must exit 2 with one line and leave every file byte for byte as
// it was; the run that succeeds must leave what a run without faults leaves.
#include "WizardRunSupport.h"
#include "support/FileTreeSnapshot.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

using wiztest::FileTree;
using wiztest::RunWizhost;

namespace {

namespace fs = std::filesystem;

int Lines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("WIZ_SETTINGS", (scratch / "settings.ini").c_str(), 1);
        work = scratch / "work";
        fs::create_directories(work);
    }
    void TearDown() override
    {
        unsetenv("WIZ_SETTINGS");
        unsetenv("WIZ_FAULT_AT");
    }

    // Runs `args` against the files of `work` as `prepare` leaves them, once
    // for every N until the command succeeds. Returns the number of faults
    // the command met.
    int RunEveryFault(const std::function<void()>& prepare, const std::vector<std::string>& args,
                      const std::string& input = "")
    {
        fs::remove_all(work);
        fs::create_directories(work);
        prepare();
        const FileTree before = FileTree::Read(work);
        auto clean = RunWizhost(args, input);
        EXPECT_EQ(clean.exitCode, 0) << clean.err;
        const FileTree after = FileTree::Read(work);
        EXPECT_FALSE(before == after) << "the command changed nothing";

        const std::string mark = scratch / "fault-met";
        int failed = 0;
        for (int n = 1; n < 5000; ++n) {
            before.WriteTo(work);
            fs::remove(mark);
            setenv("WIZ_FAULT_AT", std::to_string(n).c_str(), 1);
            setenv("WIZ_FAULT_MARK", mark.c_str(), 1);
            auto r = RunWizhost(args, input);
            unsetenv("WIZ_FAULT_AT");
            unsetenv("WIZ_FAULT_MARK");
            const FileTree now = FileTree::Read(work);
            if (r.exitCode == 0) {
                // A fault on an optional read may be passed over; the result
                // must still be what a run without faults gives.
                EXPECT_TRUE(now == after) << "fault " << n << ": the files differ from a run without faults:\n"
                                          << now.DiffFrom(after);
                EXPECT_EQ(r.out, clean.out);
                if (!fs::exists(mark) || HasFailure())
                    return failed; // past the command's last call
                continue;
            }
            ++failed;
            EXPECT_EQ(r.exitCode, 2) << "fault " << n << ": " << r.err;
            EXPECT_EQ(Lines(r.err), 1) << "fault " << n << ":\n" << r.err;
            EXPECT_TRUE(now == before) << "fault " << n << " (" << r.err << ") changed the files:\n"
                                   << now.DiffFrom(before);
            if (HasFailure())
                return failed;
        }
        ADD_FAILURE() << "the command never succeeded";
        return 0;
    }

    std::string At(const std::string& name) const { return work + "/" + name; }
    void InitProject() const { ASSERT_EQ(RunWizhost({"project", "init", At("proj")}).exitCode, 0); }

    wiztest::ScratchDir scratch;
    std::string work;
};

const char kDeck[] = "3DFLOW_MOLD_TEMPERATURE: 40\r\n3DFLOW_VELOCITY_PROFILE: 0 50 \\\r\n100 100\r\n"
                     "_WIZARD_PAGE: 2\r\nDESCRIPTION: plate\r\n";

} // namespace

TEST_F(FaultInjection, KeywordCommands)
{
    auto deck = [&] { wiztest::WriteBytes(At("deck.kwd"), kDeck); };
    EXPECT_GT(RunEveryFault(deck, {"kw", "set", At("deck.kwd"), "3DFLOW_MOLD_TEMPERATURE", "45"}), 3);
    RunEveryFault(deck, {"kw", "set-double", At("deck.kwd"), "3DFLOW_TOLERANCE", "0.00001"});
    RunEveryFault(deck, {"kw", "remove", At("deck.kwd"), "_WIZARD_PAGE"});
    RunEveryFault([&] { deck(); wiztest::WriteBytes(At("out.kwd"), "OLD: 1\n"); },
                  {"kw", "normalize", At("deck.kwd"), At("out.kwd")});
}

TEST_F(FaultInjection, BoundaryConditionCommands)
{
    auto set = [&] {
        wiztest::WriteBytes(At("in.bc3"), "*NODAL INLET\r\n\t1\t2\r\n*ELEMENTAL MOLDMAT\r\n\t12\t5.000000\t1\r\n");
        wiztest::WriteBytes(At("out.bc3"), "old\n");
    };
    EXPECT_GT(RunEveryFault(set, {"bc", "normalize", At("in.bc3"), At("out.bc3")}), 3);
    RunEveryFault(set, {"bc", "set-mold-material", At("in.bc3"), "12", "101"});
}

TEST_F(FaultInjection, ProjectCommands)
{
    // init: a copy of the sample project, or nothing at all.
    EXPECT_GT(RunEveryFault([] {}, {"project", "init", At("proj")}), 20);
    RunEveryFault([] {}, {"project", "init", At("empty"), "--empty"});
    auto project = [&] {
        InitProject();
        wiztest::WriteBytes(At("notes.txt"), "gate moved 5 mm\n");
    };
    // add copies a file in: the copy and the node come together or not at all.
    EXPECT_GT(RunEveryFault(project, {"project", "add", At("proj"), At("notes.txt"), "--type", "8", "--subtype",
                                      "0", "--parent", "3", "--label", "Notes"}),
              3);
    RunEveryFault(project, {"project", "remove", At("proj"), "3"});
}

TEST_F(FaultInjection, NumberedNames)
{
    auto counter = [&] {
        fs::create_directories(At("m"));
        wiztest::WriteBytes(At("m/tessarin.ctr"), "7\n");
        wiztest::WriteBytes(At("m/mesh7.udm"), "");
    };
    EXPECT_GT(RunEveryFault(counter, {"path", "unique", At("m/Mesh12.stl"), "udm"}), 1);
}

// Finish reads the defaults, saves the bound values, takes a number from the
// counter file, writes the input file and adds its node with its label: a
// fault at any step leaves the project as it was.
TEST_F(FaultInjection, TranslatorFinish)
{
    auto run = [&](const char* node, const char* script) {
        return RunEveryFault([&] { InitProject(); }, {"run", "translate", "--project", At("proj"), "--node", node,
                                                      "--script", wiztest::SourcePath(std::string("data/scripts/") + script)});
    };
    // A new numbered input with its mesh label; the IGES model also writes
    // the settings, which lie outside the project.
    EXPECT_GT(run("21", "translate-stl.script"), 3);
    run("1", "translate-iges-mdl.script");
    // In place: the translation input of node 2 rewritten, its node relabelled.
    run("2", "translate-iges-mdl.script");
}

// Finish saves the bound values, then writes the analysis file: a new
// numbered input with its node, or the edited input rewritten and its node
// updated. A fault at any step leaves the project as it was.
// The journal of a terminal run is written before each step is taken; a
// step it cannot hold is not taken, so a failed run leaves the project as it
// was. The journal itself lies outside the compared files: after a failure it
// holds the steps taken up to there, which is what it is for.
TEST_F(FaultInjection, TerminalRunWithItsJournal)
{
    const std::string journal = scratch / "session.agent";
    const std::string steps = "click IDC_TRANS_MILLIMETRES\nnext\nclick IDC_TRANS_BY_EDGE_LENGTH\n"
                              "type IDC_TRANS_EDGE_LENGTH 2\nnext\nfinish\n";
    const int faults = RunEveryFault(
        [&] { InitProject(); }, {"run", "translate", "--project", At("proj"), "--node", "21", "--tty", "--journal", journal}, steps);
    EXPECT_GT(faults, 6); // the journal's writes are among them
    EXPECT_EQ(wiztest::ReadBytes(journal).substr(wiztest::ReadBytes(journal).find('\n') + 1),
              "click IDC_TRANS_MILLIMETRES\nnext\nclick IDC_TRANS_BY_EDGE_LENGTH\ntype IDC_TRANS_EDGE_LENGTH \"2\"\n"
              "next\nfinish\n");
}

TEST_F(FaultInjection, FlowFinish)
{
    auto run = [&](const char* node, const char* script) {
        return RunEveryFault([&] { InitProject(); }, {"run", "flow", "--project", At("proj"), "--node", node,
                                                      "--script", wiztest::SourcePath(std::string("data/scripts/") + script)});
    };
    // A new analysis below the plate's material.
    EXPECT_GT(run("4", "flow-fill-pack.script"), 3);
    // The restart input of node 41 edited in place.
    run("41", "flow-restart-midplane.script");
    // Valve-gate times written into the working file on Next and on Back: a
    // failed write keeps the page (and the script stops there).
    EXPECT_GT(run("4", "flow-valve-gates.script"), 3);
}

// The gas cylinder grid writes the working file at every change of the gas
// process and on OK. A fault there shows its message and keeps the dialog
// open, so the session stops with the project as it was.
TEST_F(FaultInjection, FlowGasCylinders)
{
    InitProject();
    const std::string material = wizrun::NodeId(At("proj"), "material1.mtl");
    EXPECT_GT(RunEveryFault([&] { InitProject(); },
                            {"run", "flow", "--project", At("proj"), "--node", material, "--flags", "2", "--script",
                             wiztest::SourcePath("data/scripts/flow-gas-cylinders.script")}),
              5);
}

// Finish saves the bound values, makes the automatic boundary-condition set
// under a numbered name and writes the input with its node; editing an
// input rewrites its file and updates its node. A fault at any step leaves
// the set, the counter, the input and the project as they were.
TEST_F(FaultInjection, CoolFinish)
{
    auto run = [&](const std::function<void()>& prepare, const std::string& node, const char* script) {
        return RunEveryFault(prepare, {"run", "cool", "--project", At("proj"), "--node", node, "--script",
                                       wiztest::SourcePath(std::string("data/scripts/") + script)});
    };
    // Node 4 is the plate's material: a new input and a new set.
    EXPECT_GT(run([&] { InitProject(); }, "4", "cool-automatic.script"), 3);
    // The input made by the first script, edited in place by the second.
    std::string edited;
    auto made = [&] {
        InitProject();
        auto r = RunWizhost({"run", "cool", "--project", At("proj"), "--node", "4", "--script",
                             wiztest::SourcePath("data/scripts/cool-three-inlets.script")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::string mark = "result node: ";
        const std::size_t at = r.out.find(mark);
        ASSERT_NE(at, std::string::npos) << r.out;
        edited = r.out.substr(at + mark.size(), r.out.find(' ', at + mark.size()) - at - mark.size());
    };
    fs::remove_all(work);
    fs::create_directories(work);
    made();
    EXPECT_GT(run(made, edited, "cool-total-flow.script"), 2);
}

// Finish saves the bound values, then either makes a new input and its node
// in one change of the project, or rewrites an input in place and updates
// its node: a fault at any step leaves the project as it was.
TEST_F(FaultInjection, WarpFinish)
{
    auto run = [&](const std::function<void()>& prepare, const char* wizard, const char* node, const char* script) {
        return RunEveryFault(prepare, {"run", wizard, "--project", At("proj"), "--node", node, "--script",
                                       wiztest::SourcePath(std::string("data/scripts/") + script)});
    };
    // A new input below the material (node 4).
    EXPECT_GT(run([&] { InitProject(); }, "warp", "4", "warp-new.script"), 3);
    run([&] { InitProject(); }, "stress", "4", "stress-large-auto.script");
    // In place: the warpage input of node 10 rewritten and its node updated;
    // its shrinkage taken from the thermal stresses, so the wizard opens.
    auto thermal = [&] {
        InitProject();
        ASSERT_EQ(RunWizhost({"kw", "set", At("proj/warp1.win"), "3DSTRUCT_SHRINK_DATA_SOURCE", "THERMAL_STRESS"})
                      .exitCode,
                  0);
    };
    EXPECT_GT(run(thermal, "warp", "10", "warp-new.script"), 3);
}

// The preparation wizard's Finish is the chosen wizard's: from the packed
// flow result into a new warpage input, every fault leaves the project as
// it was.
TEST_F(FaultInjection, PreparationFinish)
{
    InitProject();
    const std::string packed = wizrun::NodeId(At("proj"), "flow1.flr");
    EXPECT_GT(RunEveryFault([&] { InitProject(); },
                            {"run", "prepare", "--project", At("proj"), "--node", packed, "--script",
                             wiztest::SourcePath("data/scripts/prepare-result-warp.script")}),
              3);
}
