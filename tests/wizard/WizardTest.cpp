// The wizard sheet and page base as a person meets them: which page Next and
// Back lead to and which buttons show, what validation stops, what help a
// caption gives, and what the wizard leaves behind in the project.
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "platform/window/ListCtrl.h"
#include "platform/system/WinApp.h"
#include "platform/StepAgent.h"
#include "support/TestSupport.h"
#include "wizard/ProjectTreeList.h"
#include "wizard/PropertyPageExt.h"
#include "wizard/Wizard.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr int kCaption = 30501, kThickness = 30502, kNameCaption = 30503, kName = 30504, kNotes = 30505;
constexpr DWORD kFieldHelp = 0x50000 + kNotes, kCaptionHelp = 0x5FFFF;

CDlgItemTemplate Item(DlgItemClass kind, int id, const std::string& text, uint32_t style, uint32_t helpId = 0)
{
    CDlgItemTemplate item;
    item.itemClass = kind;
    item.id = id;
    item.text = text;
    item.style = WS_CHILD | WS_VISIBLE | style;
    item.helpId = helpId;
    item.rect = {10, 10 + 20 * id % 100, 80, 12};
    return item;
}

// A page with a thickness (0 to 10 mm) and, when asked, a required name.
class TestPage : public CPropertyPageExt {
public:
    TestPage(int templateId, bool withFields) : CPropertyPageExt(static_cast<UINT>(templateId))
    {
        CDialogTemplate t;
        t.id = templateId;
        t.caption = "Page " + std::to_string(templateId);
        t.rect = {0, 0, 200, 100};
        if (withFields) {
            t.items.push_back(Item(DlgItemClass::kStatic, kCaption, "&Thickness:", 0));
            t.items.push_back(Item(DlgItemClass::kEdit, kThickness, "", WS_TABSTOP | ES_AUTOHSCROLL));
            t.items.push_back(Item(DlgItemClass::kStatic, kNameCaption, "&Name:", 0));
            t.items.push_back(Item(DlgItemClass::kEdit, kName, "", WS_TABSTOP | ES_AUTOHSCROLL));
            t.items.push_back(Item(DlgItemClass::kStatic, IDC_STATIC, "N&otes:", 0, kCaptionHelp));
            t.items.push_back(Item(DlgItemClass::kEdit, kNotes, "", WS_TABSTOP | ES_AUTOHSCROLL, kFieldHelp));
        }
        SetTemplate(t);
    }
    intptr_t nextAnswer = 0;
    intptr_t OnWizardNext() override { return nextAnswer; }
};

class TestWizard : public CWizard {
public:
    explicit TestWizard(int pageCount, ZQ_PM_Node* start = nullptr, bool withFields = false) : CWizard(0, start)
    {
        for (int i = 0; i < pageCount; ++i)
            pages.push_back(std::make_unique<TestPage>(30401 + i, withFields && i == 1));
        for (auto& page : pages)
            AddPage(page.get());
        if (withFields) {
            GetBindings().SetCurrentPage(pages[1].get());
            GetBindings().Bind("TEST_THICKNESS", kThickness, kCaption, kBindDouble, &thickness, 0 /* length */);
            GetBindings().Bind("TEST_NAME", kName, kNameCaption, kBindText, &name);
            GetBindings().SetRangeText("TEST_THICKNESS_RANGE", "[0:0.01]");
            // What a subclass does for a new analysis: the settings it starts from.
            wiztest::WriteBytes(m_strTempFile, "TEST_THICKNESS: 0.002\r\nTEST_NAME: part\r\n");
        }
    }
    bool IsPageEnabled(UINT id) override { return disabled.count(id) == 0; }
    void OnWizardFinish() override
    {
        CWizard::OnWizardFinish();
        ++finishes;
    }
    TestPage& Page(int i) { return *pages[static_cast<size_t>(i)]; }

    std::vector<std::unique_ptr<TestPage>> pages;
    std::set<UINT> disabled;
    int finishes = 0;
    double thickness = 0;
    std::string name;
};

DWORD Buttons(CWnd* modal) { return static_cast<CPropertySheet*>(modal)->GetWizardButtons(); }
int Active(CWnd* modal) { return static_cast<CPropertySheet*>(modal)->GetActiveIndex(); }
void PressHidden(CWnd* modal, int id) { modal->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), 0); }

std::vector<std::string> Messages()
{
    std::vector<std::string> texts;
    for (const CUiLogRecord& r : GetUiLog())
        if (r.kind == UiLogKind::MessageBox)
            texts.push_back(r.text);
    return texts;
}

struct ProjectFixture : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(tree.Create(dir.Path().string(), "wizard test")) << tree.GetLastError();
        CWizard::SetProjectTree(tree);
    }
    CWinApp app;
    wiztest::ScratchDir dir;
    MProjectTree tree;
};

} // namespace

TEST(WizardNavigation, ButtonsAndPageSkipping)
{
    CWinApp app;
    // One page finishes at once; two pages start with Next.
    for (int count : {1, 2}) {
        TestWizard wizard(count);
        StepAgent agent;
        DWORD seen = 0;
        agent.Then([&](CWnd* m) {
            seen = Buttons(m);
            EXPECT_INPUT(count == 1 ? UserInput::Finish(m) : UserInput::Cancel(m));
        });
        EXPECT_EQ(wizard.DoModal(), count == 1 ? ID_WIZFINISH : IDCANCEL);
        EXPECT_EQ(seen, count == 1 ? PSWIZB_FINISH : PSWIZB_NEXT);
        EXPECT_EQ(wizard.finishes, count == 1 ? 1 : 0);
    }

    // Page 2 of four rejected: it is skipped both ways, and the buttons say
    // whether another enabled page lies in the direction of travel.
    TestWizard four(4);
    four.disabled.insert(30402);
    StepAgent agent;
    std::vector<std::pair<int, DWORD>> seen;
    auto record = [&](CWnd* m) { seen.emplace_back(Active(m), Buttons(m)); };
    agent.Then([&](CWnd* m) { EXPECT_INPUT(UserInput::Next(m)); })
        .Then([&](CWnd* m) { record(m); EXPECT_INPUT(UserInput::Next(m)); })
        .Then([&](CWnd* m) { record(m); PressHidden(m, ID_WIZNEXT); }) // nothing later is enabled
        .Then([&](CWnd* m) { record(m); EXPECT_INPUT(UserInput::Back(m)); })
        .Then([&](CWnd* m) { record(m); EXPECT_INPUT(UserInput::Back(m)); })
        .Then([&](CWnd* m) {
            record(m);
            four.Page(0).nextAnswer = -1; // the page keeps the wizard where it is
            EXPECT_INPUT(UserInput::Next(m));
        })
        .Then([&](CWnd* m) {
            record(m);
            four.Page(0).nextAnswer = 30402; // a page cannot choose a disabled target
            EXPECT_INPUT(UserInput::Next(m));
        })
        .Then([&](CWnd* m) { record(m); EXPECT_INPUT(UserInput::Cancel(m)); });
    EXPECT_EQ(four.DoModal(), IDCANCEL);
    const std::vector<std::pair<int, DWORD>> expected = {
        {2, PSWIZB_BACK | PSWIZB_NEXT}, {3, PSWIZB_BACK | PSWIZB_FINISH}, {3, PSWIZB_BACK | PSWIZB_FINISH},
        {2, PSWIZB_BACK | PSWIZB_NEXT}, {0, PSWIZB_NEXT},                 {0, PSWIZB_NEXT},
        {2, PSWIZB_BACK | PSWIZB_NEXT},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(four.finishes, 0);
}

// A wizard whose pages are added with entries: the entry alone says when
// each page applies, and whether its bindings exist.
class EntryWizard : public CWizard {
public:
    explicit EntryWizard(int pageCount) : CWizard(0, nullptr)
    {
        for (int i = 0; i < pageCount; ++i) {
            pages.push_back(std::make_unique<TestPage>(30401 + i, i == 1));
            std::function<void(CKeywordBindings&)> bindings;
            if (i == 1)
                bindings = BindingTable(*this, kRows);
            AddWizardPage({pages.back().get(), [this, i] { return i < forModel; }, [this, i] { return i < now; },
                           bindings});
        }
    }
    using CWizard::RegisterPageBindings;
    std::vector<std::unique_ptr<TestPage>> pages;
    int forModel = 99; // pages before this index can apply to the model
    int now = 99;      // pages before this index apply now
    std::string name = "part";
    static const CBindingRow<EntryWizard> kRows[1];
};

const CBindingRow<EntryWizard> EntryWizard::kRows[1] = {
    {"TEST_NAME", kName, kNameCaption, &EntryWizard::name, kQuantityDimensionless, kQuantityDimensionless,
     kBindPageDefault},
};

TEST(WizardNavigation, FinishShowsOnTheLastPageThatApplies)
{
    CWinApp app;
    // Only the first page applies: the wizard starts with Finish, not Next.
    {
        EntryWizard wizard(3);
        wizard.now = 1;
        StepAgent agent;
        DWORD seen = 0;
        agent.Then([&](CWnd* m) {
            seen = Buttons(m);
            EXPECT_INPUT(UserInput::Finish(m));
        });
        EXPECT_EQ(wizard.DoModal(), ID_WIZFINISH);
        EXPECT_EQ(seen, PSWIZB_FINISH);
    }
    // Pages 3 and 4 do not apply once page 1 is left: page 2 shows Finish.
    EntryWizard wizard(4);
    StepAgent agent;
    std::vector<std::pair<int, DWORD>> seen;
    agent.Then([&](CWnd* m) {
             seen.emplace_back(Active(m), Buttons(m));
             wizard.now = 2;
             EXPECT_INPUT(UserInput::Next(m));
         })
        .Then([&](CWnd* m) {
            seen.emplace_back(Active(m), Buttons(m));
            EXPECT_INPUT(UserInput::Cancel(m));
        });
    EXPECT_EQ(wizard.DoModal(), IDCANCEL);
    EXPECT_EQ(seen, (std::vector<std::pair<int, DWORD>>{{0, PSWIZB_NEXT}, {1, PSWIZB_BACK | PSWIZB_FINISH}}));
}

// A page whose settings choose the field typed into first: the base focuses
// it after the sheet has focused the first tab stop, on every arrival, and
// again when a handler asks.
class ChosenFieldPage : public TestPage {
public:
    ChosenFieldPage() : TestPage(30402, true) {}
    int chosen = kNotes;
    using CPropertyPageExt::FocusChosenField;

protected:
    int GetChosenField() override { return chosen; }
};

class ChosenFieldWizard : public CWizard {
public:
    ChosenFieldWizard() : CWizard(0, nullptr)
    {
        AddPage(&first);
        AddPage(&second);
    }
    TestPage first{30401, false};
    ChosenFieldPage second;
};

TEST(WizardPages, TheChosenFieldHasTheFocusAfterEveryArrival)
{
    CWinApp app;
    ChosenFieldWizard wizard;
    StepAgent agent;
    std::vector<int> focused;
    auto focus = [] { return CWnd::GetFocus() ? CWnd::GetFocus()->GetDlgCtrlID() : 0; };
    agent.Then([&](CWnd* m) { EXPECT_INPUT(UserInput::Next(m)); })
        .Then([&](CWnd* m) {
            focused.push_back(focus());
            wizard.second.chosen = kName;
            wizard.second.FocusChosenField();
            focused.push_back(focus());
            EXPECT_INPUT(UserInput::Back(m));
        })
        .Then([&](CWnd* m) {
            wizard.second.chosen = 0; // no choice: the sheet's first tab stop stands
            EXPECT_INPUT(UserInput::Next(m));
        })
        .Then([&](CWnd* m) {
            focused.push_back(focus());
            EXPECT_INPUT(UserInput::Cancel(m));
        });
    EXPECT_EQ(wizard.DoModal(), IDCANCEL);
    EXPECT_EQ(focused, (std::vector<int>{kNotes, kName, kThickness}));
}

TEST(WizardPages, OneEntryDecidesShowingAndBinding)
{
    CWinApp app;
    EntryWizard wizard(3);
    wizard.forModel = 1; // page 2, which binds TEST_NAME, can never show for this model
    wizard.RegisterPageBindings();
    EXPECT_FALSE(wizard.GetBindings().IsBound("TEST_NAME"));
    EXPECT_TRUE(wizard.IsPageEnabled(30401));
    EXPECT_FALSE(wizard.IsPageEnabled(30402));
    EXPECT_TRUE(wizard.IsPageEnabled(30999)) << "a page without an entry always may show";

    EntryWizard applies(3);
    applies.now = 1; // it could show, but does not now: its bindings exist all the same
    applies.RegisterPageBindings();
    EXPECT_TRUE(applies.GetBindings().IsBound("TEST_NAME"));
    EXPECT_TRUE(applies.GetBindings().IsPresent("TEST_NAME")) << "a page default is present without a file";
    EXPECT_FALSE(applies.IsPageEnabled(30402));
}

TEST(WizardNavigation, BackNeverValidatesNextAndFinishDo)
{
    CWinApp app;
    TestWizard wizard(3, nullptr, true);
    StepAgent agent;
    std::vector<int> pages;
    agent.Then([&](CWnd* m) { EXPECT_INPUT(UserInput::Next(m)); })
        .Then([&](CWnd* m) {
            CWnd* field = UserInput::FindControl(m, std::to_string(kThickness));
            EXPECT_EQ(UserInput::ControlValue(field), "2"); // shown in mm
            EXPECT_INPUT(UserInput::Type(field, "50"));
            EXPECT_INPUT(UserInput::Back(m));
        })
        .Then([&](CWnd* m) {
            pages.push_back(Active(m));
            EXPECT_TRUE(Messages().empty());
            EXPECT_INPUT(UserInput::Next(m));
        })
        .Then([&](CWnd* m) {
            // The value typed before going back is gone: the page shows the
            // stored one again. Type it once more and try to go on.
            EXPECT_INPUT(UserInput::Type(UserInput::FindControl(m, std::to_string(kThickness)), "50"));
            EXPECT_INPUT(UserInput::Next(m));
        })
        .Then([&](CWnd* m) {
            pages.push_back(Active(m));
            EXPECT_INPUT(UserInput::Type(UserInput::FindControl(m, std::to_string(kThickness)), "4"));
            EXPECT_INPUT(UserInput::Type(UserInput::FindControl(m, std::to_string(kName)), ""));
            static_cast<CPropertySheet*>(m)->SetWizardButtons(PSWIZB_FINISH);
        })
        .Then([&](CWnd* m) { EXPECT_INPUT(UserInput::Finish(m)); })
        .Then([&](CWnd* m) {
            pages.push_back(Active(m));
            EXPECT_INPUT(UserInput::Type(UserInput::FindControl(m, std::to_string(kName)), "cover"));
            EXPECT_INPUT(UserInput::Finish(m));
        });
    EXPECT_EQ(wizard.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(pages, (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Thickness is out of range.", "Name cannot be blank."}));
    EXPECT_DOUBLE_EQ(wizard.thickness, 0.004);

    // Finish stored the bound values in the temporary file.
    MKeywordFile saved;
    EXPECT_TRUE(saved.Load(wizard.GetTempFileName()));
    EXPECT_EQ(saved.GetValue("TEST_THICKNESS"), "0.004");
    EXPECT_EQ(saved.GetValue("TEST_NAME"), "cover");
}

TEST(WizardPage, HelpOnCaptionAndCaptionChange)
{
    CWinApp app;
    TestWizard wizard(2, nullptr, true);
    wizard.SetCaption(CString("Before"));
    StepAgent agent;
    std::vector<CUiLogRecord> help;
    std::vector<std::string> titles;
    auto helpOn = [&](CWnd* m, int id) {
        ClearUiLog();
        CWnd* page = UserInput::ActiveDialog(m);
        CWnd* control = page->GetDlgItem(id);
        EXPECT_INPUT(UserInput::Help(m, control));
        ASSERT_EQ(GetUiLog().size(), 1u);
        help.push_back(GetUiLog().front());
    };
    agent.Then([&](CWnd* m) {
             titles.push_back(UserInput::Title(m));
             wizard.SetCaption(CString("After")); // a shown sheet changes its title at once
             titles.push_back(UserInput::Title(m));
             EXPECT_INPUT(UserInput::Next(m));
         })
        .Then([&](CWnd* m) {
            titles.push_back(UserInput::Title(m));
            helpOn(m, IDC_STATIC);
            helpOn(m, kNotes);
            SetKeyDown(VK_F1, true); // F1 asks for the topic of what has the focus
            helpOn(m, IDC_STATIC);
            SetKeyDown(VK_SHIFT, true); // Shift+F1 is the "?" help again
            helpOn(m, IDC_STATIC);
            SetKeyDown(VK_F1, false);
            SetKeyDown(VK_SHIFT, false);
            EXPECT_INPUT(UserInput::Cancel(m));
        });
    wizard.DoModal();
    ASSERT_EQ(help.size(), 4u);
    EXPECT_EQ(help[0].helpId, kFieldHelp);
    EXPECT_EQ(help[0].type, HELP_CONTEXTPOPUP);
    EXPECT_EQ(help[1].helpId, kFieldHelp);
    EXPECT_EQ(help[2].helpId, kCaptionHelp);
    EXPECT_EQ(help[2].type, HELP_CONTEXT);
    EXPECT_EQ(help[3].helpId, kFieldHelp);
    EXPECT_EQ(titles, (std::vector<std::string>{"Before", "After", "After"}));
}

TEST_F(ProjectFixture, StartNodeTempFileAndResults)
{
    // A flow input under a flow result under another flow result.
    ZQ_PM_Node* root = tree.GetRootNode();
    ZQ_PM_Node* oldResult = tree.AddNode(root, kNodeResult, kSubFlow, "old", "old.flr");
    ZQ_PM_Node* stale = tree.AddNode(oldResult, kNodeResult, kSubFlow, "stale", "stale.flr");
    ASSERT_TRUE(tree.SetNodeState(stale, kStateOutOfDate));
    wiztest::WriteBytes(dir / "run.fin", "3DFLOW_ANALYSIS_AIM: FILLING\r\n");
    ZQ_PM_Node* input = tree.AddNode(stale, kNodeInput, kSubFlow, "My run", "run.fin");
    ASSERT_TRUE(input);

    std::string tempName;
    {
        CWizard wizard(0, input);
        tempName = wizard.GetTempFileName();
        ASSERT_TRUE(wizard.Prepare());
        MKeywordFile temp;
        EXPECT_TRUE(temp.Load(tempName));
        EXPECT_EQ(temp.GetValue("3DFLOW_ANALYSIS_AIM"), "FILLING");
        EXPECT_EQ(temp.GetValue("ANALYSIS_DESCRIPTION"), "My run");
        EXPECT_EQ(wizard.GetPrevResultNode(kSubFlow), oldResult); // out-of-date results are passed over
        EXPECT_EQ(wizard.GetPrevResultNode(kSubCooling), nullptr);
        EXPECT_EQ(wizard.GetJobSubmission(), kJobSubmitLater);
        EXPECT_EQ(wizard.GetResultNode(), nullptr);
        CFilePath(tempName).SetReadOnly(true);
    }
    EXPECT_FALSE(CFilePath(tempName).Exists());

    CWizard onResult(0, oldResult);
    EXPECT_EQ(onResult.GetPrevResultNode(kSubFlow), oldResult);

    // A description already there is kept; a missing file still gives one.
    wiztest::WriteBytes(dir / "run.fin", "ANALYSIS_DESCRIPTION: Cover, first try\r\n");
    CWizard described(0, input);
    ASSERT_TRUE(described.Prepare());
    MKeywordFile temp;
    EXPECT_TRUE(temp.Load(described.GetTempFileName()));
    EXPECT_EQ(temp.GetValue("ANALYSIS_DESCRIPTION"), "Cover, first try");
    std::remove((dir / "run.fin").c_str());
    CWizard missing(0, input);
    ASSERT_TRUE(missing.Prepare());
    EXPECT_TRUE(temp.Load(missing.GetTempFileName()));
    EXPECT_EQ(temp.GetKeywords(), std::vector<std::string>{"ANALYSIS_DESCRIPTION"});
}

TEST_F(ProjectFixture, CancelLeavesTheProjectAlone)
{
    class CreatingWizard : public TestWizard {
    public:
        using TestWizard::TestWizard;
        void OnWizardFinish() override
        {
            TestWizard::OnWizardFinish();
            MKeywordFile file;
            if (!file.Load(m_strTempFile))
                return;
            SetResultNode(GetProjectTree().CreateInputNode(GetStartNode(), file, kSubFlow));
        }
    };
    ZQ_PM_Node* mesh = tree.AddNode(tree.GetRootNode(), kNodeMesh, kSubMidplane, "mesh", "part.zql");
    const std::string before = wiztest::ReadBytes(dir / MProjectTree::ProjectFileName());
    {
        CreatingWizard wizard(3, mesh, true);
        StepAgent agent;
        agent.Then([&](CWnd* m) { EXPECT_INPUT(UserInput::Next(m)); })
            .Then([&](CWnd* m) {
                EXPECT_INPUT(UserInput::Type(UserInput::FindControl(m, std::to_string(kName)), "changed"));
                EXPECT_INPUT(UserInput::Cancel(m));
            });
        EXPECT_EQ(wizard.DoModal(), IDCANCEL);
        EXPECT_EQ(wizard.finishes, 0);
        EXPECT_EQ(wizard.GetResultNode(), nullptr);
    }
    EXPECT_EQ(wiztest::ReadBytes(dir / MProjectTree::ProjectFileName()), before);

    CreatingWizard wizard(1, mesh);
    StepAgent agent;
    agent.Then([&](CWnd* m) { EXPECT_INPUT(UserInput::Finish(m)); });
    EXPECT_EQ(wizard.DoModal(), ID_WIZFINISH);
    ASSERT_NE(wizard.GetResultNode(), nullptr);
    EXPECT_EQ(wizard.GetResultNode()->GetParent(), mesh);
}

TEST_F(ProjectFixture, ProjectTreeListsFindFilesThroughFolders)
{
    ZQ_PM_Node* mesh = tree.AddNode(tree.GetRootNode(), kNodeMesh, kSubMidplane, "mesh", "part.zql");
    tree.AddNode(mesh, kNodeBoundary, kSubFlow, "gates", "gates.bf3");
    ZQ_PM_Node* folder = tree.AddNode(mesh, kNodeFolder, kSubNone, "more", "");
    tree.AddNode(folder, kNodeBoundary, kSubCooling, "cooling", "cool.bc3");
    tree.AddNode(folder, kNodeBoundary, kSubFlow, "Valves", "Valves.bf3");
    tree.AddNode(folder, kNodeMesh, kSub3D, "tets", "part.m3i");

    CWnd parent;
    parent.CreateWnd(WndKind::Dialog, "", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0);
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 90, 90), &parent, 1));
    EXPECT_EQ(FillProjectTreeList(list, dir / "nowhere.zql", kNodeBoundary, kSubFlow, true), -1);
    EXPECT_EQ(FillProjectTreeList(list, dir / "part.zql", kNodeBoundary, kSubFlow, true), 2);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 0), " gates");
    EXPECT_EQ(list.GetItemText(1, 0), " Valves");
    // Meshes match whatever their sub-type; the rows follow those already there.
    EXPECT_EQ(FillProjectTreeList(list, dir / "part.zql", kNodeMesh, kSubNone, false), 1);
    EXPECT_EQ(GetProjectTreeItemPath(list, 2), tree.AbsolutePath("part.m3i"));

    SelectProjectTreeItem(list, tree.AbsolutePath("VALVES.BF3"));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list.GetItemState(1, LVIS_FOCUSED), LVIS_FOCUSED);
    ClearProjectTreeList(list);
    EXPECT_EQ(list.GetItemCount(), 0);
    parent.DestroyWindow();
}

TEST_F(ProjectFixture, FilesThatExistButCannotBeReadFail)
{
    // The input's own settings are what the wizard edits: a folder in their
    // place must not pass for a new, empty analysis.
    std::filesystem::create_directory(dir / "run.fin");
    ZQ_PM_Node* input = tree.AddNode(tree.GetRootNode(), kNodeInput, kSubFlow, "My run", "run.fin");
    ASSERT_TRUE(input);
    CWizard wizard(0, input);
    const CResult prepared = wizard.Prepare();
    EXPECT_FALSE(prepared);
    EXPECT_NE(prepared.GetMessage().find(dir / "run.fin"), std::string::npos) << prepared.GetMessage();

    // Finish saves the bound values into the working file: when it cannot
    // be read back, the Finish fails rather than dropping its other keywords.
    TestWizard finishing(2, nullptr, true);
    std::filesystem::remove(finishing.GetTempFileName());
    std::filesystem::create_directory(finishing.GetTempFileName());
    finishing.OnWizardFinish();
    EXPECT_FALSE(finishing.GetFinishResult());
    EXPECT_NE(finishing.GetFinishResult().GetMessage().find(finishing.GetTempFileName()), std::string::npos);
    std::filesystem::remove(finishing.GetTempFileName());
}
