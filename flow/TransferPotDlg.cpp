#include "flow/TransferPotDlg.h"

#include "flow/FlowIds.h"
#include "wizard/Wizard.h"

CTransferPotDlg::CTransferPotDlg() : CDialog(IDD_FLOW_TRANSFER_POT) {}

void CTransferPotDlg::DoDataExchange(CDataExchange* pDX)
{
    // Opened without a page of a wizard there is nothing to show or keep.
    if (CWizard* wizard = CWizard::FromWindow(m_pParentWnd))
        wizard->GetBindings().ExchangePage(pDX);
}

BOOL CTransferPotDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWizard* wizard = CWizard::FromWindow(m_pParentWnd))
        wizard->GetBindings().OnCompanionClicked(wParam, lParam);
    if (LOWORD(wParam) == IDHELP && HIWORD(wParam) == BN_CLICKED) {
        WinHelp(IDD_FLOW_TRANSFER_POT, HELP_CONTEXT);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
