// The boundary-condition page: the sets of the model that fit the analysis,
// and in warpage the constraints the solver finds itself.
#include "platform/window/CommonDialogs.h"
#include "platform/window/DataExchange.h"
#include "warp/WarpIds.h"
#include "warp/WarpPages.h"
#include "warp/WarpRules.h"
#include "warp/WarpWizard.h"
#include "wizard/ProjectTreeList.h"
#include "wizard/WizardIds.h"

namespace {
constexpr int kAutoConstraintsImage = 18;
constexpr int kListWidth = 200;
constexpr UINT kImageBitmap = 13120;
} // namespace

CWarpWizPage2::CWarpWizPage2() : CWarpWizPage(IDD_WARP_BOUNDARY) {}

void CWarpWizPage2::OnDestroy()
{
    if (CListCtrl* list = List())
        ClearProjectTreeList(*list);
    CWarpWizPage::OnDestroy();
}

CListCtrl* CWarpWizPage2::List() const { return dynamic_cast<CListCtrl*>(GetDlgItem(IDC_WARP_BC_LIST)); }

BOOL CWarpWizPage2::OnInitDialog()
{
    const BOOL result = CWarpWizPage::OnInitDialog();
    if (m_images.GetImageCount() == 0) {
        m_images.Create(16, 15, 0, 0, 1);
        m_images.Add(kImageBitmap);
    }
    List()->SetImageList(&m_images, LVSIL_SMALL);
    List()->InsertColumn(0, "", LVCFMT_LEFT, kListWidth);
    return result;
}

BOOL CWarpWizPage2::OnSetActive()
{
    CListCtrl& list = *List();
    ClearProjectTreeList(list);
    CWarpWizard* wizard = GetWarpWizard();
    const ZQ_PM_Node* mesh = wizard->GetModelMeshNode();
    const std::string model = mesh ? mesh->GetFilePath() : std::string();
    if (wizard->IsStress()) {
        FillProjectTreeList(list, model, kNodeBoundary, kSubStress, true);
        // A modal analysis needs no loads: the warpage constraints serve.
        if (wizard->GetAim() == kWarpAimModalFrequency)
            FillProjectTreeList(list, model, kNodeBoundary, kSubWarpage, false);
    } else {
        FillProjectTreeList(list, model, kNodeBoundary, kSubWarpage, true);
        CString text;
        text.LoadString(IDS_WARP_AUTO_CONSTRAINTS);
        list.InsertItem(0, text, kAutoConstraintsImage);
    }
    if (list.GetItemCount() == 0) {
        AfxMessageBox(IDS_NO_BOUNDARY_SETS, MB_OK | MB_ICONEXCLAMATION);
        if (CPropertySheet* sheet = GetSheet())
            sheet->EndDialog(IDCANCEL);
        return FALSE;
    }
    const BOOL result = CWarpWizPage::OnSetActive();
    SelectProjectTreeItem(list, BoundaryConditionPath(Settings().m_strBoundaryCondition));
    return result;
}

BOOL CWarpWizPage2::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (change && change->hdr.idFrom == IDC_WARP_BC_LIST && change->hdr.code == LVN_ITEMCHANGED &&
        (change->uNewState & LVIS_FOCUSED)) {
        SetDlgItemText(IDC_WARP_BC_FILE, GetProjectTreeItemPath(*List(), change->iItem));
        return TRUE;
    }
    return CWarpWizPage::OnNotify(wParam, lParam, result);
}

void CWarpWizPage2::ExchangeOwnControls(CDataExchange* pDX)
{
    if (pDX->m_bSaveAndValidate)
        Settings().m_strBoundaryCondition = GetDlgItemText(IDC_WARP_BC_FILE);
}
