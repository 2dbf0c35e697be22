#pragma once
// A fresh copy of the sample project opened as the wizards' project tree, in
// its own folder as the current directory (as wizhost runs them), with the
// application settings in the scratch folder; and a script runner.
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

#include "host/ProjectTree.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/UiLog.h"
#include "platform/system/WinApp.h"
#include "support/TestSupport.h"
#include "wizard/Wizard.h"

#include <gtest/gtest.h>

namespace flowtest {

class SampleProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.SetProfileFile(dir / "settings.ini");
        project = dir / "proj";
        std::filesystem::copy(wiztest::SourcePath("data/sample-project"), project,
                              std::filesystem::copy_options::recursive);
        ASSERT_TRUE(tree.Open(project)) << tree.GetLastError();
        CWizard::SetProjectTree(tree);
        char buffer[4096];
        if (getcwd(buffer, sizeof buffer))
            previous = buffer;
        ASSERT_EQ(chdir(project.c_str()), 0);
    }
    void TearDown() override
    {
        if (!previous.empty()) {
            EXPECT_EQ(chdir(previous.c_str()), 0);
        }
    }

    ZQ_PM_Node* Node(const std::string& file)
    {
        ZQ_PM_Node* node = tree.FindFileInTree(file);
        EXPECT_NE(node, nullptr) << file;
        return node;
    }

    // Runs `window` (a wizard or dialog: anything with DoModal) under the
    // script; the script's failure, if any, is a test failure.
    template <class Window> intptr_t Run(Window& window, const std::string& script)
    {
        std::vector<SAgentCommand> commands;
        std::vector<CAgentScriptError> errors;
        EXPECT_TRUE(ReadAgentScript(script, "flow.agent", commands, errors)) << script;
        std::ostringstream out;
        CScriptAgent agent(std::move(commands), "flow.agent", out);
        intptr_t result = 0;
        {
            CUserAgentScope scope(&agent);
            result = window.DoModal();
            agent.CheckFinished();
        }
        EXPECT_EQ(agent.Failure(), "") << out.str();
        return result;
    }

    CWinApp app;
    wiztest::ScratchDir dir;
    std::string project;
    MProjectTree tree;
    std::string previous;
};

} // namespace flowtest
