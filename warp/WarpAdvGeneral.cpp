// The General page of the advanced options: which material models and
// elements apply, and in a stress analysis the source of the mechanical
// data, importing stress-strain data when the material has none.
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/DataExchange.h"
#include "warp/WarpAdvDlg.h"
#include "warp/WarpIds.h"
#include "warp/WarpRules.h"
#include "warp/WarpWizard.h"

namespace {
constexpr const char* kDssKeyword = "3DSTRUCT_MECH_PROP_DSS_FILE";
} // namespace

CWarpWizAdvPage1::CWarpWizAdvPage1() : CWarpWizAdvPage(IDD_WARP_ADV_GENERAL) {}

BOOL CWarpWizAdvPage1::OnInitDialog()
{
    const BOOL result = CWarpWizAdvPage::OnInitDialog();
    CWarpWizard* wizard = GetWarpWizard();
    const int aim = wizard->GetAim();
    // A single-variate study keeps the material model it isolates against.
    EnableIds({IDC_WARP_ORTHOTROPIC_SINGLE, IDC_WARP_ORTHOTROPIC_MULTI},
              aim != kWarpAimIsolateSmall && aim != kWarpAimIsolateBuckling);
    EnableIds({IDC_WARP_KEEP_RESTARTS}, aim == kWarpAimLargeDeflection);
    if (!wizard->IsStress()) {
        if (wizard->HasShrinkageSource())
            ShowIds({IDC_WARP_CORNER_ANGLE_TEXT, IDC_WARP_CORNER_ANGLE}, true);
    } else {
        ApplyStressMaterialRules();
    }
    ApplyElementRule();
    return result;
}

void CWarpWizAdvPage1::ApplyStressMaterialRules()
{
    CWarpWizard* wizard = GetWarpWizard();
    ShowIds({IDC_WARP_ISOTROPIC}, true);
    // Below a warpage result the part's state fixes the model; below another
    // result only the orthotropic models have their data; with none only
    // the isotropic one has.
    const ZQ_PM_Node* result = wizard->GetStartNode();
    while (result && result->GetType() != kNodeResult)
        result = result->GetParent();
    if (result) {
        EnableIds({IDC_WARP_ISOTROPIC}, false);
        if (result->GetSubType() == kSubWarpage)
            EnableIds({IDC_WARP_ORTHOTROPIC_SINGLE, IDC_WARP_ORTHOTROPIC_MULTI}, false);
    } else {
        EnableIds({IDC_WARP_ORTHOTROPIC_SINGLE, IDC_WARP_ORTHOTROPIC_MULTI}, false);
    }
    ShowIds({IDC_WARP_SOURCE_GROUP, IDC_WARP_MATERIAL_DATA, IDC_WARP_STRESS_STRAIN_DATA}, true);
    MKeywordFile working;
    // An unreadable working file reads as empty: the material data is chosen.
    (void)working.Load(wizard->GetTempFileName());
    CheckRadioButton(IDC_WARP_MATERIAL_DATA, IDC_WARP_STRESS_STRAIN_DATA,
                     working.HasKeyword(kDssKeyword) ? IDC_WARP_STRESS_STRAIN_DATA : IDC_WARP_MATERIAL_DATA);
}

void CWarpWizAdvPage1::ApplyElementRule()
{
    bool cst3Enabled = true;
    const int current = IsDlgButtonChecked(IDC_WARP_CST3) ? 1 : IsDlgButtonChecked(IDC_WARP_LBT3) ? 2 : 0;
    const int element = ::ApplyElementRule(IsDlgButtonChecked(IDC_WARP_ORTHOTROPIC_MULTI) != 0, current, cst3Enabled);
    if (element != current)
        CheckRadioButton(IDC_WARP_LMT3, IDC_WARP_LBT3, IDC_WARP_LMT3 + element);
    EnableIds({IDC_WARP_CST3}, cst3Enabled);
}

BOOL CWarpWizAdvPage1::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    if (HIWORD(wParam) == BN_CLICKED) {
        if (id == IDC_WARP_ORTHOTROPIC_SINGLE || id == IDC_WARP_ORTHOTROPIC_MULTI) {
            ApplyElementRule();
            return TRUE;
        }
        if (id == IDC_WARP_PARTS_BUTTON) {
            CWarpWizard* wizard = GetWarpWizard();
            const ZQ_PM_Node* mesh = wizard->GetModelMeshNode();
            m_parts.m_strModelFile = mesh ? mesh->GetFilePath() : std::string();
            m_parts.m_strWorkingFile = wizard->GetTempFileName();
            m_parts.DoModal();
            return TRUE;
        }
    }
    return CWarpWizAdvPage::OnCommand(wParam, lParam);
}

void CWarpWizAdvPage1::ExchangeOwnControls(CDataExchange* pDX)
{
    const CWnd* source = GetDlgItem(IDC_WARP_STRESS_STRAIN_DATA);
    if (!source || !source->IsWindowVisible() || !IsDlgButtonChecked(IDC_WARP_STRESS_STRAIN_DATA))
        return;
    if (!ImportStressStrainData()) {
        pDX->PrepareCtrl(IDC_WARP_STRESS_STRAIN_DATA);
        pDX->Fail();
    }
}

bool CWarpWizAdvPage1::ImportStressStrainData()
{
    const std::string workingFile = GetWarpWizard()->GetTempFileName();
    MKeywordFile working;
    // The import rewrites the working file; one it cannot read would lose
    // every other value, so the transfer fails instead.
    if (CResult loaded = working.Load(workingFile); !loaded) {
        AfxMessageBox(loaded.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const std::string current = working.GetValue(kDssKeyword);
    if (!current.empty() && CFilePath(current).Exists())
        return true;
    // The data lives beside the material file, under its name.
    CFilePath target(working.GetValue("MATERIAL_FILE"));
    target.ChangeExtension(".dss");
    bool copied = false;
    if (!target.Exists() && AfxMessageBox(IDS_WARP_IMPORT_DSS, MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
        CFileDialog dialog(true, "dss", nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                           "DSS Files (*.dss)|*.dss||", this);
        if (dialog.DoModal() == IDOK) {
            target.CopyFrom(dialog.GetPathName());
            copied = target.Exists();
            if (!copied)
                AfxMessageBox(IDS_WARP_COPY_FAILED, MB_OK | MB_ICONEXCLAMATION);
        }
    }
    if (!target.Exists())
        return false;
    working.SetValue(kDssKeyword, target.GetPath());
    if (CResult written = GetWarpWizard()->WriteWorkingFile(working); !written) {
        // The working file does not name the copy: it goes, as if never made.
        if (copied)
            target.Delete(true);
        AfxMessageBox(written.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}
