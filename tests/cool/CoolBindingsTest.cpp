// The cooling wizard's binding tables against the installation data and its
// own dialogs: every keyword of the solvers' defaults files has a binding,
// the tables register in the documented order, and every bound control is
// one its page's or dialog's template has.
#include "cool/CoolIds.h"
#include "cool/CoolWizard.h"
#include "host/ProjectTree.h"
#include "keyword/KeywordFile.h"
#include "platform/resources/Resources.h"
#include "platform/system/WinApp.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Prepared {
    explicit Prepared(Node_SubType meshType)
    {
        EXPECT_TRUE(tree.Create(dir.Path().string(), "cooling")) << tree.GetLastError();
        CWizard::SetProjectTree(tree);
        ZQ_PM_Node* mesh = tree.AddNode(tree.GetRootNode(), kNodeMesh, meshType, "mesh", "part.zql");
        material = tree.AddNode(mesh, kNodeMaterial, kSubThermoplastic, "PP", "pp.mtl");
    }
    CWinApp app;
    wiztest::ScratchDir dir;
    MProjectTree tree;
    ZQ_PM_Node* material = nullptr;
};

std::vector<std::string> BoundKeywords(CCoolWizard& wizard)
{
    std::vector<std::string> keywords;
    for (const auto& place : wizard.GetBindings().ListBindings())
        keywords.push_back(place.keyword);
    return keywords;
}

std::ptrdiff_t Position(const std::vector<std::string>& keywords, const std::string& keyword)
{
    return std::find(keywords.begin(), keywords.end(), keyword) - keywords.begin();
}

} // namespace

TEST(CoolBindings, EachVariantBindsItsDefaultsInTableOrder)
{
    for (Node_SubType meshType : {kSubMidplane, kSubMesh2DCool}) {
        Prepared p(meshType);
        ASSERT_NE(p.material, nullptr);
        CCoolWizard wizard(p.material);
        ASSERT_TRUE(wizard.Prepare());
        EXPECT_EQ(wizard.Is2D(), meshType == kSubMesh2DCool);
        MKeywordFile defaults;
        ASSERT_TRUE(defaults.Load(p.tree.GetDefaultsFile(kSubCooling, meshType, 0)));
        ASSERT_FALSE(defaults.GetKeywords().empty());
        for (const std::string& keyword : defaults.GetKeywords())
            EXPECT_TRUE(wizard.GetBindings().IsBound(keyword)) << keyword << " for mesh " << meshType;

        const std::vector<std::string> keywords = BoundKeywords(wizard);
        EXPECT_EQ(keywords.back(), "ANALYSIS_DESCRIPTION");
        if (wizard.Is2D()) {
            EXPECT_EQ(keywords.size(), 9u);
            EXPECT_FALSE(wizard.GetBindings().IsBound("3DCOOL_ANALYSIS_TYPE"));
            EXPECT_LT(Position(keywords, "2DCOOL_CYCLE_TIME"), Position(keywords, "2DCOOL_HEAT_CONTENT_FACTOR"));
        } else {
            EXPECT_EQ(keywords.size(), 22u); // tables A to E and H
            EXPECT_FALSE(wizard.GetBindings().IsBound("2DCOOL_BOUNDARY_CONDITION"));
            EXPECT_EQ(keywords.front(), "3DCOOL_ANALYSIS_TYPE");
            // The advanced options (table E) come after the network page's, before the description.
            EXPECT_EQ(Position(keywords, "3DCOOL_GEOMETRY_INFLUENCE"),
                      Position(keywords, "3DCOOL_MOLD_DIMENSIONS_SPECIFIED") + 1);
        }
    }
}

TEST(CoolBindings, EveryBoundControlIsOnItsDialog)
{
    for (Node_SubType meshType : {kSubMidplane, kSubMesh2DCool}) {
        Prepared p(meshType);
        CCoolWizard wizard(p.material);
        ASSERT_TRUE(wizard.Prepare());
        for (const auto& place : wizard.GetBindings().ListBindings()) {
            if (place.controlId == -1)
                continue;
            const auto* dialog = dynamic_cast<const CDialog*>(place.page);
            ASSERT_NE(dialog, nullptr) << place.keyword;
            const CDialogTemplate* t = FindDialogTemplate(static_cast<int>(dialog->m_nIDTemplate));
            ASSERT_NE(t, nullptr) << place.keyword;
            auto has = [&](int id) {
                return std::any_of(t->items.begin(), t->items.end(), [&](const auto& item) { return item.id == id; });
            };
            // The dimensions grid is made in the place of its frame when the page opens.
            EXPECT_TRUE(has(place.controlId) || place.controlId == IDC_COOL_DIMENSIONS_GRID)
                << place.keyword << " on " << dialog->m_nIDTemplate;
            EXPECT_TRUE(place.companionId == -1 || has(place.companionId)) << place.keyword;
        }
    }
    const long* id = AppResources().FindSymbol("IDC_CIRCUIT_SET");
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(*id, IDC_CIRCUIT_SET);
}
