// The analysis type page: which aims can be chosen follows the restart the
// working file names and the kind of mesh.
#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "warp/WarpIds.h"
#include "warp/WarpPages.h"
#include "warp/WarpWizard.h"

CWarpWizPage1::CWarpWizPage1() : CWarpWizPage(IDD_WARP_ANALYSIS_TYPE) {}

BOOL CWarpWizPage1::OnInitDialog()
{
    const BOOL result = CWarpWizPage::OnInitDialog();
    CWarpWizard* wizard = GetWarpWizard();
    if (wizard->IsStress()) {
        ShowIds({IDC_WARP_ISOLATE_SMALL, IDC_WARP_ISOLATE_BUCKLING}, false);
        ShowIds({IDC_WARP_MODAL_FREQUENCY}, true);
    }
    MKeywordFile working;
    // An unreadable working file reads as empty: no restart, every aim offered.
    (void)working.Load(wizard->GetTempFileName());
    unsigned message = 0;
    if (working.HasKeyword("3DSTRUCT_FENAS_SVA_RESULT_FILE")) {
        message = IDS_WARP_ISOLATE_CAUSE;
    } else if (working.HasKeyword("3DSTRUCT_INITIAL_CONDITIONS_FILE")) {
        EnableIds({IDC_WARP_SMALL_DEFLECTION}, false);
    } else if (working.HasKeyword("3DSTRUCT_RESTART_LDA")) {
        message = IDS_WARP_RESTART_STEP_NEEDED;
        ShowIds({IDC_WARP_RESTART_STEP_TEXT, IDC_WARP_RESTART_STEP}, true);
    }
    if (message != 0) {
        const bool imperfections = working.HasKeyword("3DSTRUCT_IMPERFECTION_MODE_FILE");
        CString text;
        text.LoadString(message);
        SetDlgItemText(IDC_WARP_INSTRUCTION, text);
        EnableIds({IDC_WARP_BUCKLING, IDC_WARP_SMALL_DEFLECTION}, false);
        if (!imperfections)
            EnableIds({IDC_WARP_LARGE_DEFLECTION}, false);
        ApplyRestartRules(message);
    } else {
        ApplyMeshRules();
    }
    return result;
}

void CWarpWizPage1::ApplyRestartRules(unsigned messageId)
{
    if (messageId == IDS_WARP_ISOLATE_CAUSE) {
        // Isolating the cause of a buckling needs the buckling analysis itself.
        MKeywordFile previous;
        const std::string file = GetWarpWizard()->GetPrevWarpageFile();
        if (!file.empty())
            (void)previous.Load(file); // as empty: no isolating a buckling it cannot see
        EnableIds({IDC_WARP_ISOLATE_BUCKLING},
                  !file.empty() && previous.GetValue("3DSTRUCT_ANALYSIS_AIM") == "LINEAR_BUCKLING");
    } else {
        EnableIds({IDC_WARP_ISOLATE_SMALL}, false);
    }
}

void CWarpWizPage1::ApplyMeshRules()
{
    CWarpWizard* wizard = GetWarpWizard();
    if (wizard->HasShrinkageSource()) {
        EnableIds({IDC_WARP_ISOLATE_SMALL}, false);
        return;
    }
    if (wizard->GetModelMeshType() != kSubFusion)
        return;
    // A surface mesh of both skins deflects little and does not buckle.
    CWarpSettings& settings = Settings();
    if (settings.m_aim.m_index != kWarpAimIsolateSmall) {
        settings.m_aim.m_index = kWarpAimSmallDeflection;
        UpdateData(FALSE);
    }
    EnableIds({IDC_WARP_BUCKLING, IDC_WARP_LARGE_DEFLECTION}, false);
    // Isolating the causes needs the flow solver's residual stresses with
    // their variates; a flow result without an earlier flow leaves it open.
    if (const ZQ_PM_Node* flow = wizard->GetPrevResultNode(kSubFlow)) {
        CFilePath rsm(flow->GetFilePath());
        rsm.ChangeExtension(".rsm");
        CFilePath rsv(flow->GetFilePath());
        rsv.ChangeExtension(".rsv");
        if (rsm.Exists() && !rsv.Exists())
            EnableIds({IDC_WARP_ISOLATE_SMALL}, false);
    }
}
