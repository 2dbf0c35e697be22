// wizhost kw check and kw diff: decks read through the bindings of the wizard
// they belong to. The wizards' own Finish output (the golden files of the run
// tests) must check clean; one fault of each kind must give one line each.
#include "WizardRunSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using wiztest::RunWizhost;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class KeywordCheckCli : public ::testing::Test {
protected:
    void SetUp() override { setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1); }
    void TearDown() override { unsetenv("WIZ_SETTINGS"); }

    // A golden Finish output copied out, with `changes` made through kw set.
    std::string Deck(const std::string& golden, const std::vector<std::pair<std::string, std::string>>& changes = {})
    {
        const std::string path = dir / ("deck" + std::to_string(++decks) + std::filesystem::path(golden).extension().string());
        wiztest::WriteBytes(path, wiztest::ReadBytes(wizrun::Golden(golden)));
        for (const auto& [keyword, value] : changes) {
            const auto r = RunWizhost({"kw", "set", path, keyword, value});
            EXPECT_EQ(r.exitCode, 0) << r.err;
        }
        return path;
    }

    wiztest::ScratchDir dir;
    int decks = 0;
};

} // namespace

TEST_F(KeywordCheckCli, EveryWizardsFinishOutputChecksCleanAndFindsItsWizard)
{
    const std::pair<const char*, const char*> outputs[] = {
        {"flow-fill-pack.fin", "flow"},        {"flow-molding-window.fin", "flow"},
        {"flow-gate-location.fin", "flow"},    {"flow-optimum-machine.fin", "flow"},
        {"flow-restart-3d.fin", "flow"},       {"flow-switch-over-node.fin", "flow"},
        {"cool-automatic.cin", "cool"},        {"cool-2d.cin", "cool"},
        {"cool-three-inlets.cin", "cool"},     {"warp-new.win", "warp"},
        {"stress-large-auto.sin", "stress"},   {"translate-iges-builtin.081", "translate"},
        {"translate-nastran-tet.092", "translate"},
    };
    for (const auto& [golden, wizard] : outputs) {
        const auto r = RunWizhost({"kw", "check", wizrun::Golden(golden), "-v"});
        EXPECT_EQ(r.exitCode, 0) << golden << "\n" << r.out << r.err;
        EXPECT_EQ(r.out, "") << golden;
        EXPECT_NE(r.err.find(std::string("the ") + wizard + " wizard"), std::string::npos) << golden << ": " << r.err;
    }
    // The 3D and 2D analyses are found on their own meshes.
    EXPECT_NE(RunWizhost({"kw", "check", wizrun::Golden("flow-restart-3d.fin"), "-v"}).err.find("a 3D mesh"),
              std::string::npos);
    EXPECT_NE(RunWizhost({"kw", "check", wizrun::Golden("cool-2d.cin"), "-v"}).err.find("a 2D cooling mesh"),
              std::string::npos);
}

TEST_F(KeywordCheckCli, OneFaultOfEachKindGivesOneLineEach)
{
    const std::string deck = Deck("flow-fill-pack.fin", {{"MELT_TEMPERATURE", "480"},
                                                         {"INJECTION", "FAST"},
                                                         {"3DFLOW_ABAQUS_INTERFACE", "YES"},
                                                         {"INJECTION_TIME", "0.9s"},
                                                         {"3DFLOW_FILL_INJECTION_PROFILE_FLOW_VOL", "0 1 1.5"}});
    const auto r = RunWizhost({"kw", "check", deck});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 6u) << r.out;
    EXPECT_EQ(lines[0], "MELT_TEMPERATURE: 480 deg.C is out of range [100:450] deg.C (Melt temperature)");
    EXPECT_NE(lines[1].find("INJECTION: 'FAST' is not one of "), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("INJECTION_TIME: '0.9s' is not a number"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[3].rfind("3DFLOW_FILL_INJECTION_PROFILE_FLOW_VOL: pair 2, first value: 150 % is out of range "
                             "[0:100] %", 0), 0u) << lines[3];
    EXPECT_EQ(lines[4].rfind("3DFLOW_FILL_INJECTION_PROFILE_FLOW_VOL: pair 2 has no second value", 0), 0u);
    EXPECT_EQ(lines[5].rfind("3DFLOW_ABAQUS_INTERFACE: 'YES' is neither ON nor OFF", 0), 0u) << lines[5];

    const auto english = RunWizhost({"kw", "check", deck, "--units", "english"});
    EXPECT_EQ(Lines(english.out).at(0),
              "MELT_TEMPERATURE: 896 deg.F is out of range [212:842] deg.F (Melt temperature)");
}

TEST_F(KeywordCheckCli, RangesTheWizardDerivesFromTheDeckApply)
{
    // The molding window may not start below the no-flow temperature plus 10.
    const std::string deck = Deck("flow-fill-pack.fin", {{"MATERIAL_THERMAL_NO_FLOW_TEMPERATURE_SINGLE", "250"}});
    const auto r = RunWizhost({"kw", "check", deck});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    ASSERT_EQ(Lines(r.out).size(), 1u) << r.out;
    EXPECT_EQ(Lines(r.out)[0].rfind("3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT: 200 deg.C is out of range "
                                    "[260:) deg.C", 0), 0u) << r.out;
}

TEST_F(KeywordCheckCli, ANodeOfAProjectDecidesTheAnalysis)
{
    const std::string project = dir / "proj";
    ASSERT_EQ(RunWizhost({"project", "init", project}).exitCode, 0);
    const std::string deck = Deck("flow-fill-pack.fin");
    const std::string material = wizrun::NodeId(project, "material1.mtl");
    auto r = RunWizhost({"kw", "check", deck, "--project", project, "--node", material, "--wizard", "flow", "-v"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.err.find("the flow wizard on a midplane mesh"), std::string::npos) << r.err;
    const std::string before = wiztest::ReadBytes(project + "/project.zqp");

    r = RunWizhost({"kw", "check", deck, "--project", project, "--node", wizrun::NodeId(project, "flow.bf3"),
                    "--wizard", "flow"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("is not a material, a flow analysis input"), std::string::npos) << r.err;
    EXPECT_EQ(wiztest::ReadBytes(project + "/project.zqp"), before) << "checking changes no project";
}

TEST_F(KeywordCheckCli, BadInputIsExitTwoWithOneLine)
{
    const std::string deck = Deck("flow-fill-pack.fin");
    const std::vector<std::vector<std::string>> bad = {
        {"kw", "check"},
        {"kw", "check", dir / "missing.fin"},
        {"kw", "check", dir.Path().string()},
        {"kw", "check", deck, deck},
        {"kw", "check", deck, "--wizard", "paint"},
        {"kw", "check", deck, "--node", "3"},
        {"kw", "check", deck, "--node", "x", "--project", dir.Path().string()},
        {"kw", "check", deck, "--units", "imperial"},
        {"kw", "check", deck, "--frobnicate"},
        {"kw", "diff", deck},
    };
    for (const auto& args : bad) {
        const auto r = RunWizhost(args);
        EXPECT_EQ(r.exitCode, 2) << args.back() << ": " << r.out;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_NE(RunWizhost({"kw", "check", deck, "--wizard", "paint"}).err.find("available: "), std::string::npos);
    // A deck no wizard reads cannot be checked, and says so.
    wiztest::WriteBytes(dir / "other.kw", "SOMETHING_ELSE: 1\n");
    const auto r = RunWizhost({"kw", "check", dir / "other.kw"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("no wizard binds any keyword"), std::string::npos) << r.err;
}

TEST_F(KeywordCheckCli, DiffShowsChangesInTheUsersUnits)
{
    const std::string a = Deck("flow-fill-pack.fin");
    const std::string b = Deck("flow-fill-pack.fin", {{"MELT_TEMPERATURE", "2.5E+2"}, {"MOLD_TEMPERATURE", "40.0"}});
    ASSERT_EQ(RunWizhost({"kw", "remove", b, "3DFLOW_RAM"}).exitCode, 0);
    ASSERT_EQ(RunWizhost({"kw", "set", b, "NOTE_ADDED", "x"}).exitCode, 0);

    auto r = RunWizhost({"kw", "diff", a, b});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(Lines(r.out), (std::vector<std::string>{"~ MELT_TEMPERATURE: 240 deg.C -> 250 deg.C",
                                                      "- 3DFLOW_RAM: AUTOMATIC", "+ NOTE_ADDED: x"}));
    r = RunWizhost({"kw", "diff", a, b, "--units", "english"});
    EXPECT_EQ(Lines(r.out).at(0), "~ MELT_TEMPERATURE: 464 deg.F -> 482 deg.F");

    r = RunWizhost({"kw", "diff", a, a});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    // Decks no wizard reads are still compared, as text.
    wiztest::WriteBytes(dir / "x.kw", "K: 1.0\n");
    wiztest::WriteBytes(dir / "y.kw", "K: 1\n");
    r = RunWizhost({"kw", "diff", dir / "x.kw", dir / "y.kw"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, "~ K: 1.0 -> 1\n");
}

TEST_F(KeywordCheckCli, FailedWritesInTheScratchProjectAreOneLineAndLeaveNothingBehind)
{
    const std::string deck = Deck("cool-automatic.cin", {{"MELT_TEMPERATURE", "bad"}});
    const std::string temp = dir / "temp";
    std::filesystem::create_directories(temp);
    setenv("TEMP", temp.c_str(), 1);
    const auto clean = RunWizhost({"kw", "check", deck});
    ASSERT_EQ(clean.exitCode, 1) << clean.err;
    int faults = 0;
    for (int n = 1; n < 200; ++n) {
        setenv("WIZ_FAULT_AT", std::to_string(n).c_str(), 1);
        const auto r = RunWizhost({"kw", "check", deck});
        unsetenv("WIZ_FAULT_AT");
        EXPECT_TRUE(std::filesystem::is_empty(temp)) << "fault " << n << " left files in the temporary folder";
        if (r.exitCode != 2) {
            EXPECT_EQ(r.out, clean.out) << "fault " << n;
            break;
        }
        ++faults;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out, "") << "fault " << n;
    }
    unsetenv("TEMP");
    EXPECT_GT(faults, 0) << "the check writes its scratch project";
}
