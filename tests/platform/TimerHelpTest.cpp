// The virtual clock, context help, the grid's cell rules and the file dialogs.
#include "platform/window/CommonDialogs.h"
#include "platform/window/Controls.h"
#include "platform/window/Dialog.h"
#include "platform/window/GridWnd.h"
#include "platform/system/WinApp.h"
#include "StepAgent.h"

#include <gtest/gtest.h>

namespace {

class TimerWnd : public CWnd {
public:
    std::vector<std::string> fired;

protected:
    void OnTimer(UINT_PTR id) override
    {
        fired.push_back(std::to_string(id) + "@" + std::to_string(WndMessages::GetTickCount()));
        if (id == 2)
            KillTimer(2); // one-shot
    }
};

// Closes itself from a one-shot timer, as a window that hides while another runs.
class TimedDialog : public CDialog {
public:
    TimedDialog() : CDialog(30010) {}

protected:
    BOOL OnInitDialog() override
    {
        SetTimer(7, 500);
        return CDialog::OnInitDialog();
    }
    void OnTimer(UINT_PTR id) override
    {
        KillTimer(id);
        EndDialog(IDOK);
    }
};

} // namespace

TEST(Timers, FireInOrderOnTheVirtualClock)
{
    StepAgent agent;
    TimerWnd w;
    w.CreateWnd(WndKind::Window, "", WS_POPUP, CRect(), nullptr, 0);
    const unsigned long long t0 = WndMessages::GetTickCount();
    auto at = [&](int id, unsigned long long ms) { return std::to_string(id) + "@" + std::to_string(t0 + ms); };
    w.SetTimer(1, 100);
    w.SetTimer(2, 150);
    WndMessages::PumpMessages();
    EXPECT_TRUE(w.fired.empty()); // nothing is due before time passes
    UserInput::Wait(250);
    EXPECT_EQ(w.fired, (std::vector<std::string>{at(1, 100), at(2, 150), at(1, 200)}));
    EXPECT_EQ(WndMessages::GetTickCount(), t0 + 250);
    w.SetTimer(1, 100); // setting again restarts the period
    UserInput::Wait(99);
    EXPECT_EQ(w.fired.size(), 3u);
    EXPECT_TRUE(w.KillTimer(1));
    EXPECT_FALSE(w.KillTimer(1));
    UserInput::Wait(1000);
    EXPECT_EQ(w.fired.size(), 3u);
    w.SetTimer(3, 10);
    w.DestroyWindow(); // a dead window's timers go with it
    EXPECT_FALSE(WndMessages::HasPendingTimers());

    // Idle with a timer pending: time passes to it instead of cancelling.
    TimedDialog dlg;
    const unsigned long long t1 = WndMessages::GetTickCount();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(WndMessages::GetTickCount(), t1 + 500);
    // A person who waits less sees the dialog still open.
    agent.Then([&](CWnd* modal) {
        UserInput::Wait(499);
        EXPECT_TRUE(modal->IsWindow());
        EXPECT_EQ(WndMessages::TopModal(), modal);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

namespace {

// Shows the help of the field after a caption, as the wizard pages do.
class HelpDialog : public CDialog {
public:
    HelpDialog() : CDialog(30010) {}
    std::vector<int> asked;

protected:
    BOOL OnInitDialog() override
    {
        GetDlgItem(30201)->SetWindowContextHelpId(0x20201);
        return CDialog::OnInitDialog();
    }
    BOOL OnHelpInfo(HELPINFO* info) override
    {
        asked.push_back(info->iCtrlId);
        if (info->iCtrlId == -1)
            if (CWnd* next = info->hItemHandle->GetWindow(GW_HWNDNEXT))
                info->dwContextId = next->GetWindowContextHelpId();
        if (info->dwContextId == 0)
            return CDialog::OnHelpInfo(info);
        AfxGetApp()->WinHelp(info->dwContextId, HELP_CONTEXTPOPUP);
        return TRUE;
    }
};

} // namespace

TEST(ContextHelp, ReachesTheDialogWithTheControlUnderIt)
{
    StepAgent agent;
    CWinApp app;
    app.m_pszHelpFilePath = "/data/flow.hlp";
    HelpDialog dlg;
    agent.Then([&](CWnd* modal) {
        EXPECT_TRUE(modal->GetExStyle() & WS_EX_CONTEXTHELP);
        EXPECT_INPUT(UserInput::Help(modal, UserInput::FindControl(modal, "Limit:")));
        EXPECT_INPUT(UserInput::Help(modal, UserInput::FindControl(modal, "Ask")));
        EXPECT_INPUT(UserInput::Cancel(modal));
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.asked, (std::vector<int>{-1, 30211}));
    ASSERT_EQ(GetUiLog().size(), 2u);
    EXPECT_EQ(GetUiLog()[0].kind, UiLogKind::HelpPopup);
    EXPECT_EQ(GetUiLog()[0].helpId, 0x20201u);
    EXPECT_EQ(GetUiLog()[0].type, HELP_CONTEXTPOPUP);
    EXPECT_EQ(GetUiLog()[0].text, "/data/flow.hlp");
    EXPECT_EQ(GetUiLog()[1].type, HELP_CONTEXT); // no id: the default help
}

namespace {

class TrackingGrid : public CGXGridWnd {
public:
    std::vector<std::string> moves;

protected:
    void OnMovedCurrentCell(int row, int col) override { moves.push_back(std::to_string(row) + "," + std::to_string(col)); }
};

} // namespace

TEST(Grid, CellsKeepTheirKindAndLimits)
{
    StepAgent agent;
    CWnd parent;
    parent.CreateWnd(WndKind::Dialog, "", WS_POPUP | WS_VISIBLE, CRect(), nullptr, 0);
    TrackingGrid grid;
    ASSERT_TRUE(grid.Create(WS_VISIBLE | WS_TABSTOP, CRect(), &parent, 40));
    grid.Initialize();
    grid.SetRowCount(3);
    grid.SetColCount(2);
    grid.SetValueRange(CGXRange(0, 1), "Time (s)");
    grid.SetValueRange(CGXRange(1, 0), "1");
    grid.SetStyleRange(CGXRange().SetCols(1, 1), CGXStyle()
                                                     .SetUserAttribute(GX_IDS_UA_VALID_MIN, "0")
                                                     .SetUserAttribute(GX_IDS_UA_VALID_MSG, "Enter a time of 0 or more."));
    grid.SetStyleRange(CGXRange(1, 2, 3, 2),
                       CGXStyle().SetControl(GX_IDS_CTRL_CBS_DROPDOWNLIST).SetChoiceList("Open\nClosed"));
    grid.SetStyleRange(CGXRange(3, 1), CGXStyle().SetEnabled(false));
    EXPECT_EQ(grid.GetValueRowCol(0, 1), "Time (s)");

    EXPECT_INPUT(UserInput::SetCell(&grid, 1, 1, "2.5"));
    EXPECT_INPUT(UserInput::SetCell(&grid, 2, 1, "-1")); // refused with the cell's message
    EXPECT_INPUT(UserInput::SetCell(&grid, 2, 2, "Closed"));
    // A drop-down list has nothing else to pick: the step fails and says what it offers.
    EXPECT_EQ(UserInput::SetCell(&grid, 1, 2, "Ajar").reason,
              "control 40: cell 1,2 has no item \"Ajar\" (its items: \"Open\", \"Closed\")");
    EXPECT_FALSE(UserInput::SetCell(&grid, 3, 1, "1").ok);  // greyed
    EXPECT_FALSE(UserInput::SetCell(&grid, 4, 1, "1").ok);  // no such row
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "2.5");
    EXPECT_EQ(grid.GetValueRowCol(2, 1), "");
    EXPECT_EQ(grid.GetValueRowCol(2, 2), "Closed");
    EXPECT_EQ(grid.GetValueRowCol(1, 2), "");
    ASSERT_EQ(GetUiLog().size(), 1u);
    EXPECT_EQ(GetUiLog()[0].text, "Enter a time of 0 or more.");
    EXPECT_EQ(grid.moves, (std::vector<std::string>{"1,1", "2,1", "2,2"}));

    // Rows inserted ahead move the current cell and keep the values with their rows.
    grid.InsertRows(1, 2);
    int row = 0, col = 0;
    EXPECT_TRUE(grid.GetCurrentCell(row, col));
    EXPECT_EQ(row, 4);
    EXPECT_EQ(grid.GetValueRowCol(3, 1), "2.5");
    EXPECT_EQ(grid.GetRowCount(), 5);
    grid.RemoveRows(1, 5);
    EXPECT_FALSE(grid.GetCurrentCell(row, col));
}

TEST(FileDialogs, ReturnTheAgentsChoiceAndLogIt)
{
    StepAgent agent;
    agent.Choose(std::string("C:\\models\\part")).Choose(std::nullopt).Choose(std::string("/tmp/out"));
    CFileDialog open(true, "stl", nullptr, OFN_FILEMUSTEXIST, "STL (*.stl)|*.stl||");
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(agent.lastFile.kind, CFileDialogRequest::Open);
    EXPECT_EQ(agent.lastFile.filter, "STL (*.stl)|*.stl||");
    EXPECT_EQ(open.GetPathName(), "C:\\models\\part.stl"); // the default extension is added
    EXPECT_EQ(open.GetFileName(), "part.stl");
    EXPECT_EQ(open.GetFileTitle(), "part");
    EXPECT_EQ(open.GetFolderPath(), "C:\\models");
    CFileDialog save(false);
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    CFolderBrowser folder("Pick");
    ASSERT_EQ(folder.DoModal(), IDOK);
    EXPECT_EQ(folder.GetFolderPath(), "/tmp/out");
    ASSERT_EQ(GetUiLog().size(), 3u);
    EXPECT_EQ(FormatUiLogRecord(GetUiLog()[1]), "file: (cancelled)");
    EXPECT_EQ(GetUiLog()[2].kind, UiLogKind::FolderDialog);
    {
        CWaitCursor wait;
        CWaitCursor inner;
        EXPECT_EQ(CWaitCursor::Depth(), 2);
    }
    EXPECT_EQ(CWaitCursor::Depth(), 0);
}
