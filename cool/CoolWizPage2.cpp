#include "cool/CoolWizPage2.h"

#include "cool/CoolIds.h"
#include "cool/CoolRules.h"
#include "cool/CoolWizard.h"
#include "model/ModelAttributeStore.h"
#include "platform/window/CommonDialogs.h"
#include "wizard/ProjectTreeList.h"

namespace {
constexpr int kAutomaticImage = 16;
}

CCoolWizPage2::CCoolWizPage2() : CCoolPage(IDD_COOL_PAGE2) {}

CCoolWizPage2::~CCoolWizPage2() = default;

BOOL CCoolWizPage2::OnInitDialog()
{
    const BOOL result = CCoolPage::OnInitDialog();
    CCoolWizard* wizard = GetCoolWizard();
    CListCtrl& molds = ListAt(IDC_COOL_MOLD_LIST);
    CListCtrl& sets = ListAt(IDC_COOL_BOUNDARY_LIST);
    SetUpFileList(molds, m_images, m_imagesMade);
    SetUpFileList(sets, m_images, m_imagesMade);

    const ZQ_PM_Node* mesh = wizard->GetModelMeshNode();
    if (!mesh || FillProjectTreeList(molds, mesh->GetFilePath(), kNodeMesh, kSubNone, true) <= 0) {
        AfxMessageBox(IDS_COOL_NO_MOLD_MODEL, MB_OK | MB_ICONEXCLAMATION);
        wizard->EndDialog(IDCANCEL);
        return result;
    }
    // Selecting a mold model refills the sets and resets the chosen set, so
    // both names are taken before either list is touched.
    const std::string moldModel = WithDefaultExtension(wizard->m_strMoldModelFile, ".zql");
    const std::string boundary = WithDefaultExtension(wizard->m_strBoundaryFile, ".bc3");
    SelectProjectTreeItem(molds, CWizard::GetProjectTree().AbsolutePath(moldModel));
    SelectProjectTreeItem(sets, boundary.empty() ? boundary : CWizard::GetProjectTree().AbsolutePath(boundary));
    return result;
}

BOOL CCoolWizPage2::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (nm->hdr.code == LVN_ITEMCHANGED && (nm->uNewState & LVIS_FOCUSED) && !(nm->uOldState & LVIS_FOCUSED)) {
        if (static_cast<int>(nm->hdr.idFrom) == IDC_COOL_MOLD_LIST)
            OnMoldModelFocused(nm->iItem);
        else if (static_cast<int>(nm->hdr.idFrom) == IDC_COOL_BOUNDARY_LIST)
            OnBoundaryFocused(nm->iItem);
    }
    return CCoolPage::OnNotify(wParam, lParam, result);
}

void CCoolWizPage2::OnMoldModelFocused(int row)
{
    CCoolWizard* wizard = GetCoolWizard();
    const std::string path = GetProjectTreeItemPath(ListAt(IDC_COOL_MOLD_LIST), row);
    wizard->m_strMoldModelFile = path;
    SetDlgItemText(IDC_COOL_MOLD_FILE, path);

    CListCtrl& sets = ListAt(IDC_COOL_BOUNDARY_LIST);
    ClearProjectTreeList(sets);
    if (ZQ_PM_Node* mold = CWizard::GetProjectTree().FindFileInTree(path))
        AddProjectTreeItems(sets, mold, kNodeBoundary, kSubCooling, 0);
    // A mold without insert data is steel throughout: offer the set Finish
    // can make for that.
    MModelAttributeStore store(path);
    if (!store.HasInsertData())
        sets.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 0, kAutomaticRow, 0, 0, kAutomaticImage, 0);
    if (sets.GetItemCount() > 0)
        sets.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    else
        OnBoundaryFocused(-1);
}

void CCoolWizPage2::OnBoundaryFocused(int row)
{
    CCoolWizard* wizard = GetCoolWizard();
    const std::string path = row < 0 ? std::string() : GetProjectTreeItemPath(ListAt(IDC_COOL_BOUNDARY_LIST), row);
    wizard->m_strBoundaryFile = path;
    SetDlgItemText(IDC_COOL_BOUNDARY_FILE, path);
}

void CCoolWizPage2::OnDestroy()
{
    if (GetDlgItem(IDC_COOL_MOLD_LIST)) {
        ClearProjectTreeList(ListAt(IDC_COOL_MOLD_LIST));
        ClearProjectTreeList(ListAt(IDC_COOL_BOUNDARY_LIST));
    }
    CCoolPage::OnDestroy();
}
