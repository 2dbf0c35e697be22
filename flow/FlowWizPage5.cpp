// The description and job submission page.
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"
#include "platform/window/DataExchange.h"

CFlowWizPage5::CFlowWizPage5() : CFlowWizPage(IDD_FLOW_PAGE5) {}

BOOL CFlowWizPage5::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_FLOW_ADVANCED_BUTTON && HIWORD(wParam) == BN_CLICKED) {
        GetFlowWizard()->RunAdvancedOptions();
        return TRUE;
    }
    return CFlowWizPage::OnCommand(wParam, lParam);
}

void CFlowWizPage5::ExchangeOwnControls(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_FLOW_RUN_NOW, m_nJobSubmission);
    // The host reads the choice from the wizard, whichever way the exchange went.
    GetFlowWizard()->SetJobSubmission(m_nJobSubmission);
}
