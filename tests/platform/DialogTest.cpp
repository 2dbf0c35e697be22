// Dialogs driven as a person would: radio groups, data exchange both ways and
// its failure path, the combo box and list view a wizard page fills.
#include "platform/window/CommonDialogs.h"
#include "platform/window/Controls.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/window/GridWnd.h"
#include "platform/window/ListBoxes.h"
#include "platform/window/ListCtrl.h"
#include "StepAgent.h"

#include <gtest/gtest.h>

namespace {

// Ids of the test templates compiled into the library.
constexpr int kPartPage = 30001;
constexpr int kName = 30101, kSquare = 30111, kRound = 30112, kOval = 30113, kCooling = 30121, kMaterial = 30131;

class PartDialog : public CDialog {
public:
    PartDialog() : CDialog(kPartPage) {}
    std::string name = "cup";
    int shape = 2;
    int cooling = BST_CHECKED;
    int material = 1;
    std::vector<std::string> commands;

    CButton* Radio(int id) { return static_cast<CButton*>(GetDlgItem(id)); }

protected:
    BOOL OnInitDialog() override
    {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(kMaterial));
        for (const char* m : {"PP", "ABS", "pa66"})
            combo->AddString(m);
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kName, name);
        DDX_Radio(pDX, kSquare, shape);
        DDX_Check(pDX, kCooling, cooling);
        DDX_CBIndex(pDX, kMaterial, material);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(std::to_string(LOWORD(wParam)) + ":" + std::to_string(HIWORD(wParam)));
        return CDialog::OnCommand(wParam, lParam);
    }
};

} // namespace

TEST(Dialog, RadioGroupsAndExchangeBothWays)
{
    StepAgent agent;
    PartDialog dlg;
    agent.Then([&](CWnd* modal) {
        // Shown: the members went into the controls, the sorted combo put
        // "ABS" first so index 1 is "pa66".
        EXPECT_EQ(UserInput::ActiveTemplateId(modal), kPartPage);
        EXPECT_EQ(dlg.GetDlgItemText(kName), "cup");
        EXPECT_EQ(dlg.Radio(kOval)->GetCheck(), BST_CHECKED);
        EXPECT_EQ(dlg.Radio(kSquare)->GetCheck(), BST_UNCHECKED);
        EXPECT_EQ(UserInput::ControlValue(dlg.GetDlgItem(kMaterial)), "pa66");
        EXPECT_EQ(dlg.IsDlgButtonChecked(kCooling), 1u);

        // A click on Round unchecks the other radios of its group only; the
        // check box after the next WS_GROUP keeps its state.
        EXPECT_INPUT(UserInput::Click(UserInput::FindControl(modal, "Round")));
        EXPECT_EQ(dlg.Radio(kRound)->GetCheck(), BST_CHECKED);
        EXPECT_EQ(dlg.Radio(kOval)->GetCheck(), BST_UNCHECKED);
        EXPECT_EQ(dlg.IsDlgButtonChecked(kCooling), 1u);
        EXPECT_EQ(dlg.GetGroup(dlg.Radio(kSquare)).size(), 3u);
        EXPECT_INPUT(UserInput::Check(dlg.GetDlgItem(kCooling), false));
        EXPECT_INPUT(UserInput::Select(dlg.GetDlgItem(kMaterial), "PP"));
        EXPECT_INPUT(UserInput::Type(dlg.GetDlgItem(kName), "bowl"));
        EXPECT_FALSE(UserInput::Type(dlg.GetDlgItem(kMaterial), "x").ok);
        EXPECT_FALSE(UserInput::Select(dlg.GetDlgItem(kMaterial), "PC").ok);
        dlg.GetDlgItem(kCooling)->EnableWindow(false);
        CInputResult r = UserInput::Click(dlg.GetDlgItem(kCooling));
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.reason.find("disabled"), std::string::npos) << r.reason;
    });
    agent.Then([&](CWnd* modal) { EXPECT_INPUT(UserInput::Ok(modal)); });

    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.name, "bowl");
    EXPECT_EQ(dlg.shape, 1);
    EXPECT_EQ(dlg.cooling, BST_UNCHECKED);
    EXPECT_EQ(dlg.material, 2); // "PP" sorts after "pa66"
    EXPECT_FALSE(dlg.IsWindow());
    // The clicks reached the dialog as notifications, the typing as changes.
    auto has = [&](int id, int code) {
        return std::find(dlg.commands.begin(), dlg.commands.end(), std::to_string(id) + ":" + std::to_string(code)) !=
               dlg.commands.end();
    };
    EXPECT_TRUE(has(kRound, BN_CLICKED));
    EXPECT_TRUE(has(kMaterial, CBN_SELCHANGE));
    EXPECT_TRUE(has(kName, EN_CHANGE));
    EXPECT_TRUE(has(kName, EN_KILLFOCUS));
}

namespace {

class NumberDialog : public CDialog {
public:
    NumberDialog()
    {
        CDialogTemplate t;
        t.id = 900;
        t.caption = "Numbers";
        t.style = WS_POPUP | WS_CAPTION;
        for (int id : {101, 102}) {
            CDlgItemTemplate e;
            e.id = id;
            e.itemClass = DlgItemClass::kEdit;
            e.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
            t.items.push_back(e);
        }
        CDlgItemTemplate ok;
        ok.id = IDOK;
        ok.itemClass = DlgItemClass::kButton;
        ok.text = "OK";
        ok.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
        t.items.push_back(ok);
        SetTemplate(t);
    }
    int count = 3;
    double length = 1.5;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 101, count);
        DDX_Text(pDX, 102, length);
    }
};

} // namespace

TEST(Dialog, FailedExchangeKeepsDialogAndFocusesTheField)
{
    StepAgent agent;
    NumberDialog dlg;
    agent.Then([&](CWnd* modal) {
        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(101)); // first tab stop
        EXPECT_EQ(dlg.GetDlgItemText(102), "1.5");
        EXPECT_INPUT(UserInput::Type(dlg.GetDlgItem(101), "7"));
        EXPECT_INPUT(UserInput::Type(dlg.GetDlgItem(102), "2,5"));
        EXPECT_INPUT(UserInput::Ok(modal));
        // Still open, the framework's message shown, the focus back on the
        // field that failed with its text selected for retyping.
        EXPECT_TRUE(dlg.IsWindow());
        ASSERT_EQ(GetUiLog().size(), 1u);
        EXPECT_EQ(GetUiLog()[0].text, "Please enter a number.");
        EXPECT_EQ(GetUiLog()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(102));
        int start = -1, end = -1;
        static_cast<CEdit*>(dlg.GetDlgItem(102))->GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 3);
        EXPECT_INPUT(UserInput::Type(dlg.GetDlgItem(102), " 2.5 "));
        EXPECT_INPUT(UserInput::Ok(modal));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.count, 7);
    EXPECT_DOUBLE_EQ(dlg.length, 2.5);

    // Without an agent the dialog cannot wait for anyone: it is cancelled.
    SetUserAgent(nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(Controls, SortedComboBoxKeepsDataWithItsItem)
{
    StepAgent agent;
    CWnd parent;
    parent.CreateWnd(WndKind::Dialog, "", WS_POPUP, CRect(), nullptr, 0);
    CComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | CBS_SORT | WS_VISIBLE, CRect(), &parent, 5));
    EXPECT_EQ(combo.AddString("beta"), 0);
    EXPECT_EQ(combo.AddString("Alpha"), 0);
    EXPECT_EQ(combo.AddString("gamma"), 2);
    EXPECT_EQ(combo.AddString("BETA"), 2); // equal ignoring case: after the one there
    combo.SetItemData(2, 42);
    EXPECT_EQ(combo.SetCurSel(3), 3);
    EXPECT_EQ(combo.GetWindowText(), "gamma");
    EXPECT_EQ(combo.AddString("a"), 0); // insertion ahead shifts the selection
    EXPECT_EQ(combo.GetCurSel(), 4);
    EXPECT_EQ(combo.GetItemData(3), 42u);
    EXPECT_EQ(combo.FindStringExact(-1, "GAMMA"), 4);
    EXPECT_EQ(combo.FindStringExact(-1, "gam"), CB_ERR);
    EXPECT_EQ(combo.FindStringExact(2, "beta"), 3); // searches after the start item...
    EXPECT_EQ(combo.FindStringExact(3, "beta"), 2); // ...wrapping round
    EXPECT_EQ(combo.FindString(-1, "G"), 4);
    EXPECT_EQ(combo.DeleteString(0), 4);
    EXPECT_EQ(combo.GetCurSel(), 3);
    EXPECT_EQ(combo.DeleteString(3), 3);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.DeleteString(9), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
    EXPECT_EQ(combo.GetWindowText(), "");

    CListBox list;
    ASSERT_TRUE(list.Create(LBS_EXTENDEDSEL | WS_VISIBLE, CRect(), &parent, 6));
    for (const char* s : {"one", "two", "three"})
        list.AddString(s);
    list.SetSel(0);
    list.SetSel(2);
    EXPECT_EQ(list.GetSelItems(), (std::vector<int>{0, 2}));
    list.UserSelect(1); // an extended list: a plain click selects only the item
    EXPECT_EQ(list.GetSelItems(), (std::vector<int>{1}));
    EXPECT_EQ(list.GetCurSel(), 1);
}

namespace {

class ListParent : public CWnd {
public:
    std::vector<std::string> changes;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override
    {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
        if (nm->hdr.code == LVN_ITEMCHANGED)
            changes.push_back(std::to_string(nm->iItem) + ":" + std::to_string(nm->uOldState) + ">" +
                              std::to_string(nm->uNewState));
        return TRUE;
    }
};

} // namespace

TEST(Controls, ListViewTellsEveryItemStateChange)
{
    StepAgent agent;
    ListParent parent;
    parent.CreateWnd(WndKind::Dialog, "", WS_POPUP | WS_VISIBLE, CRect(), nullptr, 0);
    CListCtrl list;
    ASSERT_TRUE(list.Create(LVS_REPORT | LVS_SINGLESEL | WS_VISIBLE, CRect(), &parent, 7));
    CImageList images;
    images.Create(16, 16, 0, 2, 2);
    images.Add(300);
    list.SetImageList(&images, LVSIL_SMALL);
    list.InsertColumn(0, "Name");
    list.InsertColumn(1, "Size", LVCFMT_RIGHT, 40);
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, " part" + std::to_string(i), 0);
        list.SetItemText(i, 1, std::to_string(i * 10));
        list.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
    }
    EXPECT_EQ(list.GetItemText(2, 1), "20");
    EXPECT_EQ(list.GetItemImage(1), 0);

    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED); // no change: no notification
    EXPECT_EQ(parent.changes, (std::vector<std::string>{"0:0>3"}));

    // A click on another item: the old item is told it lost the selection and
    // the focus before the new one is told it gained them.
    parent.changes.clear();
    EXPECT_INPUT(UserInput::Select(&list, "part2"));
    EXPECT_EQ(parent.changes, (std::vector<std::string>{"0:3>1", "0:1>0", "2:0>3"}));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetItemData(list.GetNextItem(-1, LVNI_FOCUSED)), 102u);

    // Deleting rows keeps item data with its row.
    list.DeleteItem(0);
    EXPECT_EQ(list.GetItemData(1), 102u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
}

namespace {

class CountingGrid : public CGXGridWnd {
public:
    int moves = 0;

protected:
    void OnMovedCurrentCell(int, int) override { ++moves; }
};

// A dialog whose grid and combo box are members, taken over from the template.
class MemberDialog : public CDialog {
public:
    MemberDialog()
    {
        CDialogTemplate t;
        t.id = 901;
        t.caption = "Members";
        t.style = WS_POPUP | WS_CAPTION;
        CDlgItemTemplate caption;
        caption.itemClass = DlgItemClass::kStatic;
        caption.text = "&Values:";
        caption.style = WS_CHILD | WS_VISIBLE;
        CDlgItemTemplate grid;
        grid.id = 50;
        grid.itemClass = DlgItemClass::kCustom;
        grid.className = "GXWND";
        grid.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        grid.helpId = 77;
        CDlgItemTemplate combo;
        combo.id = 51;
        combo.itemClass = DlgItemClass::kComboBox;
        combo.style = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST;
        t.items = {caption, grid, combo};
        SetTemplate(t);
    }
    CountingGrid grid;
    CComboBox combo;
    CWnd* templateGrid = nullptr;

protected:
    BOOL OnInitDialog() override
    {
        templateGrid = GetDlgItem(50);
        CDialog::OnInitDialog();
        combo.AddString("one");
        grid.SetRowCount(2);
        grid.SetColCount(1);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, 50, grid);
        DDX_Control(pDX, 51, combo);
    }
};

} // namespace

TEST(Dialog, MembersTakeOverTemplateControlsEachTimeItRuns)
{
    StepAgent agent;
    MemberDialog dlg;
    for (int run = 0; run < 2; ++run) {
        agent.Then([&](CWnd* modal) {
            // The member sits where the template put the control: same id,
            // z-order place and help id, and it is what GetDlgItem finds.
            EXPECT_EQ(modal->GetDlgItem(50), &dlg.grid);
            EXPECT_NE(dlg.templateGrid, &dlg.grid);
            EXPECT_FALSE(dlg.templateGrid->IsWindow()); // retired, but still a valid object
            EXPECT_EQ(modal->GetWindow(GW_CHILD)->GetWindow(GW_HWNDNEXT), &dlg.grid);
            EXPECT_EQ(dlg.grid.GetWindowContextHelpId(), 77u);
            EXPECT_EQ(UserInput::ControlKind(&dlg.grid), "grid");
            EXPECT_INPUT(UserInput::SetCell(UserInput::FindControl(modal, "50"), 2, 1, "4"));
            EXPECT_EQ(dlg.grid.moves, 1);
            EXPECT_INPUT(UserInput::Select(UserInput::FindControl(modal, "51"), "one"));
            EXPECT_INPUT(UserInput::Cancel(modal));
        });
        dlg.grid.moves = 0;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        // The window is gone and the members are ready to be taken over again.
        EXPECT_FALSE(dlg.grid.IsWindow());
        EXPECT_EQ(dlg.combo.GetCount(), 0);
    }
}
