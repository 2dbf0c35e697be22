#include "cool/CoolWiz2DPage1.h"

#include "cool/CoolIds.h"
#include "cool/CoolRules.h"
#include "cool/CoolWizard.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/DataExchange.h"
#include "wizard/ProjectTreeList.h"
#include "wizard/WizardIds.h"

CCoolWiz2DPage1::CCoolWiz2DPage1() : CCoolPage(IDD_COOL_2D_PAGE1) {}

CCoolWiz2DPage1::~CCoolWiz2DPage1() = default;

BOOL CCoolWiz2DPage1::OnInitDialog()
{
    CCoolWizard* wizard = GetCoolWizard();
    CListCtrl& sets = ListAt(IDC_COOL2D_BOUNDARY_LIST);
    SetUpFileList(sets, m_images, m_imagesMade);
    const ZQ_PM_Node* mesh = wizard->GetModelMeshNode();
    if (!mesh || FillProjectTreeList(sets, mesh->GetFilePath(), kNodeBoundary, kSubCooling, true) <= 0) {
        AfxMessageBox(IDS_NO_BOUNDARY_SETS, MB_OK | MB_ICONEXCLAMATION);
        wizard->EndDialog(IDCANCEL);
        return CCoolPage::OnInitDialog();
    }
    // Unlike the 3D pages, this page does not lock its temperatures after an
    // earlier cooling result: the fields a 3D page would lock are not on this
    // template, and the 2D solver takes its own mold and melt temperatures
    // for every run, so the user keeps them editable.
    wizard->m_str2DBoundaryFile = WithDefaultExtension(wizard->m_str2DBoundaryFile, ".bf3");
    const std::string chosen = wizard->m_str2DBoundaryFile;
    const BOOL result = CCoolPage::OnInitDialog();
    SelectProjectTreeItem(sets, chosen.empty() ? chosen : CWizard::GetProjectTree().AbsolutePath(chosen));
    return result;
}

void CCoolWiz2DPage1::ExchangeOwnControls(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_COOL_BOUNDARY_FILE, GetCoolWizard()->m_str2DBoundaryFile);
}

BOOL CCoolWiz2DPage1::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (nm->hdr.code == LVN_ITEMCHANGED && static_cast<int>(nm->hdr.idFrom) == IDC_COOL2D_BOUNDARY_LIST &&
        (nm->uNewState & LVIS_FOCUSED) && !(nm->uOldState & LVIS_FOCUSED))
        SetDlgItemText(IDC_COOL_BOUNDARY_FILE, GetProjectTreeItemPath(ListAt(IDC_COOL2D_BOUNDARY_LIST), nm->iItem));
    return CCoolPage::OnNotify(wParam, lParam, result);
}

void CCoolWiz2DPage1::OnDestroy()
{
    if (GetDlgItem(IDC_COOL2D_BOUNDARY_LIST))
        ClearProjectTreeList(ListAt(IDC_COOL2D_BOUNDARY_LIST));
    CCoolPage::OnDestroy();
}
