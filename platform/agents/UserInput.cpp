#include "platform/agents/UserInput.h"

#include <algorithm>
#include <cstdlib>

#include "platform/window/Controls.h"
#include "platform/window/Dialog.h"
#include "platform/window/GridWnd.h"
#include "platform/window/ListBoxes.h"
#include "platform/window/ListCtrl.h"
#include "platform/window/PropertySheet.h"
#include "platform/agents/WindowView.h"

namespace {

bool g_aborting = false;

std::string Describe(CWnd* control)
{
    if (!control)
        return "no such control";
    std::string name = WithoutMnemonic(control->GetWindowText());
    return "control " + std::to_string(control->GetDlgCtrlID()) + (name.empty() ? "" : " \"" + name + "\"");
}

// Checks that a person could reach the control at all.
CInputResult Reachable(CWnd* control)
{
    if (!control || !control->IsWindow())
        return CInputResult::Fail("no such control");
    if (!control->IsWindowVisible())
        return CInputResult::Fail(Describe(control) + " is hidden");
    for (CWnd* w = control; w; w = (w->GetStyle() & WS_CHILD) ? w->GetParent() : nullptr)
        if (!w->IsWindowEnabled())
            return CInputResult::Fail(Describe(control) + " is disabled");
    return {};
}

// A click or keyboard entry first takes the focus, so the control that had it
// sees its kill-focus notification before anything else happens.
CInputResult Focus(CWnd* control)
{
    CInputResult r = Reachable(control);
    if (r)
        control->SetFocus();
    return r;
}

CInputResult PressButton(CWnd* modal, int id, const char* what)
{
    if (!modal)
        return CInputResult::Fail("no window");
    CWnd* button = modal->GetDlgItem(id);
    if (!button)
        if (CWnd* dialog = UserInput::ActiveDialog(modal))
            button = dialog->GetDlgItem(id);
    if (!button && (id == IDOK || id == IDCANCEL) && !dynamic_cast<CPropertySheet*>(modal)) {
        // A dialog without the button still takes Enter and Escape, which
        // send the same command.
        modal->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), 0);
        return {};
    }
    if (!button)
        return CInputResult::Fail(std::string("there is no ") + what + " button");
    return UserInput::Click(button);
}

} // namespace

namespace UserInput {

CWnd* ActiveDialog(CWnd* modal)
{
    if (auto* sheet = dynamic_cast<CPropertySheet*>(modal))
        return sheet->GetActivePage();
    return modal;
}

int ActiveTemplateId(CWnd* modal) { return modal ? modal->GetTemplateId() : 0; }

std::string Title(CWnd* modal) { return modal ? modal->GetWindowText() : std::string(); }

CWnd* FindControl(CWnd* modal, const std::string& name)
{
    if (!modal || name.empty())
        return nullptr;
    char* end = nullptr;
    long id = std::strtol(name.c_str(), &end, 10);
    const bool numeric = *end == '\0';
    for (CWnd* c : Controls(modal)) {
        if (numeric ? c->GetDlgCtrlID() == static_cast<int>(id) : WithoutMnemonic(c->GetWindowText()) == name)
            return c;
    }
    return nullptr;
}

std::vector<CWnd*> Controls(CWnd* modal)
{
    std::vector<CWnd*> out;
    CWnd* dialog = ActiveDialog(modal);
    if (dialog)
        for (CWnd* c = dialog->GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT))
            out.push_back(c);
    if (dialog != modal && modal)
        for (CWnd* c = modal->GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT))
            if (c->GetKind() == WndKind::Button)
                out.push_back(c);
    return out;
}

std::string ControlKind(CWnd* control)
{
    if (!control)
        return "window";
    switch (control->GetKind()) {
    case WndKind::Button: {
        auto* b = static_cast<CButton*>(control);
        if (b->IsRadio())
            return "radio";
        if (b->IsCheckBox())
            return "check";
        if (b->ButtonType() == BS_GROUPBOX)
            return "group";
        return "button";
    }
    case WndKind::Edit: return "edit";
    case WndKind::Static: return "static";
    case WndKind::ComboBox: return "combo";
    case WndKind::ListBox: return "list";
    case WndKind::ListView: return "listview";
    case WndKind::Grid: return "grid";
    default: return "window";
    }
}

bool IsChecked(CWnd* control)
{
    auto* b = dynamic_cast<CButton*>(control);
    return b && b->GetCheck() == BST_CHECKED;
}

std::string ControlValue(CWnd* control)
{
    if (!control)
        return {};
    if (auto* b = dynamic_cast<CButton*>(control); b && (b->IsRadio() || b->IsCheckBox()))
        return b->GetCheck() == BST_CHECKED ? "on" : "off";
    if (auto* l = dynamic_cast<CListBox*>(control)) {
        std::string out;
        for (int i : l->GetSelItems())
            out += (out.empty() ? "" : ", ") + l->GetText(i);
        return out;
    }
    if (auto* v = dynamic_cast<CListCtrl*>(control)) {
        std::string out;
        for (int i = v->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = v->GetNextItem(i, LVNI_SELECTED))
            out += (out.empty() ? "" : ", ") + v->GetItemText(i, 0);
        return out;
    }
    if (auto* g = dynamic_cast<CGXGridWnd*>(control))
        return std::to_string(g->GetRowCount()) + " rows";
    return control->GetWindowText();
}

bool IsUsable(CWnd* control) { return static_cast<bool>(Reachable(control)); }

CInputResult Click(CWnd* control)
{
    auto* button = dynamic_cast<CButton*>(control);
    if (control && !button)
        return CInputResult::Fail(Describe(control) + " is not a button");
    if (button && button->ButtonType() == BS_GROUPBOX)
        return CInputResult::Fail(Describe(control) + " is a group box");
    CInputResult r = Focus(control);
    if (r && control->IsWindow())
        button->Click();
    return r;
}

CInputResult Check(CWnd* control, bool on)
{
    auto* button = dynamic_cast<CButton*>(control);
    if (control && (!button || !(button->IsCheckBox() || button->IsRadio())))
        return CInputResult::Fail(Describe(control) + " is not a check box or radio button");
    if (button && button->IsRadio() && !on)
        return CInputResult::Fail(Describe(control) + " is a radio button: check another one of its group");
    CInputResult r = Reachable(control);
    if (!r)
        return r;
    if ((button->GetCheck() == BST_CHECKED) == on) {
        control->SetFocus();
        return r;
    }
    return Click(control);
}

CInputResult Type(CWnd* control, const std::string& text)
{
    if (!control)
        return CInputResult::Fail("no such control");
    if (control->GetKind() == WndKind::ComboBox && static_cast<CComboBox*>(control)->IsDropDownList())
        return CInputResult::Fail(Describe(control) + " is a drop-down list: select an item");
    if (control->GetKind() != WndKind::Edit && control->GetKind() != WndKind::ComboBox)
        return CInputResult::Fail(Describe(control) + " does not take typing");
    if (control->GetStyle() & ES_READONLY && control->GetKind() == WndKind::Edit)
        return CInputResult::Fail(Describe(control) + " is read-only");
    CInputResult r = Focus(control);
    if (!r || !control->IsWindow())
        return r;
    if (auto* edit = dynamic_cast<CEdit*>(control)) {
        edit->SetSel(0, -1);
        edit->ReplaceSel(text);
    } else {
        control->SetWindowText(text);
    }
    return r;
}

CInputResult SelectIndex(CWnd* control, int index)
{
    if (!control)
        return CInputResult::Fail("no such control");
    int count = -1;
    if (auto* c = dynamic_cast<CComboBox*>(control))
        count = c->GetCount();
    else if (auto* l = dynamic_cast<CListBox*>(control))
        count = l->GetCount();
    else if (auto* v = dynamic_cast<CListCtrl*>(control))
        count = v->GetItemCount();
    else
        return CInputResult::Fail(Describe(control) + " has no items to select");
    if (index < 0 || index >= count)
        return CInputResult::Fail(Describe(control) + " has no item #" + std::to_string(index) + " (it has " +
                                  std::to_string(count) + ")");
    CInputResult r = Focus(control);
    if (!r || !control->IsWindow())
        return r;
    if (auto* c = dynamic_cast<CComboBox*>(control))
        c->UserSelect(index);
    else if (auto* l = dynamic_cast<CListBox*>(control))
        l->UserSelect(index);
    else
        static_cast<CListCtrl*>(control)->UserSelect(index);
    return r;
}

CInputResult FindItem(CWnd* control, const std::string& item, int& index)
{
    index = -1;
    if (auto* c = dynamic_cast<CComboBox*>(control)) {
        for (int i = 0; i < c->GetCount() && index < 0; ++i)
            if (c->GetLBText(i) == item)
                index = i;
    } else if (auto* l = dynamic_cast<CListBox*>(control)) {
        for (int i = 0; i < l->GetCount() && index < 0; ++i)
            if (l->GetText(i) == item)
                index = i;
    } else if (auto* v = dynamic_cast<CListCtrl*>(control)) {
        // List rows often carry a leading blank before their label.
        for (int i = 0; i < v->GetItemCount() && index < 0; ++i) {
            std::string t = v->GetItemText(i, 0);
            if (t == item || (t.size() == item.size() + 1 && t[0] == ' ' && t.compare(1, std::string::npos, item) == 0))
                index = i;
        }
    } else {
        return CInputResult::Fail(control ? Describe(control) + " has no items to select" : "no such control");
    }
    if (index < 0)
        return CInputResult::Fail(Describe(control) + " has no item \"" + item + "\"");
    return {};
}

CInputResult Select(CWnd* control, const std::string& item)
{
    int index = -1;
    if (CInputResult r = FindItem(control, item, index); !r)
        return r;
    return SelectIndex(control, index);
}

namespace {

// A click on a list item with Ctrl and Shift held as given; the control reads
// the keys as it handles the click, and so may the dialog it notifies.
void ClickItem(CWnd* control, int index, bool ctrl, bool shift)
{
    SetKeyDown(VK_CONTROL, ctrl);
    SetKeyDown(VK_SHIFT, shift);
    if (auto* l = dynamic_cast<CListBox*>(control))
        l->UserSelect(index);
    else
        static_cast<CListCtrl*>(control)->UserSelect(index);
    SetKeyDown(VK_CONTROL, false);
    SetKeyDown(VK_SHIFT, false);
}

bool TogglesOnClick(CWnd* control)
{
    return control->GetKind() == WndKind::ListBox && (control->GetStyle() & LBS_MULTIPLESEL);
}

bool IsSelected(CWnd* control, int i)
{
    if (auto* box = dynamic_cast<CListBox*>(control))
        return box->GetSel(i) > 0;
    return static_cast<CListCtrl*>(control)->GetItemState(i, LVIS_SELECTED) != 0;
}

// Why the selection of `control` cannot change that way; ok when it can.
CInputResult CanChangeSelection(CWnd* control, SelectionChange how, int index)
{
    auto* box = dynamic_cast<CListBox*>(control);
    auto* view = dynamic_cast<CListCtrl*>(control);
    if (!control)
        return CInputResult::Fail("no such control");
    if (!box && !view)
        return CInputResult::Fail(Describe(control) + " is not a list box or list view");
    if ((box && !box->IsMultiSelect()) || (view && (view->GetStyle() & LVS_SINGLESEL)))
        return CInputResult::Fail(Describe(control) + " takes one selection: use select");
    if (how == SelectionChange::Extend && TogglesOnClick(control))
        return CInputResult::Fail(Describe(control) + " toggles each item it is clicked on: Shift-click does not "
                                                      "extend its selection");
    const int count = box ? box->GetCount() : view->GetItemCount();
    const bool needsItem = how == SelectionChange::Add || how == SelectionChange::Remove || how == SelectionChange::Extend;
    if (needsItem && (index < 0 || index >= count))
        return CInputResult::Fail(Describe(control) + " has no item #" + std::to_string(index) + " (it has " +
                                  std::to_string(count) + ")");
    return {};
}

// The clicks that make the change. A list box that toggles takes plain
// clicks where another takes Ctrl-clicks; a handler may close the dialog.
void ClickSelection(CWnd* control, SelectionChange how, int index)
{
    const bool toggles = TogglesOnClick(control);
    auto* view = dynamic_cast<CListCtrl*>(control);
    const int count = view ? view->GetItemCount() : static_cast<CListBox*>(control)->GetCount();
    switch (how) {
    case SelectionChange::Add:
    case SelectionChange::Remove:
        if (IsSelected(control, index) != (how == SelectionChange::Add))
            ClickItem(control, index, !toggles, false);
        return;
    case SelectionChange::Extend:
        ClickItem(control, index, false, true);
        return;
    case SelectionChange::Clear:
        if (view) {
            view->UserClickEmpty();
            return;
        }
        for (int i = 0; i < count && control->IsWindow(); ++i)
            if (IsSelected(control, i))
                ClickItem(control, i, !toggles, false);
        return;
    case SelectionChange::All:
        if (toggles) {
            for (int i = 0; i < count && control->IsWindow(); ++i)
                if (!IsSelected(control, i))
                    ClickItem(control, i, false, false);
        } else if (count > 0) {
            ClickItem(control, 0, false, false);
            if (count > 1 && control->IsWindow())
                ClickItem(control, count - 1, false, true);
        }
        return;
    }
}

} // namespace

CInputResult ChangeSelection(CWnd* control, SelectionChange how, int index)
{
    CInputResult r = CanChangeSelection(control, how, index);
    if (r)
        r = Focus(control);
    if (r && control->IsWindow())
        ClickSelection(control, how, index);
    return r;
}

CInputResult RowCount(CWnd* control, int& rows)
{
    if (auto* v = dynamic_cast<CListCtrl*>(control))
        rows = v->GetItemCount();
    else if (auto* g = dynamic_cast<CGXGridWnd*>(control))
        rows = g->GetRowCount();
    else if (auto* l = dynamic_cast<CListBox*>(control))
        rows = l->GetCount();
    else if (auto* c = dynamic_cast<CComboBox*>(control))
        rows = c->GetCount();
    else
        return CInputResult::Fail(control ? Describe(control) + " has no rows" : "no such control");
    return {};
}

CInputResult CellText(CWnd* control, int row, int col, std::string& text)
{
    auto cell = [&] { return " has no cell " + std::to_string(row) + "," + std::to_string(col); };
    if (auto* v = dynamic_cast<CListCtrl*>(control)) {
        if (row < 0 || row >= v->GetItemCount() || col < 0 || col >= std::max(1, v->GetColumnCount()))
            return CInputResult::Fail(Describe(control) + cell() + " (it has " + std::to_string(v->GetItemCount()) +
                                      " rows and " + std::to_string(v->GetColumnCount()) + " columns, from 0)");
        text = v->GetItemText(row, col);
        return {};
    }
    if (auto* g = dynamic_cast<CGXGridWnd*>(control)) {
        if (row < 0 || row > g->GetRowCount() || col < 0 || col > g->GetColCount())
            return CInputResult::Fail(Describe(control) + cell() + " (it has rows 1 to " +
                                      std::to_string(g->GetRowCount()) + " and columns 1 to " +
                                      std::to_string(g->GetColCount()) + ", headings at 0)");
        text = g->GetControlText(row, col);
        return {};
    }
    return CInputResult::Fail(control ? Describe(control) + " is not a list view or grid" : "no such control");
}

CInputResult SetCell(CWnd* control, int row, int col, const std::string& text)
{
    auto* grid = dynamic_cast<CGXGridWnd*>(control);
    if (control && !grid)
        return CInputResult::Fail(Describe(control) + " is not a grid");
    CInputResult r = Focus(control);
    if (!r || !control->IsWindow())
        return r;
    if (row < 1 || row > grid->GetRowCount() || col < 1 || col > grid->GetColCount())
        return CInputResult::Fail(Describe(control) + " has no cell " + std::to_string(row) + "," + std::to_string(col));
    const std::string cell = "cell " + std::to_string(row) + "," + std::to_string(col);
    if (grid->IsReadOnlyCell(row, col))
        return CInputResult::Fail(Describe(control) + ": " + cell + " is read-only");
    if (grid->IsDropDownCell(row, col)) {
        // A drop-down list offers its items and nothing else.
        const std::vector<std::string> items = grid->GetChoices(row, col);
        const bool emptiable = grid->GetStyleRowCol(row, col).GetControl() == GX_IDS_CTRL_CBS_DROPDOWNLIST;
        if (std::find(items.begin(), items.end(), text) == items.end() && !(text.empty() && emptiable)) {
            std::string list;
            for (const std::string& item : items)
                list += (list.empty() ? "\"" : ", \"") + item + "\"";
            return CInputResult::Fail(Describe(control) + ": " + cell + " has no item \"" + text + "\" (its items: " +
                                      list + ")");
        }
    }
    // An invalid value shows the grid's own message, which is the answer the
    // person gets; the entry itself was made.
    grid->EnterValue(row, col, text);
    return r;
}

CInputResult Next(CWnd* modal) { return PressButton(modal, ID_WIZNEXT, "Next"); }
CInputResult Back(CWnd* modal) { return PressButton(modal, ID_WIZBACK, "Back"); }
CInputResult Finish(CWnd* modal) { return PressButton(modal, ID_WIZFINISH, "Finish"); }
CInputResult Ok(CWnd* modal) { return PressButton(modal, IDOK, "OK"); }
CInputResult Cancel(CWnd* modal) { return PressButton(modal, IDCANCEL, "Cancel"); }

CInputResult Help(CWnd* modal, CWnd* control)
{
    CWnd* target = control ? control : ActiveDialog(modal);
    if (!target)
        return CInputResult::Fail("no window");
    if (control && !control->IsWindowVisible())
        return CInputResult::Fail(Describe(control) + " is hidden");
    HELPINFO info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = target->GetDlgCtrlID();
    info.hItemHandle = target;
    info.dwContextId = target->GetWindowContextHelpId();
    target->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return {};
}

CInputResult HelpKey(CWnd* modal)
{
    CWnd* focus = CWnd::GetFocus();
    CWnd* dialog = ActiveDialog(modal);
    if (!dialog)
        return CInputResult::Fail("no window");
    SetKeyDown(VK_F1, true);
    CInputResult r = Help(modal, focus && dialog->IsChild(focus) ? focus : nullptr);
    SetKeyDown(VK_F1, false);
    return r;
}

bool Tabs(CWnd* modal, std::vector<std::string>& captions, int& active)
{
    captions.clear();
    active = -1;
    auto* sheet = dynamic_cast<CPropertySheet*>(modal);
    CTabCtrl* tabs = sheet ? sheet->GetTabControl() : nullptr;
    if (!tabs)
        return false;
    for (int i = 0; i < tabs->GetItemCount(); ++i)
        captions.push_back(WithoutMnemonic(tabs->GetItemText(i)));
    active = tabs->GetCurSel();
    return true;
}

CInputResult SelectPage(CWnd* modal, int index)
{
    auto* sheet = dynamic_cast<CPropertySheet*>(modal);
    CTabCtrl* tabs = sheet ? sheet->GetTabControl() : nullptr;
    if (!tabs)
        return CInputResult::Fail("the window has no tabs");
    if (index < 0 || index >= tabs->GetItemCount())
        return CInputResult::Fail("there is no tab #" + std::to_string(index) + " (there are " +
                                  std::to_string(tabs->GetItemCount()) + ")");
    CInputResult r = Focus(tabs);
    if (r && tabs->IsWindow())
        tabs->UserSelect(index);
    return r;
}

CInputResult SelectPage(CWnd* modal, const std::string& caption)
{
    std::vector<std::string> captions;
    int active = -1;
    if (!Tabs(modal, captions, active))
        return CInputResult::Fail("the window has no tabs");
    for (size_t i = 0; i < captions.size(); ++i)
        if (captions[i] == caption)
            return SelectPage(modal, static_cast<int>(i));
    std::string list;
    for (const std::string& c : captions)
        list += (list.empty() ? "\"" : ", \"") + c + "\"";
    return CInputResult::Fail("there is no tab \"" + caption + "\" (the tabs: " + list + ")");
}

void Wait(unsigned ms) { WndMessages::AdvanceClock(ms); }

void AbortModals()
{
    if (!WndMessages::ModalStack().empty())
        g_aborting = true;
}

bool IsAborting() { return g_aborting; }

void EndAbortIfIdle()
{
    if (WndMessages::ModalStack().empty())
        g_aborting = false;
}

} // namespace UserInput
