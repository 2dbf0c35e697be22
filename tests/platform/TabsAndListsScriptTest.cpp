// The agents on a tabbed options sheet built here in code: a page that may
// refuse to be left, lists that take several selections, a report list and a
// grid with drop-down cells, the way the advanced options sheets and timing
// grids will be driven.
#include "platform/agents/AgentScript.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/TerminalAgent.h"
#include "platform/agents/UiLog.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/DataExchange.h"
#include "platform/window/GridWnd.h"
#include "platform/window/ListBoxes.h"
#include "platform/window/ListCtrl.h"
#include "platform/window/PropertySheet.h"

#include "SheetScript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

constexpr int kGeneralPage = 31001, kListsPage = 31002, kTimingPage = 31003;
constexpr int kLimit = 31101, kGates = 31111, kSides = 31112, kResults = 31121, kGrid = 31131;
// The list view the template gives no id gets the next one after the largest.
constexpr int kUnnamedList = kResults + 1;

CDlgItemTemplate Item(int id, DlgItemClass kind, const char* text, DWORD style, const char* className = "")
{
    CDlgItemTemplate item;
    item.id = id;
    item.itemClass = kind;
    item.text = text;
    item.className = className;
    item.style = WS_CHILD | WS_VISIBLE | style;
    item.rect = {7, 7, 100, 40};
    return item;
}

CDialogTemplate Page(int id, const char* caption, std::vector<CDlgItemTemplate> items)
{
    CDialogTemplate t;
    t.id = id;
    t.caption = caption;
    t.style = WS_CHILD | DS_CONTROL;
    t.rect = {0, 0, 200, 120};
    t.items = std::move(items);
    return t;
}

using Log = std::vector<std::string>;

// Records every arrival and departure in the sheet's log.
class LoggedPage : public CPropertyPage {
public:
    LoggedPage(const CDialogTemplate& t, Log& log) : CPropertyPage(static_cast<UINT>(t.id)), m_log(log)
    {
        SetTemplate(t);
    }
    BOOL OnSetActive() override
    {
        m_log.push_back("set " + GetTitle());
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        const BOOL left = CPropertyPage::OnKillActive();
        m_log.push_back("kill " + GetTitle() + (left ? "" : " refused"));
        return left;
    }

protected:
    Log& m_log;
};

class GeneralPage : public LoggedPage {
public:
    explicit GeneralPage(Log& log)
        : LoggedPage(Page(kGeneralPage, "&General",
                          {Item(-1, DlgItemClass::kStatic, "Limit:", 0),
                           Item(kLimit, DlgItemClass::kEdit, "", WS_TABSTOP | ES_AUTOHSCROLL)}),
                     log)
    {
    }
    int limit = 5;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kLimit, limit);
        if (pDX->m_bSaveAndValidate && limit > 100) {
            AfxMessageBox("The limit is at most 100.\nEnter a smaller one.");
            pDX->Fail();
        }
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kLimit && HIWORD(wParam) == EN_KILLFOCUS)
            m_log.push_back("limit loses the focus");
        return LoggedPage::OnCommand(wParam, lParam);
    }
};

class ListsPage : public LoggedPage {
public:
    explicit ListsPage(Log& log)
        : LoggedPage(Page(kListsPage, "Lists",
                          {Item(-1, DlgItemClass::kStatic, "Gates:", 0),
                           Item(kGates, DlgItemClass::kListBox, "", WS_TABSTOP | LBS_EXTENDEDSEL | LBS_NOTIFY),
                           Item(-1, DlgItemClass::kStatic, "Sides:", 0),
                           Item(kSides, DlgItemClass::kListBox, "", WS_TABSTOP | LBS_MULTIPLESEL | LBS_NOTIFY),
                           Item(kResults, DlgItemClass::kListView, "", WS_TABSTOP | LVS_REPORT),
                           Item(-1, DlgItemClass::kListView, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL)}),
                     log)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        auto* gates = static_cast<CListBox*>(GetDlgItem(kGates));
        for (const char* g : {"G1", "G2", "G3", "G4"})
            gates->AddString(g);
        auto* sides = static_cast<CListBox*>(GetDlgItem(kSides));
        for (const char* s : {"Top", "Left", "Right"})
            sides->AddString(s);
        auto* results = static_cast<CListCtrl*>(GetDlgItem(kResults));
        results->InsertColumn(0, "Result");
        results->InsertColumn(1, "Value");
        const char* rows[][2] = {{"Fill time", "1.2"}, {"Pressure", "12.5"}, {"Warpage", ""}};
        for (int i = 0; i < 3; ++i) {
            results->InsertItem(i, rows[i][0]);
            results->SetItemText(i, 1, rows[i][1]);
        }
        return LoggedPage::OnInitDialog();
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == LBN_SELCHANGE)
            m_log.push_back("selchange " + std::to_string(LOWORD(wParam)) +
                            (GetKeyState(VK_CONTROL) < 0 ? " ctrl" : "") + (GetKeyState(VK_SHIFT) < 0 ? " shift" : ""));
        return LoggedPage::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (nm->hdr.code == LVN_ITEMCHANGED && ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED))
            m_log.push_back("item " + std::to_string(nm->iItem) +
                            ((nm->uNewState & LVIS_SELECTED) ? " selected" : " unselected"));
        return LoggedPage::OnNotify(wParam, lParam, result);
    }
};

class TimingPage : public LoggedPage {
public:
    explicit TimingPage(Log& log)
        : LoggedPage(Page(kTimingPage, "Timing", {Item(kGrid, DlgItemClass::kCustom, "", WS_TABSTOP, "GXWND")}), log)
    {
    }
    CGXGridWnd* Grid() { return static_cast<CGXGridWnd*>(GetDlgItem(kGrid)); }
    std::string firstState; // the first row's state cell, as the page was left

    BOOL OnKillActive() override
    {
        firstState = Grid()->GetValueRowCol(1, 1);
        return LoggedPage::OnKillActive();
    }

protected:
    // Laid out as the valve-gate timing grid: a state per row whose value is
    // the chosen entry's index, then a time.
    BOOL OnInitDialog() override
    {
        CGXGridWnd* grid = Grid();
        grid->SetRowCount(2);
        grid->SetColCount(2);
        grid->SetValueRange(CGXRange(0, 1), "Initial State");
        grid->SetValueRange(CGXRange(1, 0), "1\n");
        grid->SetValueRange(CGXRange(2, 0), "2\n");
        grid->SetStyleRange(CGXRange(1, 1, 2, 1), CGXStyle()
                                                      .SetControl(GX_IDS_CTRL_ZEROBASED_EX)
                                                      .SetChoiceList("Open\nClosed\nFlow front")
                                                      .SetValue("0"));
        grid->SetStyleRange(CGXRange(1, 2, 2, 2), CGXStyle().SetUserAttribute(GX_IDS_UA_VALID_MIN, "0"));
        return LoggedPage::OnInitDialog();
    }
};

struct OptionsSheet {
    Log log;
    GeneralPage general{log};
    ListsPage lists{log};
    TimingPage timing{log};
    CPropertySheet sheet{std::string("Options")};
    OptionsSheet()
    {
        sheet.AddPage(&general);
        sheet.AddPage(&lists);
        sheet.AddPage(&timing);
    }
};

using SheetRun = SheetScriptRun;

SheetScriptRun RunScript(const std::string& script, OptionsSheet& t) { return RunSheetScript(script, t.sheet); }

} // namespace

// A tab is clicked as a person clicks it: the tab row takes the focus, the
// page being left is asked and may refuse with a message of two lines.
TEST(TabbedSheetScript, TabsComeToFrontAsAClickBringsThem)
{
    OptionsSheet t;
    const SheetRun run = RunScript(R"(expect tabs General Lists Timing
expect tab General
show
tab Lists
expect dialog 31002
expect tab Lists
tab #0
type Limit: 500
tab Timing
expect message "The limit is at most 100.\nEnter a smaller one."
answer OK
expect tab General
type Limit: 50
tab Timing
expect tab Timing
show
ok
)",
                              t);
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(t.general.limit, 50);
    EXPECT_NE(run.shown.find("== Options (dialog 31001) ==\n  tabs: [General (active)] [Lists] [Timing]\n"),
              std::string::npos)
        << run.shown;
    EXPECT_NE(run.shown.find("  tabs: [General] [Lists] [Timing (active)]\n  31131  grid     = \"2 rows\"\n"),
              std::string::npos)
        << run.shown;
    // The edit hears it lost the focus before its page is asked to let go.
    const Log expected = {"set &General", "limit loses the focus", "kill &General",         // tab Lists
                          "set Lists",    "kill Lists",            "set &General",          // tab #0
                          "limit loses the focus", "kill &General refused",                 // tab Timing
                          "limit loses the focus", "kill &General", "set Timing",           // tab Timing
                          "kill Timing"};                                                   // ok
    EXPECT_EQ(t.log, expected);
}

TEST(TabbedSheetScript, ListsTakeSeveralSelectionsByCtrlAndShiftClicks)
{
    OptionsSheet t;
    const SheetRun run = RunScript(R"(tab Lists
selection Gates: add G2
selection Gates: add #3
selection Gates: add G2
expect text 31111 "G2, G4"
selection Gates: extend G1
expect text 31111 "G1, G2, G3, G4"
selection Gates: remove G3
selection Gates: remove G3
expect text 31111 "G1, G2, G4"
selection Gates: clear
expect text 31111 ""
selection Gates: all
expect text 31111 "G1, G2, G3, G4"
selection Sides: add Top
selection Sides: add Right
selection Sides: remove Top
expect text 31112 Right
selection 31121 add Fill time
selection 31121 add #2
expect text 31121 "Fill time, Warpage"
show
selection 31121 all
selection 31121 clear
expect text 31121 ""
)",
                              t);
    EXPECT_EQ(run.failure, "");
    // Ctrl-clicks notify with Ctrl held; a click on a selected item to add it
    // (or on an unselected one to remove it) is not made at all.
    const Log lists(std::find(t.log.begin(), t.log.end(), "set Lists") + 1, t.log.end());
    const Log expected = {
        "selchange 31111 ctrl",  "selchange 31111 ctrl",                              // add G2, add G4
        "selchange 31111 shift",                                                      // extend to G1
        "selchange 31111 ctrl",                                                       // remove G3
        "selchange 31111 ctrl",  "selchange 31111 ctrl", "selchange 31111 ctrl",      // clear: one per item
        "selchange 31111",       "selchange 31111 shift",                             // all: first, Shift-last
        "selchange 31112",       "selchange 31112",      "selchange 31112",           // plain clicks toggle
        "item 0 selected",       "item 2 selected",                                   // Ctrl-clicks add
        "item 2 unselected",                                                          // all: click the first...
        "item 1 selected",       "item 2 selected",                                   // ...Shift-click the last
        "item 0 unselected",     "item 1 unselected",    "item 2 unselected"};        // a click below the items
    EXPECT_EQ(lists, expected);
    EXPECT_NE(run.shown.find("  31111  list     = \"G1, G2, G3, G4\"  [multiple]\n"), std::string::npos) << run.shown;
    EXPECT_NE(run.shown.find("  31121  listview = \"Fill time, Warpage\"  [multiple]  [focus]\n"), std::string::npos)
        << run.shown;
    EXPECT_NE(run.shown.find("  31122  listview\n"), std::string::npos) << run.shown;
}

TEST(TabbedSheetScript, CellsAndRowsOfListsAndGridsAreReadAndEntered)
{
    OptionsSheet t;
    t.sheet.SetActivePage(2);
    const SheetRun run = RunScript(R"(expect tab Timing
expect rows 31131 2
expect cell 31131 0 1 "Initial State"
expect cell 31131 2 0 "2\n"
expect cell 31131 1 1 Open
cell 31131 1 1 Flow front
expect cell 31131 1 1 Flow front
cell 31131 2 2 4.5
expect cell 31131 2 2 4.5
tab Lists
expect rows 31121 3
expect rows Gates: 4
expect rows 31122 0
expect cell 31121 1 1 12.5
expect cell 31121 2 0 Warpage
expect cell 31121 2 1 ""
)",
                              t);
    EXPECT_EQ(run.failure, "");
    // The state cell keeps the index of the item picked by its text.
    EXPECT_EQ(t.timing.firstState, "2");
    EXPECT_EQ(t.log, (Log{"set Timing", "kill Timing", "set Lists"}));
}

// Every new failure names its line and says why on one line.
TEST(TabbedSheetScript, FailuresSayWhyOnTheirLine)
{
    struct Case {
        const char* script;
        const char* failure;
    };
    const Case cases[] = {
        {"tab Nowhere\n", "t.agent:1: there is no tab \"Nowhere\" (the tabs: \"General\", \"Lists\", \"Timing\")"},
        {"\ntab #3\n", "t.agent:2: there is no tab #3 (there are 3)"},
        {"expect tabs General Timing Lists\n",
         "t.agent:1: the tabs are \"General\" \"Lists\" \"Timing\", expected \"General\" \"Timing\" \"Lists\""},
        {"expect tab Lists\n", "t.agent:1: tab \"General\" is in front, expected \"Lists\""},
        {"tab Timing\ncell 31131 1 1 Ajar\n",
         "t.agent:2: control 31131: cell 1,1 has no item \"Ajar\" (its items: \"Open\", \"Closed\", \"Flow front\")"},
        {"tab Timing\nexpect cell 31131 3 1 Open\n",
         "t.agent:2: control 31131 has no cell 3,1 (it has rows 1 to 2 and columns 1 to 2, headings at 0)"},
        {"tab Timing\ncell 31131 3 1 Open\n", "t.agent:2: control 31131 has no cell 3,1"},
        {"tab Timing\nexpect cell 31131 1 1 Closed\n",
         "t.agent:2: cell 1,1 of \"31131\" shows \"Open\", expected \"Closed\""},
        {"tab Lists\nexpect cell 31121 3 0 x\n",
         "t.agent:2: control 31121 has no cell 3,0 (it has 3 rows and 2 columns, from 0)"},
        {"tab Lists\nexpect rows 31121 4\n", "t.agent:2: control \"31121\" has 3 rows, expected 4"},
        {"tab Lists\nselection Gates: add G9\n", "t.agent:2: control 31111 has no item \"G9\""},
        {"tab Lists\nselection Gates: remove #4\n", "t.agent:2: control 31111 has no item #4 (it has 4)"},
        {"tab Lists\nselection Sides: extend Top\n",
         "t.agent:2: control 31112 toggles each item it is clicked on: Shift-click does not extend its selection"},
        {"tab Lists\nselection 31122 all\n", "t.agent:2: control 31122 takes one selection: use select"},
        {"selection Limit: clear\n", "t.agent:1: control 31101 \"5\" is not a list box or list view"},
        {"expect rows Limit: 1\n", "t.agent:1: control 31101 \"5\" has no rows"},
        {"type Limit: 500\ntab Lists\nexpect message The limit is at most 100.\n",
         "t.agent:3: the message is \"The limit is at most 100.\\nEnter a smaller one.\", expected \"The limit is at "
         "most 100.\""},
        {"type Limit: 500\ntab Lists\ntab Lists\n",
         "t.agent:3: a message box is showing (\"The limit is at most 100.\\nEnter a smaller one.\"), expected "
         "'answer'"},
    };
    for (const Case& c : cases) {
        OptionsSheet t;
        const SheetRun run = RunScript(c.script, t);
        EXPECT_EQ(run.failure, c.failure) << c.script;
        EXPECT_EQ(run.result, IDCANCEL) << c.script;
        EXPECT_TRUE(WndMessages::ModalStack().empty()) << c.script;
    }
}

TEST(TabbedSheetTerminal, HelpListsTheNewCommandsAndTheDumpShowsTabsAndSelections)
{
    ClearUiLog();
    WndMessages::Reset();
    OptionsSheet t;
    std::istringstream in("?\n"
                          "tab Nowhere\n"
                          "tab Lists\n"
                          "selection Gates: add #1\n"
                          "selection Gates: extend #3\n"
                          "expect tabs General Lists Timing\n");
    std::ostringstream out;
    CTerminalAgent agent(in, out);
    {
        CUserAgentScope scope(&agent);
        EXPECT_EQ(t.sheet.DoModal(), IDCANCEL);
    }
    const std::string text = out.str();
    for (const char* expected : {
             "  tabs: [General (active)] [Lists] [Timing]\n",
             "  tab CAPTION | #N ",
             "  selection ID add|remove|extend ITEM | #N\n",
             "  selection ID clear|all ",
             "  expect tabs CAPTION... ",
             "  expect cell ID ROW COL TEXT ",
             "\\n for a line feed",
             "error: there is no tab \"Nowhere\"",
             "  tabs: [General] [Lists (active)] [Timing]\n",
             "  31111  list     = \"G2, G3, G4\"  [multiple]  [focus]\n",
             "  31112  list  [multiple]\n",
             "ok\n",
         })
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n---\n" << text;
}
