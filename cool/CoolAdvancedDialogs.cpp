#include "cool/CoolAdvancedDialogs.h"

#include "cool/CoolIds.h"
#include "cool/CoolWizard.h"

CCoolAdvancedDialog::CCoolAdvancedDialog(UINT templateId, CCoolWizard& wizard)
    : CDialog(templateId), m_wizard(wizard)
{
}

void CCoolAdvancedDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    m_wizard.GetBindings().ExchangePage(pDX);
}

CCoolAdvanced3DDialog::CCoolAdvanced3DDialog(CCoolWizard& wizard)
    : CCoolAdvancedDialog(IDD_COOL_ADVANCED_3D, wizard)
{
}

BOOL CCoolAdvanced3DDialog::OnInitDialog()
{
    const BOOL result = CCoolAdvancedDialog::OnInitDialog();
    EnableParameter();
    return result;
}

BOOL CCoolAdvanced3DDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    const BOOL handled = CCoolAdvancedDialog::OnCommand(wParam, lParam);
    if (HIWORD(wParam) == BN_CLICKED && id >= IDC_COOL_INFLUENCE_PARAMETER && id <= IDC_COOL_INFLUENCE_AUTOMATIC)
        EnableParameter();
    return handled;
}

void CCoolAdvanced3DDialog::EnableParameter()
{
    if (CWnd* parameter = GetDlgItem(IDC_COOL_PARAMETER))
        parameter->EnableWindow(IsDlgButtonChecked(IDC_COOL_INFLUENCE_PARAMETER) != 0);
}

CCoolAdvanced2DDialog::CCoolAdvanced2DDialog(CCoolWizard& wizard) : CCoolAdvancedDialog(IDD_COOL_ADVANCED_2D, wizard) {}
