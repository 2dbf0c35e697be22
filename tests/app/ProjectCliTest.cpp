// wizhost project: a session on a copy of the sample project, and bad input
// that must leave the project as it was.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using wiztest::RunWizhost;

namespace {

int Lines(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// The lines of the subtree that starts at the line holding `what`: that line
// and the more deeply indented lines right after it.
int SubtreeLines(const std::string& tree, const std::string& what)
{
    std::istringstream in(tree);
    int count = 0;
    std::size_t depth = std::string::npos;
    for (std::string line; std::getline(in, line);) {
        const std::size_t indent = line.find_first_not_of(' ');
        if (depth == std::string::npos) {
            if (line.find(what) != std::string::npos) {
                depth = indent;
                count = 1;
            }
        } else if (indent > depth) {
            ++count;
        } else {
            break;
        }
    }
    return count;
}

} // namespace

TEST(ProjectCli, InitTreeAddShowRemove)
{
    wiztest::ScratchDir dir;
    const std::string p = dir / "proj";
    auto r = RunWizhost({"project", "init", p});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string next = std::to_string(wiztest::SampleProjectNextId());
    EXPECT_NE(r.out.find(next + " nodes"), std::string::npos) << r.out;

    r = RunWizhost({"project", "tree", p});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("0 type 0 sub-type 0 state 0 \"Sample project\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n    3 type 3 sub-type 20 state 0 \"Midplane mesh\" plate1.zql\n"), std::string::npos);
    EXPECT_NE(r.out.find("        5 type 6 sub-type 27 state 0"), std::string::npos);

    wiztest::WriteBytes(dir / "notes.txt", "gate moved 5 mm\n");
    r = RunWizhost({"project", "add", p, dir / "notes.txt", "--type", "8", "--subtype", "0", "--parent", "3",
                    "--label", "Notes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, next + "\n");
    EXPECT_TRUE(std::filesystem::exists(p + "/notes.txt")); // copied into the project

    r = RunWizhost({"project", "show", p, next});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("parent: 3\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("label: Notes\n"), std::string::npos);
    r = RunWizhost({"project", "show", p, "4"}); // a material: its keyword file follows
    EXPECT_NE(r.out.find("MATERIAL_NAME: PP homopolymer, MFI 12\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\r'), std::string::npos);

    const std::string before = RunWizhost({"project", "tree", p}).out;
    ASSERT_EQ(RunWizhost({"project", "remove", p, "3"}).exitCode, 0);
    r = RunWizhost({"project", "tree", p});
    EXPECT_EQ(r.out.find("plate1.zql"), std::string::npos);
    // The midplane took all its descendants with it.
    EXPECT_EQ(Lines(r.out), Lines(before) - SubtreeLines(before, "\"Midplane mesh\" plate1.zql"));
    EXPECT_GT(SubtreeLines(before, "\"Midplane mesh\" plate1.zql"), 10);

    const std::string empty = dir / "empty";
    ASSERT_EQ(RunWizhost({"project", "init", empty, "--empty"}).exitCode, 0);
    EXPECT_EQ(Lines(RunWizhost({"project", "tree", empty}).out), 1);
}

TEST(ProjectCli, BadInputIsOneLineAndChangesNothing)
{
    wiztest::ScratchDir dir;
    const std::string p = dir / "proj";
    ASSERT_EQ(RunWizhost({"project", "init", p}).exitCode, 0);
    const std::string before = wiztest::ReadBytes(p + "/project.zqp");
    wiztest::WriteBytes(dir / "a.txt", "x");

    const std::vector<std::vector<std::string>> bad = {
        {"project", "tree", dir / "missing"},
        {"project", "show", p, "999"},
        {"project", "show", p, "three"},
        {"project", "remove", p, "999"},
        {"project", "remove", p, "0"},
        {"project", "add", p, dir / "a.txt", "--type", "mesh", "--subtype", "20"},
        {"project", "add", p, dir / "a.txt", "--type", "3", "--subtype", "20", "--parent", "999"},
        {"project", "add", p, dir / "a.txt", "--type", "42", "--subtype", "0"},
        {"project", "add", p, dir / "missing.txt", "--type", "8", "--subtype", "0"},
        {"project", "add", p, dir / "a.txt", "--type", "8"},
        {"project", "add", dir / "missing", dir / "a.txt", "--type", "8", "--subtype", "0"},
        {"project", "init", p},
        {"project", "frobnicate"},
        {"project", "materials", "--colour", "red"},
    };
    for (const auto& args : bad) {
        auto r = RunWizhost(args);
        EXPECT_EQ(r.exitCode, 2) << args[1] << " " << args.back();
        EXPECT_EQ(Lines(r.err), 1) << r.err;
        EXPECT_EQ(r.err.rfind("wizhost: ", 0), 0u) << r.err;
        EXPECT_EQ(wiztest::ReadBytes(p + "/project.zqp"), before) << args[1];
    }
    EXPECT_FALSE(std::filesystem::exists(p + "/a.txt"));

    // A damaged project file is named, and left alone.
    wiztest::WriteBytes(p + "/project.zqp", before.substr(0, 200));
    auto r = RunWizhost({"project", "add", p, dir / "a.txt", "--type", "8", "--subtype", "0"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("cut short"), std::string::npos) << r.err;
    EXPECT_EQ(wiztest::ReadBytes(p + "/project.zqp"), before.substr(0, 200));
}

TEST(ProjectCli, MaterialsSearch)
{
    auto r = RunWizhost({"project", "materials"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), 8);
    r = RunWizhost({"project", "materials", "--search", "thermo EPOXY"});
    EXPECT_EQ(r.exitCode, 1); // "thermo" is in no name, maker or family
    r = RunWizhost({"project", "materials", "--search", "epoxy"});
    EXPECT_EQ(r.out, "Linden EMC 700 epoxy | Linden Systems | EPOXY | thermoset | epoxy_emc_linden.mtl\n");
}
