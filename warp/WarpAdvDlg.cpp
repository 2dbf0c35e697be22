#include "warp/WarpAdvDlg.h"

#include "warp/WarpIds.h"
#include "warp/WarpRules.h"
#include "warp/WarpWizard.h"

CWarpWizard* CWarpWizAdvPage::GetWarpWizard() const { return GetSheetAs<CWarpWizard>(); }

void CWarpWizAdvPage::ShowIds(std::initializer_list<int> ids, bool show)
{
    for (int id : ids)
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

// ---- the sheet -------------------------------------------------------------------

CWarpWizAdvDlg::CWarpWizAdvDlg(CWnd* owner) : CPropertySheet(IDS_WARP_ADV_CAPTION, owner)
{
    // The optional tabs join as the aim asks, each time the sheet opens.
    AddPage(&m_general);
    AddPage(&m_structural);
}

intptr_t CWarpWizAdvDlg::DoModal()
{
    const intptr_t result = CPropertySheet::DoModal();
    if (result == IDOK)
        SetActivePage(m_nStartPage);
    return result;
}

BOOL CWarpWizAdvDlg::OnInitDialog()
{
    // The "?" button: every field of these pages has help of its own.
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    auto* wizard = dynamic_cast<CWarpWizard*>(m_pParentWnd);
    assert(wizard && "the advanced options belong to a warpage wizard");
    const WarpAdvTab tab = OptionalAdvancedTab(wizard->GetAim());
    Arrange(&m_nonLinear, tab == WarpAdvTab::kNonLinear);
    Arrange(&m_loadFactor, tab == WarpAdvTab::kLoadFactor);
    CString caption;
    caption.LoadString(wizard->IsStress() ? IDS_WARP_STRESS_ADV_CAPTION : IDS_WARP_ADV_CAPTION);
    SetWindowText(caption);
    return CPropertySheet::OnInitDialog();
}

void CWarpWizAdvDlg::Arrange(CPropertyPage* page, bool wanted)
{
    const bool present = GetPageIndex(page) >= 0;
    if (wanted && !present)
        AddPage(page);
    else if (!wanted && present)
        RemovePage(page);
}

void CWarpWizAdvDlg::OnDestroy()
{
    // The next opening shows the page last used.
    if (m_nModalResult == IDOK)
        m_nStartPage = GetActiveIndex();
    CPropertySheet::OnDestroy();
}

// ---- Structural -------------------------------------------------------------------

CWarpWizAdvPage2::CWarpWizAdvPage2() : CWarpWizAdvPage(IDD_WARP_ADV_STRUCTURAL) {}

BOOL CWarpWizAdvPage2::OnInitDialog()
{
    CWarpWizard* wizard = GetWarpWizard();
    const bool large = wizard->GetAim() == kWarpAimLargeDeflection;
    EnableIds({IDC_WARP_PRINTOUT_STEPS, IDC_WARP_PRINTOUT_STEPS_TEXT}, large);
    // Imperfections are the buckling modes of the earlier analysis.
    if (large && wizard->GetPrevWarpageResult()) {
        MKeywordFile previous;
        // Prepare refused an earlier file it could not read; one gone since
        // reads as empty and shows no imperfections.
        (void)previous.Load(wizard->GetPrevWarpageFile());
        if (previous.GetValue("3DSTRUCT_ANALYSIS_AIM") == "LINEAR_BUCKLING")
            ShowIds({IDC_WARP_IMPERFECTION_GROUP, IDC_WARP_MODE_SHAPE1_TEXT, IDC_WARP_MODE_SHAPE1,
                     IDC_WARP_MODE_SHAPE2_TEXT, IDC_WARP_MODE_SHAPE2, IDC_WARP_MODE_SHAPE3_TEXT,
                     IDC_WARP_MODE_SHAPE3},
                    true);
    }
    return CWarpWizAdvPage::OnInitDialog();
}

// ---- Non-Linear Step, Non-Convergence ---------------------------------------------

CWarpWizAdvPage3::CWarpWizAdvPage3() : CWarpWizAdvPage(IDD_WARP_ADV_NON_LINEAR) {}

CWarpWizAdvPage5::CWarpWizAdvPage5() : CWarpWizAdvPage(IDD_WARP_ADV_NON_CONVERGENCE) {}

// ---- Load Factor -------------------------------------------------------------------

CWarpWizAdvPage4::CWarpWizAdvPage4() : CWarpWizAdvPage(IDD_WARP_ADV_LOAD_FACTOR) {}

BOOL CWarpWizAdvPage4::OnInitDialog()
{
    const BOOL result = CWarpWizAdvPage::OnInitDialog();
    if (GetWarpWizard()->IsStress())
        ShowIds({IDC_WARP_STURM_CHECK}, false);
    ApplySturmRule();
    return result;
}

BOOL CWarpWizAdvPage4::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    const unsigned code = HIWORD(wParam);
    GetWarpWizard()->GetBindings().OnCompanionClicked(id, static_cast<int>(code), reinterpret_cast<CWnd*>(lParam));
    if (code == BN_CLICKED && (id == IDC_WARP_LOWEST_POSITIVE || id == IDC_WARP_LOWEST_MAGNITUDE)) {
        ApplySturmRule();
        return TRUE;
    }
    return CWarpWizAdvPage::OnCommand(wParam, lParam);
}

void CWarpWizAdvPage4::ApplySturmRule()
{
    // The Sturm count checks for negative eigenvalues, which a search for
    // the lowest positive one skips anyway.
    EnableIds({IDC_WARP_STURM_CHECK}, IsDlgButtonChecked(IDC_WARP_LOWEST_POSITIVE) == 0);
}
