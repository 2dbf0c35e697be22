// wizhost run --journal: what a person did at the terminal, written as a
// script that replays to the same file; and the arguments of --web.
#include "WizardRunSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using wiztest::RunWizhost;

namespace {

class JournalRun : public ::testing::Test {
protected:
    void SetUp() override { setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1); }
    void TearDown() override { unsetenv("WIZ_SETTINGS"); }

    std::string Project(const std::string& name)
    {
        const std::string p = dir / name;
        EXPECT_EQ(RunWizhost({"project", "init", p}).exitCode, 0);
        return p;
    }
    wiztest::RunResult Translate(const std::string& project, std::vector<std::string> extra,
                                 const std::string& input = "")
    {
        std::vector<std::string> args = {"run", "translate", "--project", project, "--node",
                                         wizrun::NodeId(project, "plate.stl")};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunWizhost(args, input);
    }

    wiztest::ScratchDir dir;
};

} // namespace

TEST_F(JournalRun, TheTerminalSessionReplaysToTheSameMeshFile)
{
    const std::string byHand = Project("tty"), journal = dir / "session.agent";
    // Mistakes and looks are not steps: a missing control, a typo, an
    // expectation and a click on a greyed choice leave no line behind.
    const auto r = Translate(byHand, {"--tty", "--journal", journal},
                             "click Nowhere\nclack\nexpect dialog IDD_TRANSLATOR_PAGE1\n"
                             "click IDC_TRANS_TET_MESH\nclick IDC_TRANS_MILLIMETRES\nnext\n"
                             "click IDC_TRANS_BY_EDGE_LENGTH\ntype IDC_TRANS_EDGE_LENGTH 2\nnext\n"
                             "type \"Mesh description:\"   Plate surface mesh\nfinish\n");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(wiztest::ReadBytes(journal),
              "# wizhost run translate --node " + wizrun::NodeId(byHand, "plate.stl") +
                  ": the steps taken, for --script\n"
              "click IDC_TRANS_MILLIMETRES\nnext\nclick IDC_TRANS_BY_EDGE_LENGTH\n"
              "type IDC_TRANS_EDGE_LENGTH \"2\"\nnext\ntype \"Mesh description:\" \"Plate surface mesh\"\nfinish\n");

    const std::string replayed = Project("replay");
    const auto replay = Translate(replayed, {"--script", journal});
    ASSERT_EQ(replay.exitCode, 0) << replay.err;
    EXPECT_EQ(replay.out, r.out.substr(r.out.find("result node:")));
    EXPECT_EQ(wizrun::Normalised(replayed, "plate4.092"), wizrun::Normalised(byHand, "plate4.092"));
}

TEST_F(JournalRun, AnAnsweredMessageBoxIsAStepToo)
{
    const std::string project = Project("box"), journal = dir / "box.agent";
    const std::string before = wiztest::ReadBytes(project + "/project.zqp");
    // Enter at the box takes its default button, and the journal names it.
    const auto r = Translate(project, {"--tty", "--journal", journal},
                             "next\nclick IDC_TRANS_BY_EDGE_LENGTH\ntype IDC_TRANS_EDGE_LENGTH two\nnext\n\ncancel\n");
    ASSERT_EQ(r.exitCode, 1) << r.err;
    const std::string steps = wiztest::ReadBytes(journal);
    EXPECT_NE(steps.find("next\nanswer OK\ncancel\n"), std::string::npos) << steps;
    wiztest::WriteBytes(journal, steps + "expect message Please enter a number.\n");
    const auto replay = Translate(project, {"--script", journal});
    EXPECT_EQ(replay.exitCode, 1) << replay.err;
    EXPECT_EQ(wiztest::ReadBytes(project + "/project.zqp"), before);
}

TEST_F(JournalRun, BadWebAndJournalArgumentsStopBeforeAnyPage)
{
    const std::string project = Project("args");
    const std::string script = wiztest::SourcePath("data/scripts/translate-stl.script");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--web", "--tty"}, "give one of --script FILE, --tty and --web"},
        {{"--web", "--script", script}, "give one of"},
        {{"--tty", "--port", "8080"}, "--port goes with --web"},
        {{"--script", script, "--journal", dir / "j"}, "--journal records --tty or --web runs"},
        {{"--web", "--port", "http"}, "--port 'http' is not a port"},
        {{"--web", "--port", "65536"}, "is not a port"},
        {{"--tty", "--journal", dir / "missing/j.agent"}, "journal"},
    };
    for (const auto& [extra, message] : cases) {
        const auto r = Translate(project, extra);
        EXPECT_EQ(r.exitCode, 2) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("url:"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "j"));
}
