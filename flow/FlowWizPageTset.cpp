// The curing and transfer pot page of a thermoset analysis.
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowRules.h"
#include "flow/FlowWizard.h"

CFlowWizPageTset::CFlowWizPageTset() : CFlowWizPage(IDD_FLOW_PAGE_TSET) {}

BOOL CFlowWizPageTset::OnSetActive()
{
    CFlowWizard* wizard = GetFlowWizard();
    // The curing time means something only to an analysis of the curing
    // stage; a restart keeps the transfer pot the analysis had.
    EnableIds({IDC_FLOW_TSET_CURING_TIME_TEXT, IDC_FLOW_TSET_CURING_TIME}, wizard->m_stages.cureStage != 0);
    const bool fresh = wizard->m_restart.m_index == kRestartNone;
    EnableIds({IDC_FLOW_TSET_TRANSFER_POT}, fresh);
    const BOOL result = CFlowWizPage::OnSetActive();
    if (!fresh)
        CheckDlgButton(IDC_FLOW_TSET_TRANSFER_POT, BST_UNCHECKED);
    ApplyTransferPotRule();
    return result;
}

void CFlowWizPageTset::ApplyTransferPotRule()
{
    const bool pot = IsDlgButtonChecked(IDC_FLOW_TSET_TRANSFER_POT) == BST_CHECKED;
    EnableIds({IDC_FLOW_TSET_POT_DIAMETER_TEXT, IDC_FLOW_TSET_POT_DIAMETER, IDC_FLOW_TSET_DWELL_TIME_TEXT,
               IDC_FLOW_TSET_DWELL_TIME, IDC_FLOW_TSET_EDGE_DISTANCE_CHECK, IDC_FLOW_TSET_POT_LENGTH_CHECK,
               IDC_FLOW_TSET_HEATING_TEMP_CHECK, IDC_FLOW_TSET_MATERIAL_BUTTON},
              pot);
    // An optional field switched off is left out of the analysis.
    auto governed = [&](int checkBox, int edit) {
        EnableIds({edit}, pot && IsDlgButtonChecked(checkBox) == BST_CHECKED);
    };
    governed(IDC_FLOW_TSET_EDGE_DISTANCE_CHECK, IDC_FLOW_TSET_EDGE_DISTANCE);
    governed(IDC_FLOW_TSET_POT_LENGTH_CHECK, IDC_FLOW_TSET_POT_LENGTH);
    governed(IDC_FLOW_TSET_HEATING_TEMP_CHECK, IDC_FLOW_TSET_HEATING_TEMP);
}

BOOL CFlowWizPageTset::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_FLOW_TSET_MATERIAL_BUTTON && HIWORD(wParam) == BN_CLICKED) {
        m_transferPotDlg.m_pParentWnd = this;
        m_transferPotDlg.DoModal();
    }
    GetFlowWizard()->GetBindings().OnCompanionClicked(wParam, lParam);
    if (HIWORD(wParam) == BN_CLICKED)
        ApplyTransferPotRule();
    return CFlowWizPage::OnCommand(wParam, lParam);
}
