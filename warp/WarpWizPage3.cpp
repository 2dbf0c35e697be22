// The variates of a single-variate study and their sensitivities.
#include "warp/WarpIds.h"
#include "warp/WarpPages.h"
#include "warp/WarpRules.h"
#include "warp/WarpWizard.h"

CWarpWizPage3::CWarpWizPage3() : CWarpWizPage(IDD_WARP_VARIATES) {}

BOOL CWarpWizPage3::OnSetActive()
{
    const BOOL result = CWarpWizPage::OnSetActive();
    CWarpWizard* wizard = GetWarpWizard();
    const int aim = wizard->GetAim();
    if (aim == kWarpAimIsolateBuckling)
        ShowIds({IDC_WARP_SENSITIVITY_TEXT, IDC_WARP_SENSITIVITY_COOLING, IDC_WARP_SENSITIVITY_SHRINKAGE,
                 IDC_WARP_SENSITIVITY_ORIENTATION},
                true);
    ShowIds({IDC_WARP_EXCLUDE_CORNERS},
            wizard->HasShrinkageSource() && (aim == kWarpAimIsolateSmall || aim == kWarpAimIsolateBuckling));
    return result;
}

BOOL CWarpWizPage3::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    if (HIWORD(wParam) == BN_CLICKED && id >= IDC_WARP_ALL_VARIATES && id <= IDC_WARP_DIFF_ORIENTATION) {
        const int variate = id - IDC_WARP_ALL_VARIATES;
        Settings().m_variates.m_index = variate;
        const SVariateFields fields = VariateFieldsFor(variate);
        EnableIds({IDC_WARP_SENSITIVITY_COOLING, IDC_WARP_EXCLUDE_CORNERS}, fields.cooling);
        EnableIds({IDC_WARP_SENSITIVITY_SHRINKAGE}, fields.shrinkage);
        EnableIds({IDC_WARP_SENSITIVITY_ORIENTATION}, fields.orientation);
        return TRUE;
    }
    return CWarpWizPage::OnCommand(wParam, lParam);
}
