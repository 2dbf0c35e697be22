// The script and terminal agents driving the small test sheet of
// TestSheet.rc the way the wizard tests will drive the wizards.
#include "platform/window/CommonDialogs.h"
#include "platform/window/Controls.h"
#include "platform/window/DataExchange.h"
#include "platform/window/ListBoxes.h"
#include "platform/window/ListCtrl.h"
#include "platform/window/PropertySheet.h"
#include "platform/agents/ScriptAgent.h"
#include "platform/agents/TerminalAgent.h"
#include "platform/agents/UiLog.h"
#include "platform/agents/UserInput.h"

#include "TestSheet.h"

#include "SheetScript.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class PartPage : public CPropertyPage {
public:
    PartPage() : CPropertyPage(kPartPage) {}
    std::string name;
    int shape = 0, cooling = 0, material = -1;
    std::string gates;
    OptionsDialog options;
    intptr_t optionsResult = 0;

    BOOL OnSetActive() override
    {
        GetSheet()->SetWizardButtons(PSWIZB_NEXT);
        return CPropertyPage::OnSetActive();
    }

protected:
    BOOL OnInitDialog() override
    {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(kMaterial));
        for (const char* m : {"PP", "ABS", "PC"})
            combo->AddString(m);
        auto* list = static_cast<CListBox*>(GetDlgItem(kGates));
        for (const char* g : {"G1", "G2", "G3"})
            list->AddString(g);
        const BOOL result = CPropertyPage::OnInitDialog();
        GetDlgItem(kOptions)->EnableWindow(cooling != 0);
        return result;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kName, name);
        DDX_Radio(pDX, kSquare, shape);
        DDX_Check(pDX, kCooling, cooling);
        DDX_CBIndex(pDX, kMaterial, material);
        if (pDX->m_bSaveAndValidate)
            gates = UserInput::ControlValue(GetDlgItem(kGates));
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kOptions && HIWORD(wParam) == BN_CLICKED) {
            optionsResult = options.DoModal();
            return TRUE;
        }
        // The options only make sense for a part that is cooled.
        if (LOWORD(wParam) == kCooling && HIWORD(wParam) == BN_CLICKED)
            GetDlgItem(kOptions)->EnableWindow(IsDlgButtonChecked(kCooling) == BST_CHECKED);
        return CPropertyPage::OnCommand(wParam, lParam);
    }
};

class ResultsPage : public CPropertyPage {
public:
    ResultsPage() : CPropertyPage(kResultsPage) {}
    int count = 1;

    BOOL OnSetActive() override
    {
        GetSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
        return CPropertyPage::OnSetActive();
    }

protected:
    BOOL OnInitDialog() override
    {
        auto* list = static_cast<CListCtrl*>(GetDlgItem(kResults));
        list->InsertColumn(0, "Result");
        list->InsertItem(0, "Fill time");
        list->InsertItem(1, "Pressure");
        return CPropertyPage::OnInitDialog();
    }
    // As the wizards do: Finish takes the page's values, checked.
    BOOL OnWizardFinish() override { return UpdateData(TRUE); }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kCount, count); }
};

struct TestSheet {
    PartPage part;
    ResultsPage results;
    CPropertySheet sheet{30001u};
    TestSheet()
    {
        sheet.AddPage(&part);
        sheet.AddPage(&results);
        sheet.SetWizardMode();
    }
};

using ScriptRun = SheetScriptRun;

SheetScriptRun RunScript(const std::string& script, TestSheet& t) { return RunSheetScript(script, t.sheet); }

} // namespace

TEST(ScriptAgent, DrivesTheTestSheetEndToEnd)
{
    TestSheet t;
    const ScriptRun run = RunScript(R"(# the whole sheet, as a person would
expect dialog IDD_TEST_PAGE1
expect disabled < Back
expect disabled Options...
type "Part name:"    Lid  # not a comment: the rest of the line
type 30101 "Lid \"A\""
click Round
expect checked IDC_TEST_ROUND
expect unchecked Square
check Cooling on
expect enabled Options...
select IDC_TEST_MATERIAL "PC"
expect text 30131 PC
select Gates: #1
select 30141 #2
click Options...
  expect dialog 30010
  expect text 30201 "5"
  type Limit: 9
  click Ask
  expect message Keep the limit?
  answer No
  ok
expect dialog 30001
next
expect dialog 30002
expect hidden Nothing to note
type "Cavity count:" abc
finish
expect message Please enter an integer.
answer OK
expect dialog 30002
select 30171 Pressure
type "Cavity count:" 4
show
finish
)",
                              t);
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, ID_WIZFINISH);
    EXPECT_EQ(t.part.name, "Lid \"A\"");
    EXPECT_EQ(t.part.shape, 1);
    EXPECT_EQ(t.part.cooling, 1);
    EXPECT_EQ(t.part.material, 1); // sorted: ABS, PC, PP
    EXPECT_EQ(t.part.options.answer, IDNO);
    EXPECT_EQ(t.part.options.limit, 9);
    EXPECT_EQ(t.part.optionsResult, IDOK);
    EXPECT_EQ(t.results.count, 4);
    EXPECT_NE(run.shown.find("== Test Sheet (dialog 30002) ==\n"), std::string::npos) << run.shown;
    EXPECT_NE(run.shown.find("  30161  edit     = \"4\"  [focus]\n"), std::string::npos) << run.shown;
    EXPECT_NE(run.shown.find("  30171  listview = \"Pressure\"\n"), std::string::npos) << run.shown;
    EXPECT_NE(run.shown.find("buttons: [< Back] [Finish] [Cancel]"), std::string::npos) << run.shown;
    ASSERT_EQ(GetUiLog().size(), 2u);
    EXPECT_EQ(GetUiLog()[0].result, IDNO);
}

// Each failure names its script line, says why, and closes every window,
// nested ones included.
TEST(ScriptAgent, FailuresStopTheRunAtTheirLine)
{
    struct Case {
        const char* script;
        const char* failure;
    };
    const Case cases[] = {
        {"expect dialog 30001\nclick Options...\n", "t.agent:2: control 30151 \"Options...\" is disabled"},
        {"\n\nclick Nowhere\n", "t.agent:3: no control \"Nowhere\" in dialog 30001"},
        {"type 30101 x\nexpect text 30101 y\n", "t.agent:2: control \"30101\" shows \"x\", expected \"y\""},
        {"expect dialog 30002\n", "t.agent:1: expected dialog 30002, but dialog 30001 \"Test Sheet\" is showing"},
        {"expect dialog IDD_NOPE\n", "t.agent:1: unknown dialog \"IDD_NOPE\""},
        {"expect visible 30101\nexpect hidden 30101\n", "t.agent:2: control \"30101\" is visible, expected hidden"},
        {"answer OK\n", "t.agent:1: no message box is showing"},
        {"choose /tmp/x\n", "t.agent:1: no file or folder dialog is showing"},
        {"expect message Hello\n", "t.agent:1: no message box has been shown"},
        {"check Round off\n", "t.agent:1: control 30112 \"Round\" is a radio button: check another one of its group"},
        {"check Cooling on\nclick Options...\nclick Ask\nnext\n",
         "t.agent:4: a message box is showing (\"Keep the limit?\"), expected 'answer'"},
        {"check Cooling on\nclick Options...\nclick Ask\nexpect message Keep it?\n",
         "t.agent:4: the message is \"Keep the limit?\", expected \"Keep it?\""},
        {"check Cooling on\nclick Options...\nclick Ask\nanswer OK\n",
         "t.agent:4: the message box \"Keep the limit?\" has no such button"},
        {"check Cooling on\nclick Options...\nclick Missing\n", "t.agent:3: no control \"Missing\" in dialog 30010"},
        {"cancel\nnext\n", "t.agent:2: no window is open for 'next'"},
        {"tab #0\n", "t.agent:1: the window has no tabs"},
        {"expect tabs Part\n", "t.agent:1: dialog 30001 has no tabs"},
    };
    for (const Case& c : cases) {
        TestSheet t;
        const ScriptRun run = RunScript(c.script, t);
        EXPECT_EQ(run.failure, c.failure) << c.script;
        EXPECT_EQ(run.result, IDCANCEL) << c.script;
        EXPECT_TRUE(WndMessages::ModalStack().empty()) << c.script;
        EXPECT_NE(t.part.optionsResult, IDOK) << c.script;
    }

    // A script that simply ends leaves the windows to be cancelled; that is no failure.
    TestSheet t;
    const ScriptRun run = RunScript("check Cooling on\nclick Options...\ntype 30201 7\n", t);
    EXPECT_EQ(run.failure, "");
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(t.part.optionsResult, IDCANCEL);
    EXPECT_EQ(t.part.options.limit, 5);
}

TEST(TerminalAgent, PromptsShowsTheWindowAndForgivesMistakes)
{
    ClearUiLog();
    WndMessages::Reset();
    TestSheet t;
    std::istringstream in("?\n"
                          "frobnicate\n"
                          "click Nowhere\n"
                          "expect dialog 30001\n"
                          "type 30101 Cup\n"
                          "check Cooling on\n"
                          "click Options...\n"
                          "click Ask\n"
                          "Maybe\n"
                          "yes\n"
                          "ok\n"
                          "next\n");
    std::ostringstream out;
    CTerminalAgent agent(in, out);
    intptr_t result;
    {
        CUserAgentScope scope(&agent);
        result = t.sheet.DoModal();
    }
    const std::string text = out.str();
    // The input ran out on the second page: everything is cancelled.
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(agent.InputEnded());
    EXPECT_EQ(t.part.name, "Cup");
    EXPECT_EQ(t.part.options.answer, IDYES);
    for (const char* expected : {
             "== Test Sheet (dialog 30001) ==\n",
             "  -      static   \"Part name:\"\n",
             "  30101  edit     = \"\"  [focus]\n",
             "  30111  radio    \"Square\" = on\n",
             "  30151  button   \"Options...\"  [disabled]\n",
             "  buttons: [< Back (disabled)] [Next >] [Cancel]\n",
             "  click ID                 click a button",
             "error: unknown command 'frobnicate' (? lists the commands)\n",
             "error: no control \"Nowhere\" in dialog 30001\n",
             "ok\n",
             "== Options (dialog 30010) ==\n",
             "Keep the limit?\n  [Yes*] [No]\nanswer> ",
             "error: answer with one of the buttons\n",
             "== Test Sheet (dialog 30002) ==\n",
         })
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n---\n" << text;
}
