// The dialogs whose fields the flow wizard binds, and the advanced options
// sheet.
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"

void CFlowBoundDialog::DoDataExchange(CDataExchange* pDX) { m_wizard.GetBindings().ExchangePage(pDX); }

BOOL CFlowBoundDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    m_wizard.GetBindings().OnCompanionClicked(wParam, lParam);
    return CDialog::OnCommand(wParam, lParam);
}

CFlowWizAdvDlg::CFlowWizAdvDlg(int flags, CWnd* parent)
    : CPropertySheet(IDS_FLOW_ADVANCED_CAPTION, parent), m_nFlags(flags)
{
}
