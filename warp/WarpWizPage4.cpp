// The load increment method of a large deflection analysis.
#include "warp/WarpIds.h"
#include "warp/WarpPages.h"
#include "warp/WarpRules.h"
#include "warp/WarpWizard.h"

namespace {
constexpr int kMethodButtons[] = {IDC_WARP_LOAD_CONTROL, IDC_WARP_ARC_LENGTH, IDC_WARP_MANUAL_DISPLACEMENT,
                                  IDC_WARP_AUTO_DISPLACEMENT};
} // namespace

CWarpWizPage4::CWarpWizPage4() : CWarpWizPage(IDD_WARP_LOAD_INCREMENT) {}

BOOL CWarpWizPage4::OnInitDialog()
{
    const BOOL result = CWarpWizPage::OnInitDialog();
    // Only a stress analysis has loads whose displacement one can prescribe.
    if (GetWarpWizard()->IsStress())
        ShowIds({IDC_WARP_MANUAL_DISPLACEMENT}, true);
    return result;
}

BOOL CWarpWizPage4::OnSetActive()
{
    const BOOL result = CWarpWizPage::OnSetActive();
    ApplyIncrementRule();
    return result;
}

BOOL CWarpWizPage4::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    if (HIWORD(wParam) == BN_CLICKED && id >= IDC_WARP_LOAD_CONTROL && id <= IDC_WARP_AUTO_DISPLACEMENT) {
        ApplyIncrementRule();
        return TRUE;
    }
    return CWarpWizPage::OnCommand(wParam, lParam);
}

void CWarpWizPage4::ApplyIncrementRule()
{
    // The method checked now decides, and also which page follows.
    int method = -1;
    for (int i = 0; i < 4; ++i)
        if (IsDlgButtonChecked(kMethodButtons[i]))
            method = i;
    if (method >= 0)
        Settings().m_controlMethod.m_index = method;
    const SIncrementFields fields = IncrementFieldsFor(method);
    ShowIds({IDC_WARP_DISP_INCREMENT_TEXT, IDC_WARP_DISP_INCREMENT}, fields.displacement);
    ShowIds({IDC_WARP_LOAD_INCREMENT_TEXT, IDC_WARP_LOAD_INCREMENT}, fields.load);
}
