// Window operations that change no pixels still keep the state a caller reads back.
#include "platform/window/GridWnd.h"
#include "platform/window/PropertySheet.h"
#include "platform/agents/UserInput.h"
#include "StepAgent.h"
#include "TestSheet.h"

#include <gtest/gtest.h>

TEST(WindowState, GridHidesColumnsAndKeepsTheirCells)
{
    CWnd parent;
    parent.CreateWnd(WndKind::Window, "", WS_VISIBLE, CRect(0, 0, 200, 200), nullptr, 0);
    CGXGridWnd grid;
    ASSERT_TRUE(grid.Create(WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 50));
    grid.Initialize();
    grid.SetRowCount(2);
    grid.SetColCount(3);
    grid.SetValueRange(CGXRange(1, 2), "kept");

    EXPECT_TRUE(grid.HideCols(2, 3));
    EXPECT_FALSE(grid.IsColHidden(1));
    EXPECT_TRUE(grid.IsColHidden(2));
    EXPECT_TRUE(grid.IsColHidden(3));
    EXPECT_EQ(grid.GetValueRowCol(1, 2), "kept");
    EXPECT_TRUE(grid.HideCols(3, 3, false));
    EXPECT_FALSE(grid.IsColHidden(3));
    EXPECT_FALSE(grid.HideCols(4, 9)); // no such column
    EXPECT_FALSE(grid.HideCols(3, 2));

    // Locking returns the state before, so nested locks restore properly.
    EXPECT_FALSE(grid.LockUpdate());
    EXPECT_TRUE(grid.LockUpdate());
    EXPECT_TRUE(grid.LockUpdate(false));
    EXPECT_FALSE(grid.LockUpdate(false));
}

TEST(WindowState, CancelToCloseLeavesOnlyClose)
{
    StepAgent agent;
    CPropertyPage page(kPartPage);
    CPropertySheet sheet(std::string("Options"));
    sheet.AddPage(&page);
    page.CancelToClose(); // before the sheet exists: nothing to change
    agent.Then([&](CWnd* modal) {
        EXPECT_TRUE(modal->GetDlgItem(IDCANCEL)->IsWindowEnabled());
        page.CancelToClose();
        EXPECT_EQ(modal->GetDlgItem(IDOK)->GetWindowText(), "Close");
        EXPECT_FALSE(modal->GetDlgItem(IDCANCEL)->IsWindowEnabled());
        EXPECT_INPUT(UserInput::Ok(modal));
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
}
