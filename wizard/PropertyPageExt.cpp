#include "wizard/PropertyPageExt.h"

#include "platform/window/PropertySheet.h"
#include "platform/system/WinApp.h"
#include "wizard/Wizard.h"

CPropertyPageExt::CPropertyPageExt(UINT templateId) : CPropertyPage(templateId) {}

CWizard* CPropertyPageExt::GetWizard() const { return CWizard::FromWindow(GetParent()); }

void CPropertyPageExt::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    ExchangeOwnControls(pDX);
    ExchangeBindings(pDX);
}

void CPropertyPageExt::ExchangeBindings(CDataExchange* pDX)
{
    if (CWizard* wizard = GetWizard())
        wizard->GetBindings().ExchangePage(pDX);
}

void CPropertyPageExt::EnableIds(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids)
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(enable);
}

namespace {
// Posted by a page to itself on activation: the sheet focuses the page's
// first tab stop after the page has accepted activation, so the page's own
// choice of field must land after that.
constexpr UINT WM_FOCUS_CHOSEN_FIELD = WM_USER + 201;
} // namespace

BOOL CPropertyPageExt::OnSetActive()
{
    const BOOL result = CPropertyPage::OnSetActive();
    EnableControls();
    if (GetChosenField() != 0)
        PostMessage(WM_FOCUS_CHOSEN_FIELD);
    return result;
}

void CPropertyPageExt::FocusChosenField()
{
    if (const int id = GetChosenField())
        if (CWnd* field = GetDlgItem(id))
            GotoDlgCtrl(field);
}

LRESULT CPropertyPageExt::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_FOCUS_CHOSEN_FIELD) {
        FocusChosenField();
        return 0;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

BOOL CPropertyPageExt::OnKillActive()
{
    // Going back must never trap the user on a page they are abandoning.
    CPropertySheet* sheet = GetSheet();
    if (sheet && sheet->m_nModalResult == ID_WIZBACK)
        return TRUE;
    return CPropertyPage::OnKillActive();
}

BOOL CPropertyPageExt::OnWizardFinish()
{
    if (!UpdateData(TRUE))
        return FALSE;
    return CPropertyPage::OnWizardFinish();
}
BOOL CPropertyPageExt::OnHelpInfo(HELPINFO* info)
{
    if (!info || info->dwContextId == 0 || ((GetKeyState(VK_F1) & 0x8000) && !(GetKeyState(VK_SHIFT) & 0x8000)))
        return CPropertyPage::OnHelpInfo(info);
    DWORD_PTR contextId = info->dwContextId;
    // A caption has no help of its own worth showing: the user asked about
    // the field it labels, which follows it in the dialog.
    if (info->iCtrlId == IDC_STATIC && info->hItemHandle)
        if (CWnd* next = info->hItemHandle->GetWindow(GW_HWNDNEXT))
            contextId = next->GetWindowContextHelpId();
    CWnd* mainWnd = AfxGetMainWnd();
    (mainWnd ? mainWnd : static_cast<CWnd*>(this))->WinHelp(contextId, HELP_CONTEXTPOPUP);
    return TRUE;
}
