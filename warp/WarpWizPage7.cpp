// The description, the advanced options and the job submission.
#include "platform/window/DataExchange.h"
#include "warp/WarpIds.h"
#include "warp/WarpPages.h"
#include "warp/WarpWizard.h"

CWarpWizPage7::CWarpWizPage7() : CWarpWizPage(IDD_WARP_DESCRIPTION) {}

BOOL CWarpWizPage7::OnSetActive()
{
    const BOOL result = CWarpWizPage::OnSetActive();
    // A surface mesh of both skins takes the solver's own options.
    if (GetWarpWizard()->GetModelMeshType() == kSubFusion)
        EnableIds({IDC_WARP_ADVANCED}, false);
    return result;
}

void CWarpWizPage7::ExchangeOwnControls(CDataExchange* pDX)
{
    CWarpWizard* wizard = GetWarpWizard();
    int choice = wizard->GetJobSubmission();
    DDX_Radio(pDX, IDC_WARP_RUN_NOW, choice);
    if (pDX->m_bSaveAndValidate)
        wizard->SetJobSubmission(choice);
}

BOOL CWarpWizPage7::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_WARP_ADVANCED) {
        GetWarpWizard()->GetAdvancedSheet().DoModal();
        return TRUE;
    }
    return CWarpWizPage::OnCommand(wParam, lParam);
}
