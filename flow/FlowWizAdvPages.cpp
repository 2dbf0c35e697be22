// The pages of the flow wizard's advanced options sheet.
#include "flow/FlowWizAdvPages.h"

#include <span>

#include "flow/FlowAdvRules.h"
#include "flow/FlowIds.h"
#include "flow/FlowRules.h"
#include "flow/FlowWizard.h"
#include "keyword/KeywordFile.h"
#include "platform/resources/Resources.h"
#include "platform/window/ListBoxes.h"

namespace {

const std::initializer_list<const char*> kFamilyItems = {"None", "Constant time increments", "Specified times",
                                                         "Constant volume increments", "Specified volumes"};
const std::initializer_list<const char*> kStageFamilyItems = {"None", "Constant time increments",
                                                              "Specified times"};
const std::initializer_list<const char*> kOptionItems = {"Automatic", "Specified"};

constexpr int kItemSpecified = 1;
constexpr int kSolverFast = 2;
constexpr int kNavierStokes = 1;

} // namespace

// ---- the page base -----------------------------------------------------------------

CFlowWizard* CFlowWizAdvPage::GetFlowWizard() const { return GetSheetAs<CFlowWizard>(); }

SFlowAdvSettings& CFlowWizAdvPage::Settings() const { return GetFlowWizard()->GetAdvancedSheet().m_settings; }

void CFlowWizAdvPage::ShowIds(std::initializer_list<int> ids, bool show)
{
    for (int id : ids)
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CFlowWizAdvPage::EnableAll(bool enable)
{
    for (CWnd* control : GetChildren())
        control->EnableWindow(enable);
}

void CFlowWizAdvPage::EnableBefore(int stopId, bool enable)
{
    for (CWnd* control : GetChildren()) {
        if (control->GetDlgCtrlID() == stopId)
            return;
        control->EnableWindow(enable);
    }
}

void CFlowWizAdvPage::EnableFrom(int startId, bool enable)
{
    bool reached = false;
    for (CWnd* control : GetChildren()) {
        reached = reached || control->GetDlgCtrlID() == startId;
        if (reached)
            control->EnableWindow(enable);
    }
}

void CFlowWizAdvPage::FillCombo(int id, std::initializer_list<const char*> items)
{
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(id)))
        for (const char* item : items)
            combo->AddString(item);
}

int CFlowWizAdvPage::SelectedData(int comboId) const
{
    auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(comboId));
    if (!combo || combo->GetCurSel() < 0)
        return -1;
    return static_cast<int>(static_cast<intptr_t>(combo->GetItemData(combo->GetCurSel())));
}

void CFlowWizAdvPage::ApplyFamilyRule(int comboId, std::span<const int> pairs)
{
    const int shown = ResultFamilyValueShown(SelectedData(comboId));
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2)
        ShowIds({pairs[i], pairs[i + 1]}, static_cast<int>(i / 2) == shown);
}

// ---- Analysis ----------------------------------------------------------------------

CFlowWizAdvPage1::CFlowWizAdvPage1(UINT templateId) : CFlowWizAdvPage(templateId) {}

BOOL CFlowWizAdvPage1::OnInitDialog()
{
    const bool optimum = m_nIDTemplate == IDD_FLOW_ADV_ANALYSIS_OPTIM;
    if (optimum) {
        FillCombo(IDC_FLOW_ADV_STROKE, kOptionItems);
        FillCombo(IDC_FLOW_ADV_CLAMP_OPTION, kOptionItems);
    }
    const BOOL result = CFlowWizAdvPage::OnInitDialog();
    CFlowWizard* wizard = GetFlowWizard();
    // A restart goes on with the machine and mold it started with.
    if (wizard->m_restart.m_index != kRestartNone) {
        EnableAll(false);
        return result;
    }
    if (wizard->Is3D())
        EnableIds({IDC_FLOW_ADV_CLAMP_FORCE, IDC_FLOW_ADV_CLAMP_FORCE_TEXT}, false);
    if (FixesMoldProperties(wizard->FollowsCooling(), wizard->GetAim()))
        EnableIds({IDC_FLOW_ADV_MOLD_CONDUCTIVITY, IDC_FLOW_ADV_MOLD_DENSITY, IDC_FLOW_ADV_MOLD_HEAT}, false);
    if (FixesAmbient(wizard->GetAim(), wizard->GetFlags()))
        EnableIds({IDC_FLOW_ADV_AMBIENT_PRESSURE, IDC_FLOW_ADV_AMBIENT_TEMP}, false);
    if (optimum)
        ApplyOptionRules();
    return result;
}

BOOL CFlowWizAdvPage1::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    if (IsSelChange(wParam) && (id == IDC_FLOW_ADV_STROKE || id == IDC_FLOW_ADV_CLAMP_OPTION)) {
        ApplyOptionRules();
        return TRUE;
    }
    return CFlowWizAdvPage::OnCommand(wParam, lParam);
}

void CFlowWizAdvPage1::ApplyOptionRules()
{
    ShowIds({IDC_FLOW_ADV_STROKE_LENGTH, IDC_FLOW_ADV_STROKE_LENGTH_TEXT},
            SelectedData(IDC_FLOW_ADV_STROKE) == kItemSpecified);
    ShowIds({IDC_FLOW_ADV_CLAMP_FORCE, IDC_FLOW_ADV_CLAMP_FORCE_TEXT},
            SelectedData(IDC_FLOW_ADV_CLAMP_OPTION) == kItemSpecified);
}

// ---- Output ------------------------------------------------------------------------

CFlowWizAdvPage2::CFlowWizAdvPage2() : CFlowWizAdvPage(IDD_FLOW_ADV_OUTPUT) {}

namespace {

// Each results combo with the value edits and captions its choices show.
struct SFamilyRule {
    int combo;
    int count;
    int pairs[8];
    std::span<const int> Pairs() const { return {pairs, static_cast<std::size_t>(count)}; }
};

const SFamilyRule kOutputFamilies[] = {
    {IDC_FLOW_ADV_FI, 8,
     {IDC_FLOW_ADV_FI_CTIME, IDC_FLOW_ADV_FI_CTIME_TEXT, IDC_FLOW_ADV_FI_STIMES, IDC_FLOW_ADV_FI_STIMES_TEXT,
      IDC_FLOW_ADV_FI_CVOL, IDC_FLOW_ADV_FI_CVOL_TEXT, IDC_FLOW_ADV_FI_SVOLS, IDC_FLOW_ADV_FI_SVOLS_TEXT}},
    {IDC_FLOW_ADV_FT, 8,
     {IDC_FLOW_ADV_FT_CTIME, IDC_FLOW_ADV_FT_CTIME_TEXT, IDC_FLOW_ADV_FT_STIMES, IDC_FLOW_ADV_FT_STIMES_TEXT,
      IDC_FLOW_ADV_FT_CVOL, IDC_FLOW_ADV_FT_CVOL_TEXT, IDC_FLOW_ADV_FT_SVOLS, IDC_FLOW_ADV_FT_SVOLS_TEXT}},
    {IDC_FLOW_ADV_FR, 8,
     {IDC_FLOW_ADV_FR_CTIME, IDC_FLOW_ADV_FR_CTIME_TEXT, IDC_FLOW_ADV_FR_STIMES, IDC_FLOW_ADV_FR_STIMES_TEXT,
      IDC_FLOW_ADV_FR_CVOL, IDC_FLOW_ADV_FR_CVOL_TEXT, IDC_FLOW_ADV_FR_SVOLS, IDC_FLOW_ADV_FR_SVOLS_TEXT}},
    {IDC_FLOW_ADV_SI, 4,
     {IDC_FLOW_ADV_SI_CTIME, IDC_FLOW_ADV_SI_CTIME_TEXT, IDC_FLOW_ADV_SI_STIMES, IDC_FLOW_ADV_SI_STIMES_TEXT}},
    {IDC_FLOW_ADV_ST, 4,
     {IDC_FLOW_ADV_ST_CTIME, IDC_FLOW_ADV_ST_CTIME_TEXT, IDC_FLOW_ADV_ST_STIMES, IDC_FLOW_ADV_ST_STIMES_TEXT}},
    {IDC_FLOW_ADV_SR, 4,
     {IDC_FLOW_ADV_SR_CTIME, IDC_FLOW_ADV_SR_CTIME_TEXT, IDC_FLOW_ADV_SR_STIMES, IDC_FLOW_ADV_SR_STIMES_TEXT}},
};

} // namespace

BOOL CFlowWizAdvPage2::OnInitDialog()
{
    for (int id : {IDC_FLOW_ADV_FI, IDC_FLOW_ADV_FT, IDC_FLOW_ADV_FR})
        FillCombo(id, kFamilyItems);
    for (int id : {IDC_FLOW_ADV_SI, IDC_FLOW_ADV_ST, IDC_FLOW_ADV_SR})
        FillCombo(id, kStageFamilyItems);
    const BOOL result = CFlowWizAdvPage::OnInitDialog();
    CFlowWizard* wizard = GetFlowWizard();
    const int flags = wizard->GetFlags();
    const SFlowStages& stages = wizard->m_stages;
    if (flags & kFlowThermoset)
        SetDlgItemText(IDC_FLOW_ADV_STAGE_GROUP, LoadString(IDS_FLOW_ADV_CURING_RESULTS));
    // Results of a stage the analysis does not simulate cannot be asked for.
    if (!stages.fillStage)
        EnableBefore(IDC_FLOW_ADV_STAGE_GROUP, false);
    else if (!stages.packStage && !stages.cureStage)
        EnableFrom(IDC_FLOW_ADV_STAGE_GROUP, false);
    ShowIds({IDC_FLOW_ADV_ABAQUS}, ShowsAbaqusSwitch(wizard->GetModelMeshType(), flags));
    // An optimisation runs the solver many times: only its time series are kept.
    if (flags & kFlowOptimum)
        EnableIds({IDC_FLOW_ADV_FI, IDC_FLOW_ADV_FR, IDC_FLOW_ADV_FR_DELETION, IDC_FLOW_ADV_SI, IDC_FLOW_ADV_SR,
                   IDC_FLOW_ADV_SR_DELETION},
                  false);
    for (const SFamilyRule& rule : kOutputFamilies)
        ApplyValueRule(rule.combo);
    return result;
}

BOOL CFlowWizAdvPage2::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (IsSelChange(wParam))
        ApplyValueRule(static_cast<int>(LOWORD(wParam)));
    return CFlowWizAdvPage::OnCommand(wParam, lParam);
}

void CFlowWizAdvPage2::ApplyValueRule(int comboId)
{
    for (const SFamilyRule& rule : kOutputFamilies)
        if (rule.combo == comboId)
            ApplyFamilyRule(rule.combo, rule.Pairs());
}

// ---- Output 3D ---------------------------------------------------------------------

CFlowWizAdvPage2_3D::CFlowWizAdvPage2_3D() : CFlowWizAdvPage(IDD_FLOW_ADV_OUTPUT_3D) {}

void CFlowWizAdvPage2_3D::EnableControls()
{
    EnableIds({IDC_FLOW_ADV3_TIMES}, IsDlgButtonChecked(IDC_FLOW_ADV3_SPECIFIED) != 0);
    EnableIds({IDC_FLOW_ADV3_VELOCITY, IDC_FLOW_ADV3_PRESSURE}, IsDlgButtonChecked(IDC_FLOW_ADV3_INTERVALS) != 0);
    EnableIds({IDC_FLOW_ADV3_HOURS}, IsDlgButtonChecked(IDC_FLOW_ADV3_RECOVERY) != 0);
}

BOOL CFlowWizAdvPage2_3D::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (IsClick(wParam) ? static_cast<int>(LOWORD(wParam)) : 0) {
    case IDC_FLOW_ADV3_NONE:
    case IDC_FLOW_ADV3_SPECIFIED:
    case IDC_FLOW_ADV3_INTERVALS:
    case IDC_FLOW_ADV3_NO_RECOVERY:
    case IDC_FLOW_ADV3_RECOVERY:
        EnableControls();
        return TRUE;
    default:
        return CFlowWizAdvPage::OnCommand(wParam, lParam);
    }
}

// ---- Filling solution --------------------------------------------------------------

CFlowWizAdvPage3::CFlowWizAdvPage3() : CFlowWizAdvPage(IDD_FLOW_ADV_FILLING) {}

BOOL CFlowWizAdvPage3::OnInitDialog()
{
    FillCombo(IDC_FLOW_ADV_GROWTH, {"Fast", "Multiple", "Single", "Constant step"});
    const BOOL result = CFlowWizAdvPage::OnInitDialog();
    ApplyGrowthRule();
    CFlowWizard* wizard = GetFlowWizard();
    if (!wizard->m_stages.fillStage) {
        EnableAll(false);
        return result;
    }
    if (wizard->GetFlags() & kFlowThermoset) {
        // A thermoset's density follows its cure, not the pressure.
        EnableIds({IDC_FLOW_ADV_DENSITY_LIMIT, IDC_FLOW_ADV_DENSITY_LIMIT_TEXT, IDC_FLOW_ADV_DENSITY_TOL,
                   IDC_FLOW_ADV_DENSITY_TOL_TEXT},
                  false);
        ShowIds({IDC_FLOW_ADV_CURING_IN_FILL}, true);
    } else if (wizard->GetFlags() & kFlowOptimum) {
        ShowIds({IDC_FLOW_ADV_OPTIM_FILL_LIMIT_TEXT, IDC_FLOW_ADV_OPTIM_FILL_LIMIT}, true);
    }
    return result;
}

void CFlowWizAdvPage3::EnableControls()
{
    // The fast solver iterates no density; the solver type may have changed
    // on the Numerical solution page since this page was last shown.
    CFlowWizard* wizard = GetFlowWizard();
    if (wizard->m_stages.fillStage && !(wizard->GetFlags() & kFlowThermoset))
        EnableIds({IDC_FLOW_ADV_DENSITY_LIMIT, IDC_FLOW_ADV_DENSITY_LIMIT_TEXT, IDC_FLOW_ADV_DENSITY_TOL,
                   IDC_FLOW_ADV_DENSITY_TOL_TEXT},
                  Settings().solverType.m_index != kSolverFast);
}

BOOL CFlowWizAdvPage3::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (IsSelChange(wParam) && LOWORD(wParam) == IDC_FLOW_ADV_GROWTH) {
        ApplyGrowthRule();
        return TRUE;
    }
    return CFlowWizAdvPage::OnCommand(wParam, lParam);
}

void CFlowWizAdvPage3::ApplyGrowthRule()
{
    const int data = SelectedData(IDC_FLOW_ADV_GROWTH);
    ShowIds({IDC_FLOW_ADV_GROWTH_MULTIPLE, IDC_FLOW_ADV_GROWTH_MULTIPLE_TEXT}, data == 1);
    ShowIds({IDC_FLOW_ADV_GROWTH_STEP, IDC_FLOW_ADV_GROWTH_STEP_TEXT}, data == 3);
}

// ---- Filling solution 3D and Packing solution --------------------------------------

void CFlowWizAdvSolverPage::EnableControls()
{
    const bool navierStokes = ShowsNavierStokesFields(Settings().filling3DType.m_index);
    ShowIds({IDC_FLOW_ADV3_NS_ITERATIONS, IDC_FLOW_ADV3_NS_ITERATIONS_TEXT, IDC_FLOW_ADV3_NS_CONVERGENCE,
             IDC_FLOW_ADV3_NS_CONVERGENCE_TEXT, IDC_FLOW_ADV3_NS_P_LIMIT, IDC_FLOW_ADV3_NS_P_LIMIT_TEXT,
             IDC_FLOW_ADV3_NS_P_RESIDUAL, IDC_FLOW_ADV3_NS_P_RESIDUAL_TEXT, IDC_FLOW_ADV3_NS_V_LIMIT,
             IDC_FLOW_ADV3_NS_V_LIMIT_TEXT, IDC_FLOW_ADV3_NS_V_RESIDUAL, IDC_FLOW_ADV3_NS_V_RESIDUAL_TEXT},
            navierStokes);
    ShowIds({IDC_FLOW_ADV3_ITERATIONS, IDC_FLOW_ADV3_ITERATIONS_TEXT, IDC_FLOW_ADV3_CONVERGENCE,
             IDC_FLOW_ADV3_CONVERGENCE_TEXT, IDC_FLOW_ADV3_P_LIMIT, IDC_FLOW_ADV3_P_LIMIT_TEXT,
             IDC_FLOW_ADV3_P_RESIDUAL, IDC_FLOW_ADV3_P_RESIDUAL_TEXT},
            !navierStokes);
}

CFlowWizAdvPage3_3D::CFlowWizAdvPage3_3D() : CFlowWizAdvSolverPage(IDD_FLOW_ADV_FILLING_3D) {}

BOOL CFlowWizAdvPage3_3D::OnInitDialog()
{
    const BOOL result = CFlowWizAdvSolverPage::OnInitDialog();
    if (!GetFlowWizard()->m_stages.fillStage)
        EnableAll(false);
    return result;
}

CFlowWizAdvPage4::CFlowWizAdvPage4() : CFlowWizAdvSolverPage(IDD_FLOW_ADV_PACKING) {}

BOOL CFlowWizAdvPage4::OnInitDialog()
{
    const BOOL result = CFlowWizAdvSolverPage::OnInitDialog();
    // The template leaves only the time step on, all a midplane packing uses.
    if (GetFlowWizard()->Is3D())
        EnableAll(true);
    return result;
}

// ---- Numerical solution ------------------------------------------------------------

CFlowWizAdvPage5::CFlowWizAdvPage5() : CFlowWizAdvPage(IDD_FLOW_ADV_NUMERICAL) {}

BOOL CFlowWizAdvPage5::OnInitDialog()
{
    FillCombo(IDC_FLOW_ADV_SOLVER, {"Multi-laminate", "Asymmetric", "Fast"});
    FillCombo(IDC_FLOW_ADV_3D_SOLVER, {"Fast", "Navier-Stokes"});
    const BOOL result = CFlowWizAdvPage::OnInitDialog();
    CFlowWizard* wizard = GetFlowWizard();
    const int flags = wizard->GetFlags();
    if (wizard->Is3D())
        EnableIds({IDC_FLOW_ADV_SOLVER}, false);
    else
        EnableIds({IDC_FLOW_ADV_3D_GROUP, IDC_FLOW_ADV_3D_SOLVER, IDC_FLOW_ADV_3D_SOLVER_TEXT}, false);
    if (flags & kFlowThermoset) {
        ShowIds({IDC_FLOW_ADV_CURING_GROUP, IDC_FLOW_ADV_CURING_STEP_TEXT, IDC_FLOW_ADV_CURING_STEP,
                 IDC_FLOW_ADV_CURING_STABILITY_TEXT, IDC_FLOW_ADV_CURING_STABILITY},
                true);
        ShowIds({IDC_FLOW_ADV_FIBER_GROUP, IDC_FLOW_ADV_FIBER_LIMIT, IDC_FLOW_ADV_FIBER_LIMIT_TEXT,
                 IDC_FLOW_ADV_FIBER_FACTOR, IDC_FLOW_ADV_FIBER_FACTOR_TEXT},
                false);
    }
    // Taken out after the fields were shown: a stored solver type that is
    // not offered leaves the list without a choice, for the user to make.
    if (auto* solver = dynamic_cast<CComboBox*>(GetDlgItem(IDC_FLOW_ADV_SOLVER)))
        for (int data : SolverTypesRemoved(wizard->GetModelMeshType(), flags, wizard->m_stages.packStage))
            for (int i = solver->GetCount() - 1; i >= 0; --i)
                if (static_cast<int>(static_cast<intptr_t>(solver->GetItemData(i))) == data)
                    solver->DeleteString(static_cast<UINT>(i));
    if (flags & kFlowFiber)
        EnableIds({IDC_FLOW_ADV_FIBER_GROUP, IDC_FLOW_ADV_FIBER_LIMIT, IDC_FLOW_ADV_FIBER_LIMIT_TEXT,
                   IDC_FLOW_ADV_FIBER_FACTOR, IDC_FLOW_ADV_FIBER_FACTOR_TEXT},
                  true);
    ApplySolverRule();
    ApplyInertiaRule();
    // A restart keeps the numerical settings it started with.
    if (wizard->m_restart.m_index != kRestartNone)
        EnableAll(false);
    return result;
}

BOOL CFlowWizAdvPage5::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (IsSelChange(wParam)) {
        if (LOWORD(wParam) == IDC_FLOW_ADV_SOLVER)
            ApplySolverRule();
        else if (LOWORD(wParam) == IDC_FLOW_ADV_3D_SOLVER)
            ApplyInertiaRule();
    }
    return CFlowWizAdvPage::OnCommand(wParam, lParam);
}

void CFlowWizAdvPage5::ApplySolverRule()
{
    // The fast solver has no laminates and no grid.
    EnableIds({IDC_FLOW_ADV_PLASTIC_LAMINATES, IDC_FLOW_ADV_PLASTIC_LAMINATES_TEXT, IDC_FLOW_ADV_METAL_LAMINATES,
               IDC_FLOW_ADV_METAL_LAMINATES_TEXT, IDC_FLOW_ADV_GRID_RATIO, IDC_FLOW_ADV_GRID_RATIO_TEXT},
              SelectedData(IDC_FLOW_ADV_SOLVER) != kSolverFast);
}

void CFlowWizAdvPage5::ApplyInertiaRule()
{
    EnableIds({IDC_FLOW_ADV_INERTIA}, SelectedData(IDC_FLOW_ADV_3D_SOLVER) == kNavierStokes);
}

// ---- Runner balance ----------------------------------------------------------------

CFlowWizAdvPage6::CFlowWizAdvPage6() : CFlowWizAdvPage(IDD_FLOW_ADV_RUNNER_BALANCE) {}

BOOL CFlowWizAdvPage6::OnInitDialog()
{
    FillCombo(IDC_FLOW_ADV_FT, kFamilyItems);
    const BOOL result = CFlowWizAdvPage::OnInitDialog();
    ApplyTimeSeriesRule();
    return result;
}

BOOL CFlowWizAdvPage6::OnCommand(WPARAM wParam, LPARAM lParam)
{
    GetFlowWizard()->GetBindings().OnCompanionClicked(wParam, lParam);
    if (IsSelChange(wParam) && LOWORD(wParam) == IDC_FLOW_ADV_FT) {
        ApplyTimeSeriesRule();
        return TRUE;
    }
    return CFlowWizAdvPage::OnCommand(wParam, lParam);
}

void CFlowWizAdvPage6::ApplyTimeSeriesRule() { ApplyFamilyRule(kOutputFamilies[1].combo, kOutputFamilies[1].Pairs()); }

// ---- Molding window ----------------------------------------------------------------

CFlowWizAdvPage7::CFlowWizAdvPage7() : CFlowWizAdvPage(IDD_FLOW_ADV_MOLD_WINDOW) {}

BOOL CFlowWizAdvPage7::OnInitDialog()
{
    FillCombo(IDC_FLOW_MW_DISPLAY, {"Refined", "Full"});
    return CFlowWizAdvPage::OnInitDialog();
}

BOOL CFlowWizAdvPage7::OnCommand(WPARAM wParam, LPARAM lParam)
{
    GetFlowWizard()->GetBindings().OnCompanionClicked(wParam, lParam);
    return CFlowWizAdvPage::OnCommand(wParam, lParam);
}

// ---- Control parameters ------------------------------------------------------------

CFlowWizAdvPage8::CFlowWizAdvPage8() : CFlowWizAdvPage(IDD_FLOW_ADV_CONTROL) {}

BOOL CFlowWizAdvPage8::OnInitDialog()
{
    const BOOL result = CFlowWizAdvPage::OnInitDialog();
    ApplyControllerCapabilities();
    ApplyPressureRule();
    return result;
}

BOOL CFlowWizAdvPage8::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const BOOL handled = CFlowWizAdvPage::OnCommand(wParam, lParam);
    ApplyPressureRule();
    return handled;
}

void CFlowWizAdvPage8::ApplyControllerCapabilities()
{
    // What the machine chosen on the first page can do is in the analysis
    // file, merged there with the machine. The file is read rather than a
    // machine dialog's fields: those start from the generic machine's
    // defaults, and would credit a machine that states nothing with the
    // generic controller's profiles.
    static const struct {
        int option;
        const char* capability;
    } kOptions[] = {
        {IDC_FLOW_CP_V_CONSTANT, "MACHINE_CONTROLLER_VELOCITY_PROFILE_TYPES_CONSTANT"},
        {IDC_FLOW_CP_V_LINEAR, "MACHINE_CONTROLLER_VELOCITY_PROFILE_TYPES_LINEAR"},
        {IDC_FLOW_CP_V_RAM, "MACHINE_CONTROLLER_VELOCITY_PROFILE_RAM_POSITION_RAM_VELOCITY"},
        {IDC_FLOW_CP_V_ZONE, "MACHINE_CONTROLLER_VELOCITY_PROFILE_ZONE_RAM_VELOCITY"},
        {IDC_FLOW_CP_P_CONSTANT, "MACHINE_CONTROLLER_PRESSURE_PROFILE_TYPES_CONSTANT"},
        {IDC_FLOW_CP_P_LINEAR, "MACHINE_CONTROLLER_PRESSURE_PROFILE_TYPES_LINEAR"},
        {IDC_FLOW_CP_P_TIME, "MACHINE_CONTROLLER_PRESSURE_PROFILE_PRESSURE_TIME"},
        {IDC_FLOW_CP_P_ZONE, "MACHINE_CONTROLLER_PRESSURE_PROFILE_ZONE_PRESSURE"},
    };
    MKeywordFile working;
    // Unreadable, the file states no capability, and every option stays off.
    (void)working.Load(GetFlowWizard()->GetTempFileName());
    for (const auto& entry : kOptions)
        EnableIds({entry.option}, working.GetValue(entry.capability) == "ON");
}

void CFlowWizAdvPage8::ApplyPressureRule()
{
    ShowIds({IDC_FLOW_CP_PRESSURE, IDC_FLOW_CP_PRESSURE_TEXT}, IsDlgButtonChecked(IDC_FLOW_CP_PRESSURE_SPECIFIED) != 0);
    ShowIds({IDC_FLOW_CP_PACK, IDC_FLOW_CP_PACK_TEXT}, IsDlgButtonChecked(IDC_FLOW_CP_PACK_SPECIFIED) != 0);
}

// ---- Gate location -----------------------------------------------------------------

CFlowWizAdvPage9::CFlowWizAdvPage9() : CFlowWizAdvPage(IDD_FLOW_ADV_GATE_LOCATION) {}
