// The boundary conditions and temperatures page: the boundary-condition set
// of the model, and the temperatures (or the molding window's limits, or the
// runner balance pressure) the aim calls for.
#include "cool/BoundaryConditionFile.h"
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/DataExchange.h"
#include "wizard/ProjectTreeList.h"
#include "wizard/WizardIds.h"

namespace {
// The image of the item that lets a gate location analysis start without
// injection locations.
constexpr int kNoInjectionImage = 17;
// 24-bit colour with a mask (cyan is transparent in the artwork).
constexpr UINT kImageListColor24Masked = 0x0018 | 0x0001;
} // namespace

CFlowWizPage2::CFlowWizPage2() : CFlowWizPage(IDD_FLOW_PAGE2) {}

void CFlowWizPage2::OnDestroy()
{
    ClearProjectTreeList(List());
    CFlowWizPage::OnDestroy();
}

CListCtrl& CFlowWizPage2::List() { return *static_cast<CListCtrl*>(GetDlgItem(IDC_FLOW_BC_LIST)); }

BOOL CFlowWizPage2::OnInitDialog()
{
    if (m_images.GetImageCount() == 0) {
        m_images.Create(16, 15, kImageListColor24Masked, 7, 1);
        m_images.Add(IDB_FLOW_BC_IMAGES);
    }
    List().SetImageList(&m_images, LVSIL_SMALL);
    List().InsertColumn(0, "", LVCFMT_LEFT, 200);
    return CFlowWizPage::OnInitDialog();
}

BOOL CFlowWizPage2::OnSetActive()
{
    CFlowWizard* wizard = GetFlowWizard();
    const int aim = wizard->GetAim();
    CListCtrl& list = List();
    ClearProjectTreeList(list);
    if (ZQ_PM_Node* mesh = wizard->GetModelMeshNode())
        FillProjectTreeList(list, mesh->GetFilePath(), kNodeBoundary, kSubFlow, false);
    if (aim == kFlowAimGateLocation) {
        CString text;
        text.LoadString(IDS_FLOW_NO_INITIAL_INJECTIONS);
        list.InsertItem(0, text, kNoInjectionImage);
    }
    if (list.GetItemCount() == 0) {
        AfxMessageBox(IDS_NO_BOUNDARY_SETS, MB_OK | MB_ICONEXCLAMATION);
        wizard->EndDialog(IDCANCEL);
        return FALSE;
    }
    wizard->m_strBoundaryFile = WithBoundaryExtension(wizard->m_strBoundaryFile);
    const std::string remembered = wizard->m_strBoundaryFile;
    SelectProjectTreeItem(list, remembered);

    const SBoundaryPageFields fields = BoundaryPageFields(aim, wizard->FollowsCooling());
    auto show = [this](std::initializer_list<int> ids, bool visible) {
        for (int id : ids)
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    };
    show({IDC_FLOW_RUN_PRESSURE_TEXT, IDC_FLOW_RUN_PRESSURE}, fields.runnerPressure);
    show({IDC_FLOW_MOLD_TEMP_TEXT, IDC_FLOW_MOLD_TEMP, IDC_FLOW_MELT_TEMP_TEXT, IDC_FLOW_MELT_TEMP},
         fields.temperatures);
    show({IDC_FLOW_MOLD_LOWER_TEXT, IDC_FLOW_MOLD_LOWER, IDC_FLOW_MOLD_UPPER_TEXT, IDC_FLOW_MOLD_UPPER,
          IDC_FLOW_MELT_LOWER_TEXT, IDC_FLOW_MELT_LOWER, IDC_FLOW_MELT_UPPER_TEXT, IDC_FLOW_MELT_UPPER},
         fields.moldWindowLimits);
    return CFlowWizPage::OnSetActive();
}

BOOL CFlowWizPage2::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* notice = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (notice && notice->hdr.idFrom == IDC_FLOW_BC_LIST && notice->hdr.code == LVN_ITEMCHANGED) {
        if ((notice->uNewState & LVIS_FOCUSED) && notice->iItem >= 0) {
            CFlowWizard* wizard = GetFlowWizard();
            wizard->m_strBoundaryFile = GetProjectTreeItemPath(List(), notice->iItem);
            SetDlgItemText(IDC_FLOW_BC_FILE, wizard->m_strBoundaryFile);
        }
        return TRUE;
    }
    return CFlowWizPage::OnNotify(wParam, lParam, result);
}

void CFlowWizPage2::ExchangeOwnControls(CDataExchange* pDX)
{
    CFlowWizard* wizard = GetFlowWizard();
    if (!pDX->m_bSaveAndValidate)
        SetDlgItemText(IDC_FLOW_BC_FILE, wizard->m_strBoundaryFile);
}

intptr_t CFlowWizPage2::OnWizardNext()
{
    if (!UpdateData(TRUE))
        return -1;
    CFlowWizard* wizard = GetFlowWizard();
    if (GetDlgItem(IDC_FLOW_MOLD_UPPER)->IsWindowVisible()) {
        const int focus = CheckMoldWindowLimits(wizard->m_dMoldLowerLimit, wizard->m_dMoldUpperLimit,
                                                wizard->m_dMeltLowerLimit, wizard->m_dMeltUpperLimit,
                                                IDC_FLOW_MOLD_UPPER, IDC_FLOW_MELT_UPPER);
        if (focus != 0) {
            AfxMessageBox(IDS_FLOW_UPPER_LIMIT, MB_OK | MB_ICONEXCLAMATION);
            GotoDlgCtrl(GetDlgItem(focus));
            return -1;
        }
    }
    MBoundaryConditionFile bc;
    // An unreadable file has no injection locations, and is refused as such.
    (void)bc.Load(wizard->m_strBoundaryFile);
    if (wizard->GetFlags() & kFlowGas) {
        std::vector<int> groups;
        bc.GetGasInjectionGroups(groups);
        if (groups.empty()) {
            AfxMessageBox(IDS_FLOW_NO_GAS_CYLINDERS, MB_OK | MB_ICONEXCLAMATION);
            return -1;
        }
    }
    if (wizard->GetAim() != kFlowAimGateLocation && bc.GetInjectionNodes().empty()) {
        AfxMessageBox(IDS_FLOW_NO_INJECTIONS, MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    return CFlowWizPage::OnWizardNext();
}
