// The translator's binding tables against the installation data and its own
// dialogs: every keyword of its defaults files has a binding that shows it,
// and every bound control is one its page's dialog has.
#include "host/ProjectTree.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "platform/resources/Resources.h"
#include "platform/system/WinApp.h"
#include "support/TestSupport.h"
#include "translator/TranslatorSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

// Keywords of the defaults files that the wizard writes itself rather than
// through a binding, each with the reason.
const std::map<std::string, std::string> kWrittenByTheWizard = {};

struct Prepared {
    CWinApp app;
    wiztest::ScratchDir dir;
    MProjectTree tree;
};

} // namespace

TEST(TranslatorBindings, EveryDefaultsKeywordHasABinding)
{
    Prepared p;
    ASSERT_TRUE(p.tree.Create(p.dir.Path().string(), "bindings")) << p.tree.GetLastError();
    CWizard::SetProjectTree(p.tree);
    // The bindings depend on the CAD type: the union over the types covers
    // every page.
    std::set<std::string> bound;
    int cadTypes = 0;
    for (int cadType : {kCadTypeIges, 2, 8, 12}) {
        ZQ_PM_Node* cad = p.tree.AddNode(p.tree.GetRootNode(), kNodeCadModel, static_cast<Node_SubType>(cadType),
                                         "model", "model" + std::to_string(cadType));
        ASSERT_NE(cad, nullptr);
        CTranslatorSheet sheet(cad);
        ASSERT_TRUE(sheet.Prepare());
        ++cadTypes;
        for (const std::string& path : GetTranslatorDefaultsFiles(p.tree.GetDataPath())) {
            MKeywordFile defaults;
            EXPECT_TRUE(defaults.Load(path));
            ASSERT_FALSE(defaults.GetKeywords().empty()) << "no defaults at " << path;
            for (const std::string& keyword : defaults.GetKeywords())
                if (sheet.GetBindings().IsBound(keyword))
                    bound.insert(keyword);
        }
    }
    std::vector<std::string> unknown;
    for (const std::string& path : GetTranslatorDefaultsFiles(p.tree.GetDataPath())) {
        MKeywordFile defaults;
        EXPECT_TRUE(defaults.Load(path));
        for (const std::string& keyword : defaults.GetKeywords())
            if (!bound.count(keyword) && !kWrittenByTheWizard.count(keyword))
                unknown.push_back(keyword);
    }
    EXPECT_EQ(unknown, std::vector<std::string>{}) << "defaults no translator binding knows";
}

TEST(TranslatorBindings, EveryBoundControlIsOnItsPage)
{
    // The ids header is the only source of the ids, so a renumbered control
    // moves in the dialog and the tables together; what can still go wrong
    // is a row naming a control of another page.
    Prepared p;
    ASSERT_TRUE(p.tree.Create(p.dir.Path().string(), "controls")) << p.tree.GetLastError();
    CWizard::SetProjectTree(p.tree);
    ZQ_PM_Node* cad = p.tree.AddNode(p.tree.GetRootNode(), kNodeCadModel, static_cast<Node_SubType>(kCadTypeIges),
                                     "plate", "plate.igs");
    CTranslatorSheet sheet(cad);
    ASSERT_TRUE(sheet.Prepare());
    const auto places = sheet.GetBindings().ListBindings();
    ASSERT_EQ(places.size(), 16u); // page 1's three, the IGES page's ten, the MDL remesh page's three
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
        EXPECT_TRUE(has(place.controlId)) << place.keyword << " on " << page->m_nIDTemplate;
        EXPECT_TRUE(place.companionId == -1 || has(place.companionId)) << place.keyword;
    }
    // The symbols reach agent scripts through the compiled resources.
    const long* id = AppResources().FindSymbol("IDC_TRANS_ELEMENT_AIM");
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(*id, IDC_TRANS_ELEMENT_AIM);
}
