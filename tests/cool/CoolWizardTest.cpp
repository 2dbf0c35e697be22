// The cooling wizard as a sheet: the help file it shows while it runs.
#include "cool/CoolWizard.h"
#include "host/ProjectTree.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/UiLog.h"
#include "platform/system/WinApp.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(CoolWizard, ShowsItsOwnHelpFileWhileItRuns)
{
    CWinApp app;
    app.m_pszHelpFilePath = "/data/main.hlp";
    wiztest::ScratchDir dir;
    MProjectTree tree;
    ASSERT_TRUE(tree.Create(dir.Path().string(), "help")) << tree.GetLastError();
    CWizard::SetProjectTree(tree);
    ZQ_PM_Node* mesh = tree.AddNode(tree.GetRootNode(), kNodeMesh, kSubMidplane, "mesh", "part.zql");
    ZQ_PM_Node* material = tree.AddNode(mesh, kNodeMaterial, kSubThermoplastic, "PP", "pp.mtl");
    CCoolWizard wizard(material);
    ASSERT_TRUE(wizard.Prepare());

    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    ASSERT_TRUE(CScriptAgent::Read("help IDC_COOL_MOLD_TEMPERATURE\ncancel\n", "help.script", commands, errors));
    std::ostringstream out;
    CScriptAgent agent(commands, "help.script", out);
    CUserAgentScope scope(&agent);
    const std::size_t before = GetUiLog().size();
    EXPECT_EQ(wizard.DoModal(), IDCANCEL);
    EXPECT_FALSE(agent.Failed()) << agent.Failure();
    ASSERT_GT(GetUiLog().size(), before);
    EXPECT_EQ(GetUiLog().back().text, tree.GetDataPath() + "cool.hlp");
    EXPECT_EQ(app.m_pszHelpFilePath, "/data/main.hlp");
}
