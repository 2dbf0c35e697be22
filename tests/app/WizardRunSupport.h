#pragma once
// What the `wizhost run` session tests share: the scripts and golden files of
// the repository, a written file compared with its golden file (CR LF and the
// project folder normalised; WIZ_UPDATE_GOLDEN=1 rewrites the golden file),
// and a node found by its file or label rather than by its id.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/TestSupport.h"

namespace wizrun {

inline std::string Golden(const std::string& name) { return wiztest::SourcePath("tests/app/golden/" + name); }
inline std::string Script(const std::string& name) { return wiztest::SourcePath("data/scripts/" + name); }

inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
        text.replace(pos, from.size(), to);
    return text;
}

// A file of the project as the golden files hold it: LF line ends, the
// project folder written as $PROJECT.
inline std::string Normalised(const std::string& project, const std::string& file)
{
    return ReplaceAll(ReplaceAll(wiztest::ReadBytes(project + "/" + file), "\r\n", "\n"), project, "$PROJECT");
}

// The written file matches its golden file, and was written with CR LF.
inline void ExpectGolden(const std::string& project, const std::string& written, const std::string& golden)
{
    const std::string bytes = wiztest::ReadBytes(project + "/" + written);
    ASSERT_FALSE(bytes.empty()) << written;
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    const std::string text = Normalised(project, written);
    if (const char* update = std::getenv("WIZ_UPDATE_GOLDEN"); update && *update == '1')
        wiztest::WriteBytes(Golden(golden), text);
    EXPECT_EQ(text, wiztest::ReadBytes(Golden(golden))) << golden;
}

// The id of the node whose file (or, failing that, label) is `name`, as the
// project tree lists it, so that scenarios do not depend on node numbers.
inline std::string NodeId(const std::string& project, const std::string& name)
{
    std::istringstream tree(wiztest::RunWizhost({"project", "tree", project}).out);
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

// The file a run reports it made ("" when none).
inline std::string MadeFile(const std::string& out)
{
    const auto at = out.find("\nfile: ");
    return at == std::string::npos ? "" : out.substr(at + 7, out.find('\n', at + 1) - at - 7);
}

// A fresh copy of the sample project for every test, with a settings file of
// its own (the wizards remember choices there: keep the user's away), and
// `wizhost run` on it.
class SampleProjectRun : public ::testing::Test {
protected:
    explicit SampleProjectRun(std::string wizard) : m_wizard(std::move(wizard)) {}
    void SetUp() override
    {
        setenv("WIZ_SETTINGS", (dir / "settings.ini").c_str(), 1);
        project = dir / "proj";
        ASSERT_EQ(wiztest::RunWizhost({"project", "init", project}).exitCode, 0);
    }
    void TearDown() override { unsetenv("WIZ_SETTINGS"); }

    std::string Node(const std::string& name) { return NodeId(project, name); }

    wiztest::RunResult RunWizard(const std::string& wizard, const std::string& node, const std::string& script,
                                 std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = {"run", wizard, "--project", project, "--node", node, "--script", script};
        args.insert(args.end(), extra.begin(), extra.end());
        return wiztest::RunWizhost(args);
    }
    // The fixture's own wizard.
    wiztest::RunResult Run(const std::string& node, const std::string& script, std::vector<std::string> extra = {})
    {
        return RunWizard(m_wizard, node, script, std::move(extra));
    }
    // A script written on the spot.
    std::string WriteScript(const std::string& text)
    {
        const std::string path = dir / ("script" + std::to_string(++m_scripts) + ".script");
        wiztest::WriteBytes(path, text);
        return path;
    }
    wiztest::RunResult RunText(const std::string& node, const std::string& text, std::vector<std::string> extra = {})
    {
        return Run(node, WriteScript(text), std::move(extra));
    }

    std::string Written(const std::string& name) { return Normalised(project, name); }
    void ExpectGolden(const std::string& written, const std::string& golden)
    {
        wizrun::ExpectGolden(project, written, golden);
    }
    std::string Tree() { return wiztest::RunWizhost({"project", "tree", project}).out; }

    wiztest::ScratchDir dir;
    std::string project;

private:
    std::string m_wizard;
    int m_scripts = 0;
};

} // namespace wizrun
