// The warpage wizard against the installation data and its own dialogs:
// every keyword of the solver's defaults has a binding, each bound control
// is on its page, the warpage-only keywords are left to warpage, and the
// parts dialog stores the parts chosen.
#include "host/ProjectTree.h"
#include "keyword/KeywordFile.h"
#include "platform/agents/AgentScript.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/resources/Resources.h"
#include "platform/system/WinApp.h"
#include "support/TestSupport.h"
#include "warp/WarpIds.h"
#include "warp/WarpPartsDlg.h"
#include "warp/WarpWizard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

namespace {

const char* const kWarpageOnly[] = {"3DSTRUCT_CORNER_MAX_ANGLE", "3DSTRUCT_LOAD_FACT_OPT_BUCKLING_STURM_SEQUENCE_CHECK"};

// Keywords of the defaults that the wizard reads rather than binds.
const std::set<std::string> kReadByTheWizard = {"3DSTRUCT_SHRINK_DATA_SOURCE"};

struct Prepared {
    Prepared()
    {
        EXPECT_TRUE(tree.Create(dir.Path().string(), "warp")) << tree.GetLastError();
        CWizard::SetProjectTree(tree);
        material = tree.AddNode(tree.GetRootNode(), kNodeMaterial, kSubThermoplastic, "PP", "pp.mtl");
    }
    CWinApp app;
    wiztest::ScratchDir dir;
    MProjectTree tree;
    ZQ_PM_Node* material = nullptr;
};

} // namespace

TEST(WarpWizard, EveryDefaultsKeywordHasABinding)
{
    Prepared p;
    CWarpWizard sheet(p.material, kWarpModeWarpage);
    ASSERT_TRUE(sheet.Prepare());
    MKeywordFile defaults;
    ASSERT_TRUE(defaults.Load(p.tree.GetDataPath() + "warp.def"));
    ASSERT_FALSE(defaults.GetKeywords().empty());
    std::vector<std::string> unbound;
    for (const std::string& keyword : defaults.GetKeywords())
        if (!sheet.GetBindings().IsBound(keyword) && !kReadByTheWizard.count(keyword))
            unbound.push_back(keyword);
    EXPECT_EQ(unbound, std::vector<std::string>{});
}

TEST(WarpWizard, BoundControlsAreOnTheirPagesInTableOrder)
{
    Prepared p;
    CWarpWizard sheet(p.material, kWarpModeWarpage);
    ASSERT_TRUE(sheet.Prepare());
    const auto places = sheet.GetBindings().ListBindings();
    ASSERT_EQ(places.size(), 48u); // the seven pages' 19 and the advanced pages' 29
    EXPECT_EQ(places.front().keyword, "3DSTRUCT_ANALYSIS_AIM");
    EXPECT_EQ(places[18].keyword, "ANALYSIS_DESCRIPTION");
    EXPECT_EQ(places[19].keyword, "3DSTRUCT_REMOVE_COLD_RUNNERS");
    EXPECT_EQ(places.back().keyword, "3DSTRUCT_LARGE_DEFL_NON_POSITIVE_DEFINITE");
    for (const auto& place : places) {
        if (place.controlId == -1)
            continue;
        const auto* page = dynamic_cast<const CPropertyPage*>(place.page);
        ASSERT_NE(page, nullptr) << place.keyword;
        const CDialogTemplate* t = FindDialogTemplate(static_cast<int>(page->m_nIDTemplate));
        ASSERT_NE(t, nullptr) << place.keyword;
        auto has = [&](int id) {
            return std::any_of(t->items.begin(), t->items.end(), [&](const auto& item) { return item.id == id; });
        };
        // The increment grids replace their frame when the page opens.
        EXPECT_TRUE(has(place.controlId) || (place.controlId == IDC_WARP_INCREMENT_GRID && has(IDC_WARP_GRID_FRAME)))
            << place.keyword << " on " << page->m_nIDTemplate;
        EXPECT_TRUE(place.companionId == -1 || has(place.companionId)) << place.keyword;
    }
}

TEST(WarpWizard, StressLeavesTheWarpageOnlyKeywordsAlone)
{
    Prepared p;
    CWarpWizard warpage(p.material, kWarpModeWarpage);
    CWarpWizard stress(p.material, kWarpModeStress);
    ASSERT_TRUE(warpage.Prepare());
    ASSERT_TRUE(stress.Prepare());
    for (const char* keyword : kWarpageOnly) {
        EXPECT_TRUE(warpage.GetBindings().IsBound(keyword)) << keyword;
        EXPECT_FALSE(stress.GetBindings().IsBound(keyword)) << keyword;
    }
    EXPECT_EQ(stress.GetBindings().ListBindings().size(), 46u);
}

TEST(WarpWizard, NewAnalysisShrinkageFollowsThePreference)
{
    Prepared p;
    for (int preference : {1, 0}) {
        CWarpWizard::SetRSMPreference(preference);
        CWarpWizard sheet(p.material, kWarpModeWarpage);
        ASSERT_TRUE(sheet.Prepare());
        MKeywordFile working;
        ASSERT_TRUE(working.Load(sheet.GetTempFileName()));
        EXPECT_EQ(working.GetValue("3DSTRUCT_SHRINK_DATA_SOURCE") == "THERMAL_STRESS", preference != 0);
        EXPECT_EQ(sheet.HasShrinkageSource(), preference == 0);
        EXPECT_EQ(working.GetValue("ANALYSIS_PROGRAM"), "warp") << "the host filled the new analysis";
    }
    CWarpWizard::SetRSMPreference(1);

    // An existing input keeps what it holds: no default, no host inputs.
    wiztest::WriteBytes(p.dir / "stress1.sin", "3DSTRUCT_ANALYSIS_AIM: MODAL_FREQUENCY\n");
    ZQ_PM_Node* input = p.tree.AddNode(p.material, kNodeInput, kSubStress, "", "stress1.sin");
    ASSERT_NE(input, nullptr) << p.tree.GetLastError();
    CWarpWizard sheet(input, kWarpModeStress);
    ASSERT_TRUE(sheet.Prepare());
    EXPECT_TRUE(sheet.HasShrinkageSource());
    MKeywordFile working;
    ASSERT_TRUE(working.Load(sheet.GetTempFileName()));
    EXPECT_EQ(working.GetValue("3DSTRUCT_ANALYSIS_AIM"), "MODAL_FREQUENCY");
    EXPECT_FALSE(working.HasKeyword("ANALYSIS_PROGRAM"));
    EXPECT_TRUE(CWarpWizard::CanStartFrom(input, kWarpModeStress));
    EXPECT_FALSE(CWarpWizard::CanStartFrom(input, kWarpModeWarpage)) << "a stress input is no warpage input";
}

namespace {

// Runs the parts dialog on the sample mold's parts ("Cavity plate" 1, "Core
// plate" 2, "Core insert" 3, listed sorted) with `script`.
std::string RunParts(const wiztest::ScratchDir& dir, const std::string& working, const std::string& script)
{
    for (const char* ext : {".ain", ".ata"})
        std::filesystem::copy_file(wiztest::SourcePath(std::string("data/sample-project/mold") + ext),
                                   dir / (std::string("plate") + ext),
                                   std::filesystem::copy_options::overwrite_existing);
    CWarpWizPartsDlg dialog;
    dialog.m_strModelFile = dir / "plate.zql";
    dialog.m_strWorkingFile = dir / "work.kwd";
    wiztest::WriteBytes(dialog.m_strWorkingFile, working);
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    EXPECT_TRUE(ReadAgentScript(script, "parts.agent", commands, errors));
    std::ostringstream out;
    CScriptAgent agent(std::move(commands), "parts.agent", out);
    {
        CUserAgentScope scope(&agent);
        dialog.DoModal();
        agent.CheckFinished();
    }
    EXPECT_EQ(agent.Failure(), "");
    return wiztest::ReadBytes(dialog.m_strWorkingFile);
}

} // namespace

TEST(WarpWizard, PartsDialogKeepsOnlyAPartialChoice)
{
    CWinApp app;
    wiztest::ScratchDir dir;
    // The stored parts come up selected; a number without a part is ignored.
    std::string file = RunParts(dir, "3DSTRUCT_PARTS: 3 9\n",
                                "expect rows IDC_WARP_PARTS_LIST 3\nexpect text IDC_WARP_PARTS_LIST \"Core insert\"\n"
                                "selection IDC_WARP_PARTS_LIST add \"Cavity plate\"\nok\n");
    EXPECT_NE(file.find("3DSTRUCT_PARTS: 1 \\"), std::string::npos) << file;
    EXPECT_NE(file.find("\n3\r\n"), std::string::npos) << file;

    // Every part, like none, is the whole model: the keyword goes.
    file = RunParts(dir, "3DSTRUCT_PARTS: 1 2\n", "selection IDC_WARP_PARTS_LIST all\nok\n");
    EXPECT_EQ(file.find("3DSTRUCT_PARTS"), std::string::npos) << file;
    file = RunParts(dir, "3DSTRUCT_PARTS: 1 2\n", "selection IDC_WARP_PARTS_LIST clear\nok\n");
    EXPECT_EQ(file.find("3DSTRUCT_PARTS"), std::string::npos) << file;
    // Cancel keeps the file as it was.
    file = RunParts(dir, "3DSTRUCT_PARTS: 2\n", "selection IDC_WARP_PARTS_LIST all\ncancel\n");
    EXPECT_EQ(file, "3DSTRUCT_PARTS: 2\n");
}

TEST(WarpWizard, PartsDialogWithoutPartsOffersTheWholeModel)
{
    CWinApp app;
    wiztest::ScratchDir dir;
    CWarpWizPartsDlg dialog;
    dialog.m_strModelFile = dir / "bare.zql"; // no attribute files at all
    dialog.m_strWorkingFile = dir / "work.kwd";
    wiztest::WriteBytes(dialog.m_strWorkingFile, "3DSTRUCT_PARTS: 4\n");
    std::vector<SAgentCommand> commands;
    std::vector<CAgentScriptError> errors;
    ASSERT_TRUE(ReadAgentScript("expect rows IDC_WARP_PARTS_LIST 1\nexpect text IDC_WARP_PARTS_LIST (all)\nok\n",
                                "bare.agent", commands, errors));
    std::ostringstream out;
    CScriptAgent agent(std::move(commands), "bare.agent", out);
    {
        CUserAgentScope scope(&agent);
        dialog.DoModal();
        agent.CheckFinished();
    }
    EXPECT_EQ(agent.Failure(), "");
    EXPECT_EQ(wiztest::ReadBytes(dialog.m_strWorkingFile).find("3DSTRUCT_PARTS"), std::string::npos);
}
