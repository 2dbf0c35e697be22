#include "platform/window/PropertyPage.h"

#include "platform/window/PropertySheet.h"

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId)
{
    if (captionId) {
        CString title;
        if (title.LoadString(captionId)) {
            m_psp.pszTitle = title;
            m_psp.dwFlags |= PSP_USETITLE;
        }
    }
}

std::string CPropertyPage::GetTitle() const
{
    if (m_psp.dwFlags & PSP_USETITLE)
        return m_psp.pszTitle;
    const CDialogTemplate* t = GetTemplate();
    return t ? t->caption : std::string();
}

CPropertySheet* CPropertyPage::GetSheet() const { return dynamic_cast<CPropertySheet*>(GetParent()); }

bool CPropertyPage::EnsureCreated(CPropertySheet* sheet)
{
    if (IsWindow())
        return true;
    m_firstSetActive = true;
    // Pages start hidden; the sheet shows the one it activates.
    return CreateChild(sheet);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

void CPropertyPage::SetModified(BOOL changed)
{
    if (CPropertySheet* sheet = GetSheet())
        sheet->PageModified(this, changed != FALSE);
}

void CPropertyPage::CancelToClose()
{
    CPropertySheet* sheet = GetSheet();
    if (!sheet)
        return; // not on a sheet yet: there are no buttons to change
    if (CWnd* ok = sheet->GetButton(IDOK))
        ok->SetWindowText("Close");
    if (CWnd* cancel = sheet->GetButton(IDCANCEL))
        cancel->EnableWindow(false);
}
