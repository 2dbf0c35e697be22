// The curing and transfer pot page of a thermoset analysis.
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"

CFlowWizPageTset::CFlowWizPageTset() : CFlowWizPage(IDD_FLOW_PAGE_TSET) {}

BOOL CFlowWizPageTset::OnCommand(WPARAM wParam, LPARAM lParam)
{
    GetFlowWizard()->GetBindings().OnCompanionClicked(wParam, lParam);
    return CFlowWizPage::OnCommand(wParam, lParam);
}
