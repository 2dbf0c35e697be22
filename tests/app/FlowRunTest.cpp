// wizhost run flow: the flow analysis wizard driven by scripts on a fresh copy
// of the sample project, its analysis files checked against golden files (the
// project folder written as $PROJECT). WIZ_UPDATE_GOLDEN=1 rewrites them.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

using wiztest::RunWizhost;

namespace {

std::string Golden(const std::string& name) { return wiztest::SourcePath("tests/app/golden/" + name); }
std::string Script(const std::string& name) { return wiztest::SourcePath("data/scripts/" + name); }

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
        text.replace(pos, from.size(), to);
    return text;
}

class FlowRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The wizard remembers settings (and the machine database folder):
        // keep them away from the user's.
        setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1);
        project = dir / "proj";
        ASSERT_EQ(RunWizhost({"project", "init", project}).exitCode, 0);
    }
    void TearDown() override { unsetenv("WIZ_SETTINGS"); }

    // The id of the node whose file (or, failing that, label) is `name`.
    std::string Node(const std::string& name)
    {
        std::istringstream tree(RunWizhost({"project", "tree", project}).out);
        for (std::string line; std::getline(tree, line);) {
            const bool byFile = line.size() > name.size() && line.ends_with(" " + name);
            const bool byLabel = line.find("\"" + name + "\"") != std::string::npos;
            if (byFile || byLabel) {
                std::istringstream words(line);
                std::string id;
                words >> id;
                return id;
            }
        }
        ADD_FAILURE() << "no node " << name;
        return "-1";
    }

    wiztest::RunResult Run(const std::string& node, const std::string& script, std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = {"run", "flow", "--project", project, "--node", node, "--script", script};
        args.insert(args.end(), extra.begin(), extra.end());
        return RunWizhost(args);
    }

    wiztest::RunResult RunText(const std::string& node, const std::string& text, std::vector<std::string> extra = {})
    {
        const std::string path = dir / ("script" + std::to_string(++scripts) + ".script");
        wiztest::WriteBytes(path, text);
        return Run(node, path, std::move(extra));
    }

    std::string Written(const std::string& name)
    {
        const std::string bytes = wiztest::ReadBytes(project + "/" + name);
        return ReplaceAll(ReplaceAll(bytes, "\r\n", "\n"), project, "$PROJECT");
    }

    // The written file matches its golden file, and was written with CR LF.
    void ExpectGolden(const std::string& written, const std::string& golden)
    {
        const std::string bytes = wiztest::ReadBytes(project + "/" + written);
        ASSERT_FALSE(bytes.empty()) << written;
        EXPECT_NE(bytes.find("\r\n"), std::string::npos);
        const std::string text = Written(written);
        if (const char* update = std::getenv("WIZ_UPDATE_GOLDEN"); update && *update == '1')
            wiztest::WriteBytes(Golden(golden), text);
        EXPECT_EQ(text, wiztest::ReadBytes(Golden(golden))) << golden;
    }

    std::string Tree() { return RunWizhost({"project", "tree", project}).out; }

    wiztest::ScratchDir dir;
    std::string project;
    int scripts = 0;
};

} // namespace

TEST_F(FlowRun, FreshFillAndPackOnTheMidplane)
{
    auto r = Run(Node("material1.mtl"), Script("flow-fill-pack.script"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("file: flow2.fin\njob submission: 0 (run now)\n"), std::string::npos) << r.out;
    ExpectGolden("flow2.fin", "flow-fill-pack.fin");
    // The input sits below the material, its pending result below it.
    const std::string tree = Tree();
    EXPECT_NE(tree.find("state 1 \"Fill and pack, PP at 240 deg.C\" flow2.fin\n"), std::string::npos) << tree;
    EXPECT_NE(tree.find("flow2.flr\n"), std::string::npos) << tree;
}
