// The increments of a large deflection analysis: manual displacement steps
// and load control steps, each in a one-column grid.
#include "warp/WarpIds.h"
#include "warp/WarpPages.h"

BOOL CWarpWizGridPage::OnInitDialog()
{
    // The grid exists before the base fills the page's fields into it.
    if (m_grid.CreateInPlaceOf(GetDlgItem(IDC_WARP_GRID_FRAME), IDC_WARP_INCREMENT_GRID)) {
        CString heading;
        heading.LoadString(IDS_WARP_INCREMENTS);
        m_grid.SetupColumns(1, {heading});
        m_grid.ShowWindow(SW_SHOW);
    }
    return CWarpWizPage::OnInitDialog();
}

CWarpWizPage5::CWarpWizPage5() : CWarpWizGridPage(IDD_WARP_MANUAL_STEPS) {}

CWarpWizPage6::CWarpWizPage6() : CWarpWizGridPage(IDD_WARP_LOAD_STEPS) {}
