#include "wizard/AnalysisWizPages.h"

#include "host/MaterialSheet.h"
#include "keyword/KeywordFile.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/PropertySheet.h"
#include "wizard/AnalysisFactory.h"
#include "wizard/AnalysisIds.h"
#include "wizard/AnalysisRules.h"
#include "wizard/AnalysisWizard.h"

namespace {

// The sheet hides itself this long after the chosen wizard was opened, so
// the user never sees an empty screen between the two.
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kHideDelay = 500;

constexpr int kAnalysisIds[kChoiceCount] = {IDC_ANALYSIS_FLOW, IDC_ANALYSIS_COOL, IDC_ANALYSIS_WARP,
                                            IDC_ANALYSIS_STRESS};

struct SOptionControl {
    int id;
    int bit;
};
constexpr SOptionControl kOptions[] = {
    {IDC_ANALYSIS_FIBER, kFlowFiber}, {IDC_ANALYSIS_GAS, kFlowGas}, {IDC_ANALYSIS_OPTIMUM, kFlowOptimum}};

bool GasAnalysisAtOrAbove(const ZQ_PM_Node* node)
{
    for (; node; node = node->GetParent())
        if (node->GetAnalysisFlags() & kFlowGas)
            return true;
    return false;
}

} // namespace

// ---------------------------------------------------------------- page 1

CAnalysisWizPage1::CAnalysisWizPage1() : CPropertyPageExt(IDD_ANALYSIS_PAGE1) {}

CAnalysisWizard* CAnalysisWizPage1::Wizard() const { return GetSheetAs<CAnalysisWizard>(); }

BOOL CAnalysisWizPage1::OnInitDialog()
{
    const BOOL result = CPropertyPageExt::OnInitDialog();
    ShowMaterialName();
    return result;
}

void CAnalysisWizPage1::ShowMaterialName()
{
    const ZQ_PM_Node* material = Wizard()->GetMaterialNode();
    SetDlgItemText(IDC_ANALYSIS_MATERIAL_NAME, material ? material->GetDisplayLabel() : std::string());
}

BOOL CAnalysisWizPage1::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_ANALYSIS_MATERIAL_BUTTON) {
        ChooseMaterial();
        return TRUE;
    }
    return CPropertyPageExt::OnCommand(wParam, lParam);
}

void CAnalysisWizPage1::ChooseMaterial()
{
    CAnalysisWizard* wizard = Wizard();
    MMatSearch& search = CAnalysisWizard::GetMaterialSearch();
    CString title;
    title.LoadString(IDS_ANALYSIS_MATERIAL_SELECTOR);
    MMaterialSheet sheet(search, 0, 0, title.c_str(), this, 0);
    if (sheet.DoModalPropertySheet() != 0) {
        MProjectTree& tree = CWizard::GetProjectTree();
        if (ZQ_PM_Node* material = wizard->GetMaterialNode()) {
            if (tree.UpdateMaterialNode(material, search))
                wizard->NoteMaterialChanged();
            else
                AfxMessageBox(LoadString(IDS_ANALYSIS_MATERIAL_FAILED) + tree.GetLastError(),
                              MB_OK | MB_ICONEXCLAMATION, IDS_ANALYSIS_MATERIAL_FAILED);
        } else if (ZQ_PM_Node* added = tree.AddMaterialNode(wizard->GetStartNode(), search)) {
            wizard->SetMaterialNode(added);
            wizard->NoteMaterialChanged();
            wizard->UpdateNavigation();
        } else {
            AfxMessageBox(LoadString(IDS_ANALYSIS_MATERIAL_FAILED) + tree.GetLastError(), MB_OK | MB_ICONEXCLAMATION,
                          IDS_ANALYSIS_MATERIAL_FAILED);
        }
    }
    ShowMaterialName();
}

// ---------------------------------------------------------------- page 2

CAnalysisWizPage2::CAnalysisWizPage2() : CPropertyPageExt(IDD_ANALYSIS_PAGE2) {}

CAnalysisWizard* CAnalysisWizPage2::Wizard() const { return GetSheetAs<CAnalysisWizard>(); }

BOOL CAnalysisWizPage2::OnInitDialog()
{
    const BOOL result = CPropertyPageExt::OnInitDialog();
    CAnalysisWizard* wizard = Wizard();
    const ZQ_PM_Node* start = wizard->GetStartNode();
    SAnalysisStart facts;
    facts.type = start->GetType();
    facts.subType = start->GetSubType();
    facts.flowAim = start->GetFlowAim();
    facts.meshType = wizard->GetModelMeshType();
    const SAnalysisOffer offer = AnalysisOffer(facts);
    for (int c = 0; c < kChoiceCount; ++c) {
        GetDlgItem(kAnalysisIds[c])->EnableWindow(offer.enabled[c]);
        CheckDlgButton(kAnalysisIds[c], c == offer.checked ? BST_CHECKED : BST_UNCHECKED);
    }
    if (offer.noFurther) {
        m_bNoFurther = true;
        AfxMessageBox(IDS_ANALYSIS_NO_FURTHER, MB_OK | MB_ICONEXCLAMATION);
        wizard->EndDialog(IDCANCEL);
        return FALSE;
    }
    // Finish opens the chosen wizard rather than ending anything; the
    // buttons beside it still follow the pages (Back after a mesh start).
    wizard->SetFinishButtonText("OK");
    return result;
}

BOOL CAnalysisWizPage2::OnSetActive()
{
    if (m_bNoFurther)
        return FALSE;
    const BOOL result = CPropertyPageExt::OnSetActive();
    CAnalysisWizard* wizard = Wizard();
    const ZQ_PM_Node* start = wizard->GetStartNode();
    const Node_SubType meshType = wizard->GetModelMeshType();

    bool thermoset = false, fiberFilled = false;
    ZQ_PM_Node* from = start->GetType() == kNodeMesh ? wizard->GetMaterialNode() : wizard->GetStartNode();
    if (const ZQ_PM_Node* material = NearestMaterialNode(from)) {
        std::string path;
        MKeywordFile keywords;
        // An unreadable material says nothing against any option.
        if (material->GetKeywordFile(path))
            (void)keywords.Load(path);
        thermoset = keywords.HasKeyword("MATERIAL_THERMOSET_DATA");
        fiberFilled = keywords.HasKeyword("MATERIAL_AVERAGE_FIBER_LENGTH");
    }
    const SOptionsMask mask = OptionsMask(GasAnalysisAtOrAbove(start), meshType, thermoset, fiberFilled);
    if (mask.thermosetRefused) {
        AfxMessageBox(IDS_ANALYSIS_THERMOSET_MESH, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_nMask = mask.mask;
    if (mask.gasChecked)
        CheckDlgButton(IDC_ANALYSIS_GAS, BST_CHECKED);
    if (mask.coolDisabled)
        GetDlgItem(IDC_ANALYSIS_COOL)->EnableWindow(false);
    RefreshOptions();
    return result;
}

BOOL CAnalysisWizPage2::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        const BOOL handled = CPropertyPageExt::OnCommand(wParam, lParam);
        RefreshOptions();
        return handled;
    }
    return CPropertyPageExt::OnCommand(wParam, lParam);
}

void CAnalysisWizPage2::RefreshOptions()
{
    const bool flow = IsDlgButtonChecked(IDC_ANALYSIS_FLOW) == BST_CHECKED;
    for (const SOptionControl& option : kOptions) {
        const bool allowed = (m_nMask & option.bit) != 0;
        if (!allowed)
            CheckDlgButton(option.id, BST_UNCHECKED);
        GetDlgItem(option.id)->EnableWindow(flow && allowed);
    }
    // The solvers take one option at a time: the one the user is on wins.
    const CWnd* focus = CWnd::GetFocus();
    const bool onOption = focus && focus->GetParent() == this &&
                          (focus->GetDlgCtrlID() == IDC_ANALYSIS_FIBER || focus->GetDlgCtrlID() == IDC_ANALYSIS_GAS ||
                           focus->GetDlgCtrlID() == IDC_ANALYSIS_OPTIMUM);
    if (onOption)
        for (const SOptionControl& option : kOptions)
            if (option.id != focus->GetDlgCtrlID())
                CheckDlgButton(option.id, BST_UNCHECKED);
}

int CAnalysisWizPage2::CheckedChoice() const
{
    for (int c = 0; c < kChoiceCount; ++c)
        if (IsDlgButtonChecked(kAnalysisIds[c]) == BST_CHECKED)
            return c;
    return -1;
}

int CAnalysisWizPage2::CheckedOptions() const
{
    int checked = 0;
    for (const SOptionControl& option : kOptions)
        if (IsDlgButtonChecked(option.id) == BST_CHECKED)
            checked |= option.bit;
    return checked;
}

BOOL CAnalysisWizPage2::OnWizardFinish()
{
    const int choice = CheckedChoice();
    if (choice < 0)
        return FALSE; // nothing to open; the page stays for a choice
    CAnalysisWizard* wizard = Wizard();
    const Node_SubType subType = AnalysisSubType(static_cast<EAnalysisChoice>(choice));
    const int flags = choice == kChoiceFlow ? FlowFlags(m_nMask, CheckedOptions()) : 0;

    std::unique_ptr<CWizard> chosen = CreateAnalysisWizard(wizard->GetAnalysisNode(), subType, flags);
    if (!chosen) {
        wizard->SetChosenFailure(CResult::Fail("no wizard prepares this analysis"));
        return CPropertyPageExt::OnWizardFinish();
    }
    if (CResult prepared = chosen->Prepare(); !prepared) {
        wizard->SetChosenFailure(std::move(prepared));
        return CPropertyPageExt::OnWizardFinish();
    }
    SetTimer(kHideTimer, kHideDelay);
    if (chosen->DoModal() == ID_WIZFINISH)
        wizard->TakeOver(*chosen);
    // A wizard closed before the sheet hid leaves nothing to hide.
    KillTimer(kHideTimer);
    chosen.reset();
    return CPropertyPageExt::OnWizardFinish();
}

void CAnalysisWizPage2::OnTimer(UINT_PTR id)
{
    if (id != kHideTimer)
        return CPropertyPageExt::OnTimer(id);
    KillTimer(kHideTimer);
    if (CPropertySheet* sheet = GetSheet())
        sheet->ShowWindow(SW_HIDE);
}
