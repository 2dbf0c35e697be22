#include "warp/WarpWizard.h"

#include "keyword/FilePath.h"
#include "keyword/KeywordFile.h"
#include "keyword/RangeFiles.h"
#include "platform/system/FileIo.h"
#include "platform/window/CommonDialogs.h"
#include "platform/system/WinApp.h"
#include "warp/WarpIds.h"
#include "warp/WarpRules.h"
#include "wizard/WizardRegistry.h"

#include <unistd.h>

namespace {

int g_rsmPreference = 1;

constexpr const char* kShrinkSource = "3DSTRUCT_SHRINK_DATA_SOURCE";
constexpr const char* kThermalStress = "THERMAL_STRESS";
constexpr const char* kOutputStress = "3DSTRUCT_OUTPUT_STRESS";

Node_SubType SubTypeOf(int mode) { return mode == kWarpModeStress ? kSubStress : kSubWarpage; }

template <int Mode> bool CanStartInMode(const ZQ_PM_Node* node) { return CWarpWizard::CanStartFrom(node, Mode); }

template <int Mode> std::unique_ptr<CWizard> CreateInMode(ZQ_PM_Node* node)
{
    return std::make_unique<CWarpWizard>(node, Mode);
}

const SWizardFactory kWarpFactory{"warp", "a material, a warpage input or a result a warpage analysis follows",
                                  CanStartInMode<kWarpModeWarpage>, CreateInMode<kWarpModeWarpage>, nullptr, kSubWarpage};
const SWizardFactory kStressFactory{"stress", "a material, a stress input or a result a stress analysis follows",
                                    CanStartInMode<kWarpModeStress>, CreateInMode<kWarpModeStress>, nullptr, kSubStress};
const CWizardRegistration kWarpRegistration(kWarpFactory);
const CWizardRegistration kStressRegistration(kStressFactory);

// Sets the application's help file for the wizard's life.
class CHelpFileScope {
public:
    explicit CHelpFileScope(const std::string& path)
    {
        if ((m_app = AfxGetApp())) {
            m_previous = m_app->m_pszHelpFilePath;
            m_app->m_pszHelpFilePath = path;
        }
    }
    ~CHelpFileScope()
    {
        if (m_app)
            m_app->m_pszHelpFilePath = m_previous;
    }

private:
    CWinApp* m_app = nullptr;
    std::string m_previous;
};

} // namespace

CWarpWizard::CWarpWizard(ZQ_PM_Node* startNode, int mode, CWnd* parent)
    : CWizard(IDS_WARP_CAPTION, startNode, parent), m_advanced(this)
{
    m_settings.m_nMode = mode;
    // The pages in showing order; the middle ones show as the choices made
    // so far say.
    const auto when = [this](unsigned id) {
        return [this, id] {
            return IsWarpPageEnabled(id, IsStress(), GetPrevWarpageResult() != nullptr, GetAim(), GetControlMethod());
        };
    };
    AddWizardPage({&m_page1, {}, {}, AnalysisTypeBindings(m_settings)});
    AddWizardPage({&m_page2, {}, when(IDD_WARP_BOUNDARY), BoundaryBindings(m_settings)});
    AddWizardPage({&m_page3, {}, when(IDD_WARP_VARIATES), VariatesBindings(m_settings)});
    AddWizardPage({&m_page4, {}, when(IDD_WARP_LOAD_INCREMENT), LoadIncrementBindings(m_settings)});
    AddWizardPage({&m_page5, {}, when(IDD_WARP_MANUAL_STEPS), ManualStepsBindings(m_settings)});
    AddWizardPage({&m_page6, {}, when(IDD_WARP_LOAD_STEPS), LoadStepsBindings(m_settings)});
    AddWizardPage({&m_page7, {}, {}, DescriptionBindings(m_settings)});
}

CWarpWizard::~CWarpWizard() = default;

bool CWarpWizard::CanStartFrom(const ZQ_PM_Node* node, int mode)
{
    switch (node->GetType()) {
    case kNodeMaterial:
        return true;
    case kNodeInput:
        return node->GetSubType() == SubTypeOf(mode);
    case kNodeResult:
        // A structural analysis follows a packed part or another structural result.
        return node->GetSubType() == kSubWarpage || node->GetSubType() == kSubStress ||
               ((node->GetSubType() == kSubFlow || node->GetSubType() == kSubCooling) &&
                node->GetFlowAim() == kAimPacking);
    default:
        return false;
    }
}

void CWarpWizard::SetRSMPreference(int preference) { g_rsmPreference = preference; }

int CWarpWizard::GetRSMPreference() { return g_rsmPreference; }

std::string CWarpWizard::GetPrevWarpageFile() const
{
    const ZQ_PM_Node* result = GetPrevWarpageResult();
    return result && result->GetParent() ? result->GetParent()->GetFilePath() : std::string();
}

CResult CWarpWizard::Prepare()
{
    if (CResult base = CWizard::Prepare(); !base)
        return base;
    MProjectTree& tree = GetProjectTree();
    const std::string dataPath = tree.GetDataPath();
    MKeywordFile working;
    if (m_pStartNode->GetType() != kNodeInput) {
        // A new analysis: the solver's defaults, under what the host knows
        // of the model, the material and the flow result.
        if (CResult loaded = LoadIfPresent(working, dataPath + "warp.def"); !loaded)
            return loaded;
        if (g_rsmPreference != 0)
            working.SetValue(kShrinkSource, kThermalStress);
        tree.InitAnalysisInputs(working, SubTypeOf(GetMode()), 0, m_pStartNode);
        if (CResult written = WriteWorkingFile(working); !written)
            return written;
    } else if (CResult loaded = working.Load(m_strTempFile); !loaded) {
        return loaded;
    }
    // The preparation rules and the pages decide by the earlier analysis's
    // keywords; one that exists but cannot be read would make them decide
    // on nothing, so the wizard does not start.
    if (GetPrevWarpageResult()) {
        MKeywordFile previous;
        if (CResult loaded = LoadIfPresent(previous, GetPrevWarpageFile()); !loaded)
            return loaded;
    }
    m_bShrinkageSource = working.GetValue(kShrinkSource) != kThermalStress;
    m_settings.m_strDescription = working.GetValue("ANALYSIS_DESCRIPTION");

    RegisterPageBindings();
    CKeywordBindings& bindings = GetBindings();
    const std::pair<CWnd*, WarpBindingTable> advanced[] = {
        {&m_advanced.m_general, AdvGeneralBindings(m_settings)},
        {&m_advanced.m_structural, AdvStructuralBindings(m_settings)},
        {&m_advanced.m_nonLinear, AdvNonLinearBindings(m_settings)},
        {&m_advanced.m_loadFactor, AdvLoadFactorBindings(m_settings)},
        {&m_advanced.m_nonConvergence, AdvNonConvergenceBindings(m_settings)},
    };
    for (const auto& [page, table] : advanced) {
        bindings.SetCurrentPage(page);
        table(bindings);
    }
    bindings.SetCurrentPage(nullptr);
    for (const std::string& path : GetWarpRangeFiles(dataPath))
        if (CResult merged = bindings.MergeRanges(path); !merged)
            return merged;
    return CResult::Ok();
}

bool CWarpWizard::ApplyPreparationRules()
{
    SWarpPreparation in;
    in.stress = IsStress();
    in.shrinkageSource = m_bShrinkageSource;
    MKeywordFile working;
    // Prepare wrote this file and read the earlier one below; a read that
    // fails since leaves them empty, which the rules then refuse or ask about.
    (void)working.Load(m_strTempFile);
    in.hasResidualData =
        working.HasKeyword("MATERIAL_SHRINKAGE_DATA") || working.HasKeyword("MATERIAL_AVERAGE_FIBER_LENGTH");
    const std::string prevFile = GetPrevWarpageFile();
    MKeywordFile previous;
    if (GetPrevWarpageResult()) {
        in.hasPrevWarpage = true;
        (void)previous.Load(prevFile);
        in.prevAim = previous.GetValue("3DSTRUCT_ANALYSIS_AIM");
        in.prevOutputStress = previous.GetValue(kOutputStress);
        const CFilePath path(prevFile);
        in.prevFileWritable = path.Exists() && !path.IsReadOnly() && !CFilePath(CFilePath::Directory(prevFile)).IsReadOnly();
    }
    switch (DecidePreparation(in)) {
    case WarpVerdict::kGoOn:
        return true;
    case WarpVerdict::kRefuseStress:
        AfxMessageBox(IDS_WARP_STRESS_REFUSED, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case WarpVerdict::kAskOutputStress:
        if (AfxMessageBox(IDS_WARP_TURN_ON_STRESS, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return false;
        previous.SetValue(kOutputStress, "ON");
        // The write replaces the file whole or not at all, so a failure
        // leaves the earlier analysis as it was; the person is told why.
        if (CResult written = previous.Write(prevFile); !written) {
            AfxMessageBox("the earlier warpage analysis was not changed: " + written.GetMessage(),
                          MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        return true;
    case WarpVerdict::kRefuseWarpage:
        AfxMessageBox(IDS_WARP_WARPAGE_REFUSED, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case WarpVerdict::kRefuseNoResidual:
        AfxMessageBox(IDS_WARP_NO_RESIDUAL_DATA, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return false;
}

intptr_t CWarpWizard::DoModal()
{
    if (!ApplyPreparationRules())
        return IDCANCEL;
    if (IsStress())
        SetCaption(IDS_WARP_STRESS_CAPTION);
    CHelpFileScope help(GetProjectTree().GetDataPath() + (IsStress() ? "struct.hlp" : "warpage.hlp"));
    return CWizard::DoModal();
}

void CWarpWizard::OnWizardFinish()
{
    CWizard::OnWizardFinish();
    if (!m_finishResult)
        return;
    m_finishResult = MakeAnalysisInput();
}

CResult CWarpWizard::MakeAnalysisInput()
{
    MKeywordFile file;
    if (CResult loaded = file.Load(m_strTempFile); !loaded)
        return loaded;
    if (IsStress() && file.GetValue("3DSTRUCT_MATERIAL_MODEL") == "ORTHOTROPIC_MULTI_LAYER") {
        // The layers' properties come from the packing restart, not a
        // property file of one layer.
        file.SetValue("3DSTRUCT_ORIENTATION_DATA_SOURCE", "PACKING_RESTART");
        file.RemoveKeyword("3DSTRUCT_MECH_PROP_PMP_FILE");
    }

    // A read-only input is never overwritten: a new one goes beside it.
    ZQ_PM_Node* target = m_pStartNode;
    if (target->GetType() == kNodeInput && CFilePath(target->GetFilePath()).IsReadOnly())
        target = target->GetParent();

    MProjectTree& tree = GetProjectTree();
    ZQ_PM_Node* input = nullptr;
    if (target->GetType() == kNodeInput) {
        // The file first, then the project; the file gets its old bytes back
        // when the project does not take it, so a failed Finish leaves no trace.
        // An input whose file is gone gets it back, and loses it again on failure.
        m_strOutputFile = target->GetFilePath();
        const bool existed = !IsAbsentFile(m_strOutputFile);
        std::string oldBytes;
        if (existed)
            if (CResult read = wizsys::ReadWholeFile(m_strOutputFile, oldBytes); !read)
                return read;
        if (CResult written = file.Write(m_strOutputFile); !written)
            return written;
        if (!tree.UpdateInputNode(target)) {
            const CResult failure =
                CResult::Fail("the project did not take " + m_strOutputFile + ": " + tree.GetLastError());
            const CResult restored = existed ? wizsys::WriteWholeFile(m_strOutputFile, oldBytes)
                                     : ::unlink(m_strOutputFile.c_str()) == 0
                                         ? CResult::Ok()
                                         : CResult::FromErrno("cannot remove '" + m_strOutputFile + "'");
            if (!restored)
                return CResult::Fail(failure.GetMessage() + "; and undoing it failed: " + restored.GetMessage());
            return failure;
        }
        input = target;
    } else {
        // The project makes the file and the node in one change.
        input = tree.CreateInputNode(target, file, SubTypeOf(GetMode()));
        if (!input)
            return CResult::Fail("could not make the analysis input: " + tree.GetLastError());
        m_strOutputFile = input->GetFilePath();
    }
    if (ZQ_PM_Node* result = input->GetFirstChild())
        SetResultNode(result);
    return CResult::Ok();
}
