// Every wizhost command that writes, killed (SIGKILL) at random points: the
// files must always be as they were before the command or as a whole run
// leaves them, never in between. Temporary files of a killed writer are
// allowed to stay (the next writer of the project clears them). The count
// per command is small here; `make soak` sets WIZ_SOAK_KILLS to hundreds.
#include "WizardRunSupport.h"
#include "support/FileTreeSnapshot.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <algorithm>
#include <functional>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using wiztest::FileTree;
using wiztest::RunWizhost;

namespace {

namespace fs = std::filesystem;

int KillsPerCommand()
{
    const char* soak = std::getenv("WIZ_SOAK_KILLS");
    return soak && std::atoi(soak) > 0 ? std::atoi(soak) : 12;
}

// Starts wizhost with its output thrown away and `input` (a file; "" for
// none) as its standard input; returns the child's pid.
pid_t Spawn(const std::vector<std::string>& args, const std::string& input = "")
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        const int in = input.empty() ? null : ::open(input.c_str(), O_RDONLY);
        ::dup2(in, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        wiztest::ExecWizhost(args);
    }
    return pid;
}

// The folder without the temporary files a killed writer may leave.
FileTree WithoutTemporaries(const std::string& root)
{
    std::error_code ec;
    std::vector<fs::path> temporaries;
    for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (it->path().filename().string().find(".wiztmp") != std::string::npos)
            temporaries.push_back(it->path());
    for (const fs::path& p : temporaries)
        fs::remove_all(p, ec);
    return FileTree::Read(root);
}

// Whether `diff` lists only added files, each of them one of `files`.
bool OnlyAdded(const std::string& diff, const std::vector<std::string>& files)
{
    if (diff.empty())
        return false;
    std::size_t start = 0;
    for (std::size_t end; (end = diff.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = diff.substr(start, end - start);
        if (std::find_if(files.begin(), files.end(), [&](const std::string& f) { return line == "  added " + f; }) ==
            files.end())
            return false;
    }
    return true;
}

// What a run needs beyond its arguments: what it reads on standard input,
// and a look at files outside the compared folder before and after each run
// (the reference run first, then each killed one).
struct SKillRun {
    std::string input;
    std::function<void()> beforeEach;
    std::function<void(bool reference)> afterEach;
};

class KillInjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("WIZ_SETTINGS", (scratch / "settings.ini").c_str(), 1);
        work = scratch / "work";
    }
    void TearDown() override { unsetenv("WIZ_SETTINGS"); }

    // `unlisted`: files that may stay beside an unchanged project (a copy
    // made just before the kill, which no node refers to; a number taken
    // from the counter file for it).
    void KillAtRandom(const std::function<void()>& prepare, const std::vector<std::string>& args,
                      const std::vector<std::string>& unlisted = {}, const SKillRun& run = {})
    {
        fs::remove_all(work);
        fs::create_directories(work);
        prepare();
        const FileTree before = FileTree::Read(work);
        const std::string input = scratch / "stdin";
        wiztest::WriteBytes(input, run.input);
        if (run.beforeEach)
            run.beforeEach();
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(RunWizhost(args, run.input).exitCode, 0);
        const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
        const FileTree after = FileTree::Read(work);
        if (run.afterEach)
            run.afterEach(true);

        std::mt19937 random(12345);
        std::uniform_int_distribution<long> delay(0, took.count() + 500);
        int sawBefore = 0, sawAfter = 0;
        for (int k = 0; k < KillsPerCommand(); ++k) {
            before.WriteTo(work);
            if (run.beforeEach)
                run.beforeEach();
            const pid_t pid = Spawn(args, input);
            ASSERT_GT(pid, 0);
            ::usleep(static_cast<useconds_t>(delay(random)));
            ::kill(pid, SIGKILL);
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            FileTree now = WithoutTemporaries(work);
            if (OnlyAdded(now.DiffFrom(before), unlisted)) {
                for (const std::string& file : unlisted)
                    fs::remove(At(file));
                now = FileTree::Read(work);
            }
            const bool isBefore = now == before, isAfter = now == after;
            sawBefore += isBefore;
            sawAfter += isAfter;
            ASSERT_TRUE(isBefore || isAfter) << "kill " << k << " left the files half changed:\n"
                                             << now.DiffFrom(before) << "against the state after:\n"
                                             << now.DiffFrom(after);
            if (run.afterEach)
                run.afterEach(false);
        }
        RecordProperty("before", sawBefore);
        RecordProperty("after", sawAfter);
    }

    std::string At(const std::string& name) const { return work + "/" + name; }

    wiztest::ScratchDir scratch;
    std::string work;
};

// A deck big enough that a kill lands in the middle of writing it.
std::string BigDeck()
{
    std::string text;
    for (int i = 0; i < 60000; ++i)
        text += "KEYWORD_" + std::to_string(i) + ": " + std::to_string(i * 7) + " some text\r\n";
    return text;
}

std::string BigBoundarySet()
{
    std::string text = "*ELEMENTAL MOLDMAT\r\n";
    for (int i = 1; i < 120000; ++i)
        text += "\t" + std::to_string(i) + "\t5.000000\t1\r\n";
    return text;
}

} // namespace

TEST_F(KillInjection, KeywordCommands)
{
    const std::string deck = BigDeck();
    auto prepare = [&] { wiztest::WriteBytes(At("deck.kwd"), deck); };
    KillAtRandom(prepare, {"kw", "set", At("deck.kwd"), "KEYWORD_5", "changed"});
    KillAtRandom(prepare, {"kw", "set-double", At("deck.kwd"), "NEW", "0.5"});
    KillAtRandom(prepare, {"kw", "remove", At("deck.kwd"), "KEYWORD_7"});
    KillAtRandom([&] { prepare(); wiztest::WriteBytes(At("out.kwd"), "OLD: 1\n"); },
                 {"kw", "normalize", At("deck.kwd"), At("out.kwd")});
}

TEST_F(KillInjection, BoundaryConditionCommands)
{
    const std::string set = BigBoundarySet();
    auto prepare = [&] {
        wiztest::WriteBytes(At("in.bc3"), set);
        wiztest::WriteBytes(At("out.bc3"), "old\n");
    };
    KillAtRandom(prepare, {"bc", "normalize", At("in.bc3"), At("out.bc3")});
    KillAtRandom(prepare, {"bc", "set-mold-material", At("in.bc3"), "12", "101"});
}

TEST_F(KillInjection, ProjectCommands)
{
    KillAtRandom([] {}, {"project", "init", At("proj")});
    auto project = [&] {
        ASSERT_EQ(RunWizhost({"project", "init", At("proj")}).exitCode, 0);
        wiztest::WriteBytes(At("notes.txt"), std::string(1 << 20, 'n'));
    };
    KillAtRandom(project, {"project", "add", At("proj"), At("notes.txt"), "--type", "8", "--subtype", "0"},
                 {"proj/notes.txt"});
    KillAtRandom(project, {"project", "remove", At("proj"), "3"});
}

TEST_F(KillInjection, NumberedNames)
{
    KillAtRandom([&] { wiztest::WriteBytes(At("tessarin.ctr"), "7\n"); },
                 {"path", "unique", At("Mesh12.stl"), "udm"});
}

TEST_F(KillInjection, TranslatorFinish)
{
    // The wizard's scratch file lives in the temporary folder, outside the
    // project; a killed run may leave it there, as any killed program may.
    const std::string temporary = scratch / "tmp";
    fs::create_directories(temporary);
    setenv("TMPDIR", temporary.c_str(), 1);
    auto project = [&] { ASSERT_EQ(RunWizhost({"project", "init", At("proj")}).exitCode, 0); };
    const std::string script = wiztest::SourcePath("data/scripts/translate-stl.script");
    // A new numbered input, and the in-place rewrite of node 22's input.
    // The input is written before the node that lists it: a kill between
    // the two leaves an input no node refers to, with its number taken.
    KillAtRandom(project, {"run", "translate", "--project", At("proj"), "--node", "21", "--script", script},
                 {"proj/plate4.092", "proj/tessarin.ctr"});
    KillAtRandom(project, {"run", "translate", "--project", At("proj"), "--node", "22", "--script", script},
                 {"proj/plate2.092"});
    unsetenv("TMPDIR");
}

// The analysis wizards write their input (and the cooling wizard its
// automatic boundary-condition set) before the node that lists it: a kill in
// between leaves files no node refers to, with their number taken.
TEST_F(KillInjection, AnalysisFinish)
{
    const std::string temporary = scratch / "tmp";
    fs::create_directories(temporary);
    setenv("TMPDIR", temporary.c_str(), 1);
    auto project = [&] { ASSERT_EQ(RunWizhost({"project", "init", At("proj")}).exitCode, 0); };
    auto run = [&](const char* wizard, const char* script, const std::vector<std::string>& unlisted) {
        KillAtRandom(project,
                     {"run", wizard, "--project", At("proj"), "--node", "4", "--script",
                      wiztest::SourcePath(std::string("data/scripts/") + script)},
                     unlisted);
    };
    run("flow", "flow-fill-pack.script", {"proj/flow2.fin", "proj/tessarin.ctr"});
    run("flow", "flow-valve-gates.script", {"proj/flow2.fin", "proj/tessarin.ctr"});
    run("cool", "cool-automatic.script", {"proj/cool2.cin", "proj/plainmold1.bc3", "proj/tessarin.ctr"});
    run("warp", "warp-new.script", {"proj/warp2.win", "proj/tessarin.ctr"});
    // A gas analysis rewrites its working file at every change of the gas
    // process; that file lives in the temporary folder, not the project.
    const std::string sample = scratch / "sample";
    ASSERT_EQ(RunWizhost({"project", "init", sample}).exitCode, 0);
    const std::string material = wizrun::NodeId(sample, "material1.mtl");
    KillAtRandom(project,
                 {"run", "flow", "--project", At("proj"), "--node", material, "--flags", "2", "--script",
                  wiztest::SourcePath("data/scripts/flow-gas-cylinders.script")},
                 {"proj/flow2.fin", "proj/tessarin.ctr"});
    // The preparation wizard hands over to the warpage wizard, which writes.
    fs::remove_all(At("proj"));
    project();
    const std::string packed = wizrun::NodeId(At("proj"), "flow1.flr");
    KillAtRandom(project,
                 {"run", "prepare", "--project", At("proj"), "--node", packed, "--script",
                  wiztest::SourcePath("data/scripts/prepare-result-warp.script")},
                 {"proj/warp2.win", "proj/tessarin.ctr"});
    unsetenv("TMPDIR");
}

// A terminal run's journal is replaced whole before each step is taken: a
// kill leaves no journal or the steps of the run so far, never part of a
// line, and the project as it was or as the whole run leaves it.
TEST_F(KillInjection, TerminalRunJournal)
{
    const std::string temporary = scratch / "tmp";
    fs::create_directories(temporary);
    setenv("TMPDIR", temporary.c_str(), 1);
    const std::string journal = scratch / "session.agent";
    std::string whole;
    int partial = 0;
    SKillRun run;
    run.input = "click IDC_TRANS_MILLIMETRES\nnext\nclick IDC_TRANS_BY_EDGE_LENGTH\n"
                "type IDC_TRANS_EDGE_LENGTH 2\nnext\nfinish\n";
    run.beforeEach = [&] { fs::remove(journal); };
    run.afterEach = [&](bool reference) {
        if (reference) {
            whole = wiztest::ReadBytes(journal);
            ASSERT_NE(whole.find("finish\n"), std::string::npos) << whole;
            return;
        }
        if (!fs::exists(journal))
            return;
        const std::string now = wiztest::ReadBytes(journal);
        ASSERT_TRUE(!now.empty() && now.back() == '\n' && whole.compare(0, now.size(), now) == 0)
            << "the journal is not a whole-line beginning of the run's journal:\n" << now;
        partial += now != whole;
    };
    KillAtRandom([&] { ASSERT_EQ(RunWizhost({"project", "init", At("proj")}).exitCode, 0); },
                 {"run", "translate", "--project", At("proj"), "--node", "21", "--tty", "--journal", journal},
                 {"proj/plate4.092", "proj/tessarin.ctr"}, run);
    RecordProperty("partial journals", partial);
    unsetenv("TMPDIR");
}
