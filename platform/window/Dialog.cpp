#include "platform/window/Dialog.h"

#include <algorithm>
#include <cctype>

#include "platform/window/Controls.h"
#include "platform/window/DataExchange.h"
#include "platform/window/GridWnd.h"
#include "platform/window/ListBoxes.h"
#include "platform/window/ListCtrl.h"
#include "platform/system/WinApp.h"

CRect DialogUnitsToPixels(const CDlgRect& r, const CFont& font)
{
    const int bx = font.GetAveCharWidth(), by = font.GetLineHeight();
    const int x = r.x * bx / 4, y = r.y * by / 8;
    return CRect(x, y, x + r.cx * bx / 4, y + r.cy * by / 8);
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

void CDialog::SetTemplate(const CDialogTemplate& tmpl)
{
    m_ownTemplate = std::make_unique<CDialogTemplate>(tmpl);
    if (m_nIDTemplate == 0)
        m_nIDTemplate = static_cast<UINT>(tmpl.id);
}

const CDialogTemplate* CDialog::GetTemplate() const
{
    return m_ownTemplate ? m_ownTemplate.get() : FindDialogTemplate(static_cast<int>(m_nIDTemplate));
}

static bool IsGridClass(std::string name)
{
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name.find("gx") != std::string::npos || name.find("grid") != std::string::npos;
}

static std::unique_ptr<CWnd> MakeControl(const CDlgItemTemplate& item, WndKind& kind)
{
    switch (item.itemClass) {
    case DlgItemClass::kButton: kind = WndKind::Button; return std::make_unique<CButton>();
    case DlgItemClass::kEdit: kind = WndKind::Edit; return std::make_unique<CEdit>();
    case DlgItemClass::kStatic: kind = WndKind::Static; return std::make_unique<CStatic>();
    case DlgItemClass::kComboBox: kind = WndKind::ComboBox; return std::make_unique<CComboBox>();
    case DlgItemClass::kListBox: kind = WndKind::ListBox; return std::make_unique<CListBox>();
    case DlgItemClass::kListView: kind = WndKind::ListView; return std::make_unique<CListCtrl>();
    case DlgItemClass::kCustom: break;
    }
    if (IsGridClass(item.className)) {
        kind = WndKind::Grid;
        auto grid = std::make_unique<CGXGridWnd>();
        grid->Initialize();
        return grid;
    }
    kind = WndKind::Window;
    return std::make_unique<CWnd>();
}

std::vector<int> TemplateControlIds(const CDialogTemplate& t)
{
    int largest = 0;
    for (const CDlgItemTemplate& item : t.items)
        largest = std::max(largest, item.id);
    std::vector<int> ids;
    ids.reserve(t.items.size());
    for (const CDlgItemTemplate& item : t.items) {
        const bool list = item.itemClass == DlgItemClass::kListBox || item.itemClass == DlgItemClass::kComboBox ||
                          item.itemClass == DlgItemClass::kListView ||
                          (item.itemClass == DlgItemClass::kCustom && IsGridClass(item.className));
        ids.push_back(list && item.id <= 0 ? ++largest : item.id);
    }
    return ids;
}

bool CDialog::CreateFromTemplate(CWnd* parent, bool child)
{
    const CDialogTemplate* t = GetTemplate();
    if (!t || m_hWnd)
        return false;
    CFont font = t->font.pointSize > 0 ? CFont(t->font.pointSize, t->font.face) : CFont();
    DWORD style = t->style & ~(WS_CHILD | WS_POPUP | WS_DISABLED);
    style |= child ? WS_CHILD : WS_POPUP | WS_VISIBLE;
    if (!parent && !child)
        parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    if (!CreateWnd(WndKind::Dialog, t->caption, style, DialogUnitsToPixels(t->rect, font), parent, child ? t->id : 0,
                   t->exStyle))
        return false;
    SetFont(&font);
    SetWindowContextHelpId(t->helpId);
    const std::vector<int> ids = TemplateControlIds(*t);
    for (size_t i = 0; i < t->items.size(); ++i) {
        const CDlgItemTemplate& item = t->items[i];
        WndKind kind = WndKind::Window;
        std::unique_ptr<CWnd> control = MakeControl(item, kind);
        control->CreateWnd(kind, item.text, item.style | WS_CHILD, DialogUnitsToPixels(item.rect, font), this, ids[i],
                           item.exStyle);
        control->SetWindowContextHelpId(item.helpId);
        AdoptChild(std::move(control));
    }
    return true;
}

bool CDialog::CreateChild(CWnd* parent)
{
    if (!CreateFromTemplate(parent, true))
        return false;
    if (SendMessage(WM_INITDIALOG))
        FocusFirstTabStop();
    return true;
}

void CDialog::FocusFirstTabStop()
{
    for (CWnd* c = GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT))
        if ((c->GetStyle() & WS_TABSTOP) && c->IsWindowVisible() && c->IsWindowEnabled()) {
            GotoDlgCtrl(c);
            return;
        }
}

intptr_t CDialog::DoModal()
{
    if (!CreateFromTemplate(nullptr, false))
        return -1;
    CWnd* previousFocus = GetFocus();
    m_nModalResult = -1;
    if (SendMessage(WM_INITDIALOG))
        FocusFirstTabStop();
    RunModalLoop();
    DestroyWindow();
    if (previousFocus && previousFocus->IsWindow() && previousFocus->IsWindowVisible())
        previousFocus->SetFocus();
    return m_nModalResult;
}

void CDialog::EndDialog(int result) { EndModalLoop(result); }

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate != FALSE);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (!control)
        return;
    control->SetFocus();
    if (auto* edit = dynamic_cast<CEdit*>(control))
        edit->SetSel(0, -1);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    default: return FALSE;
    }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}
