// The process settings page: how the machine fills the cavity (the velocity
// phase), when it switches to pressure control, and how it holds pressure;
// and the buttons that open the profile, gas and quality dialogs.
#include <algorithm>

#include "cool/BoundaryConditionFile.h"
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"
#include "flow/GasSettingsDlg.h"
#include "flow/ProfileDialogs.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/ListBoxes.h"

namespace {

// The entries of each drop-down list in token order: an entry's item data is
// the index of its token, so removing entries never shifts a token.
constexpr const char* kInjectionEntries[] = {"Automatic", "Injection time", "Flow rate", "Velocity profile"};
// NO_PRESSURE_CONTROL is kept when a file holds it, but not offered.
constexpr const char* kSwitchOverEntries[] = {"Automatic", "Volume", "Time", "Pressure at a node"};
constexpr const char* kPressureEntries[] = {"Pressure factor", "Specified pressure", "Pressure profile"};

CComboBox* Combo(const CWnd* page, int id) { return static_cast<CComboBox*>(page->GetDlgItem(id)); }

template <std::size_t N> void Fill(CComboBox* combo, const char* const (&entries)[N])
{
    combo->ResetContent();
    for (std::size_t i = 0; i < N; ++i)
        combo->SetItemData(combo->AddString(entries[i]), static_cast<DWORD_PTR>(i));
}

// Keeps the entries whose item data `kept` lists.
void KeepEntries(CComboBox* combo, const std::vector<int>& kept)
{
    for (int item = combo->GetCount() - 1; item >= 0; --item) {
        const int token = static_cast<int>(combo->GetItemData(item));
        if (std::find(kept.begin(), kept.end(), token) == kept.end())
            combo->DeleteString(static_cast<UINT>(item));
    }
}

// Whether the wizard follows a cooling analysis that itself followed a flow:
// that flow's velocity phase stands.
bool FollowsCoolingOfFlow(const CFlowWizard& wizard)
{
    const ZQ_PM_Node* cooling = wizard.GetPrevResultNode(kSubCooling);
    if (cooling == nullptr)
        return false;
    for (const ZQ_PM_Node* node = cooling->GetParent(); node; node = node->GetParent())
        if (node->GetSubType() == kSubFlow)
            return true;
    return false;
}

} // namespace

CFlowWizPage3::CFlowWizPage3(CFlowWizard& wizard)
    : CFlowWizPage(IDD_FLOW_PAGE3),
      m_pressureProfileDlg(std::make_unique<CPressureProfileDlg>(wizard)),
      m_velocityProfileDlg(std::make_unique<CVelocityProfileDlg>(wizard)),
      m_gasSettingsDlg(std::make_unique<CGasSettingsDlg>(wizard)),
      m_qualityCriteriaDlg(std::make_unique<CQualityCriteriaDlg>(wizard))
{
}

CFlowWizPage3::~CFlowWizPage3() = default;

void CFlowWizPage3::FillCombos()
{
    Fill(Combo(this, IDC_FLOW_INJECTION), kInjectionEntries);
    Fill(Combo(this, IDC_FLOW_SWITCH_OVER), kSwitchOverEntries);
    Fill(Combo(this, IDC_FLOW_PRESSURE_CONTROL), kPressureEntries);
}

BOOL CFlowWizPage3::OnInitDialog()
{
    FillCombos();
    CFlowWizard* wizard = GetFlowWizard();
    // An analysis that does not fill has no filling method to choose.
    if (wizard->m_stages.fillStage == 0) {
        wizard->m_injection.m_index = -1;
        wizard->m_switchOver.m_index = -1;
    }
    m_velocityProfileDlg->SetAccepted(wizard->m_injection.m_index == kInjectionProfile);
    const int flags = wizard->GetFlags();
    if (flags & kFlowGas) {
        GetDlgItem(IDC_FLOW_GAS_SETTINGS_BUTTON)->ShowWindow(SW_SHOW);
        // An analysis being edited had its gas settings completed before.
        m_gasSettingsDlg->SetGasReady(wizard->GetStartNode()->GetType() == kNodeInput);
    } else {
        m_gasSettingsDlg->SetGasReady(true);
    }
    if (flags & kFlowOptimum)
        GetDlgItem(IDC_FLOW_QUALITY_BUTTON)->ShowWindow(SW_SHOW);
    return CFlowWizPage::OnInitDialog();
}

BOOL CFlowWizPage3::OnSetActive()
{
    // The lists follow the current aim, restart and boundary conditions.
    FillCombos();
    ApplyOffer();
    UpdateData(FALSE);
    if (GetFlowWizard()->GetFlags() & kFlowGas)
        EnableGasPressurePhase();
    // The base shows the fields again and runs EnableControls.
    return CFlowWizPage::OnSetActive();
}

void CFlowWizPage3::ApplyOffer()
{
    CFlowWizard* wizard = GetFlowWizard();
    SProcessPageInputs in;
    in.is3D = wizard->Is3D();
    in.flags = wizard->GetFlags();
    in.stages = wizard->m_stages;
    in.restart = wizard->m_restart.m_index;
    in.injection = wizard->m_injection.m_index;
    in.pressure = wizard->m_pressureControl.m_index;
    in.pressureProfileEmpty = m_pressureProfileDlg->IsProfileEmpty();
    in.followsCoolingOfFlow = FollowsCoolingOfFlow(*wizard);
    if (in.stages.fillStageEditable) {
        MBoundaryConditionFile bc;
        // Boundary conditions that cannot be read name no switch-over node.
        if (bc.Load(wizard->m_strBoundaryFile))
            in.hasSwitchOverNode = bc.GetSwitchOverNode() != -1;
    }
    const SProcessPageOffer offer = ProcessPageOffer(in);

    wizard->m_pressureControl.m_index = offer.pressure;
    if (offer.clearFillingChoices) {
        wizard->m_injection.m_index = -1;
        wizard->m_switchOver.m_index = -1;
    }
    KeepEntries(Combo(this, IDC_FLOW_INJECTION), offer.injectionEntries);
    KeepEntries(Combo(this, IDC_FLOW_SWITCH_OVER), offer.switchOverEntries);
    KeepEntries(Combo(this, IDC_FLOW_PRESSURE_CONTROL), offer.pressureEntries);

    EnableIds({IDC_FLOW_PRESSURE_CONTROL}, offer.pressureChoiceEnabled);
    EnableIds({IDC_FLOW_INJECTION}, offer.injectionEditable);
    EnableIds({IDC_FLOW_INJECTION_RATE, IDC_FLOW_INJECTION_TIME}, offer.injectionValuesEditable);
    EnableIds({IDC_FLOW_SWITCH_OVER, IDC_FLOW_SWITCH_VOLUME, IDC_FLOW_SWITCH_PRESSURE, IDC_FLOW_SWITCH_TIME,
               IDC_FLOW_PRESSURE_FACTOR, IDC_FLOW_PRESSURE_SPECIFIED},
              offer.fillingEditable);
}

void CFlowWizPage3::EnableGasPressurePhase()
{
    // Shutting the nozzle off by filled volume leaves the gas to pack the part.
    const bool pressurePhase = GetFlowWizard()->m_gasShutOff.m_index != kGasShutOffVolume;
    EnableIds({IDC_FLOW_PRESSURE_FACTOR, IDC_FLOW_PRESSURE_FACTOR_TEXT, IDC_FLOW_PRESSURE_SPECIFIED,
               IDC_FLOW_PRESSURE_SPECIFIED_TEXT, IDC_FLOW_PRESSURE_CONTROL, IDC_FLOW_PRESSURE_PROFILE_BUTTON},
              pressurePhase);
}

int CFlowWizPage3::SelectedToken(int comboId) const
{
    const CComboBox* combo = Combo(this, comboId);
    const int selected = combo->GetCurSel();
    return selected >= 0 ? static_cast<int>(combo->GetItemData(selected)) : -1;
}

void CFlowWizPage3::EnableControls()
{
    // Only the value of the chosen method shows, and hidden fields are not
    // read back.
    auto show = [this](std::initializer_list<int> ids, bool visible) {
        for (int id : ids)
            GetDlgItem(id)->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    };
    const int injection = SelectedToken(IDC_FLOW_INJECTION);
    show({IDC_FLOW_INJECTION_TIME_TEXT, IDC_FLOW_INJECTION_TIME}, injection == kInjectionTime);
    show({IDC_FLOW_INJECTION_RATE_TEXT, IDC_FLOW_INJECTION_RATE}, injection == kInjectionFlowRate);
    show({IDC_FLOW_VELOCITY_PROFILE_BUTTON}, injection == kInjectionProfile);
    const int switchOver = SelectedToken(IDC_FLOW_SWITCH_OVER);
    show({IDC_FLOW_SWITCH_VOLUME_TEXT, IDC_FLOW_SWITCH_VOLUME}, switchOver == kSwitchOverVolume);
    show({IDC_FLOW_SWITCH_TIME_TEXT, IDC_FLOW_SWITCH_TIME}, switchOver == kSwitchOverTime);
    show({IDC_FLOW_SWITCH_PRESSURE_TEXT, IDC_FLOW_SWITCH_PRESSURE}, switchOver == kSwitchOverPressureAtNode);
    const int pressure = SelectedToken(IDC_FLOW_PRESSURE_CONTROL);
    show({IDC_FLOW_PRESSURE_FACTOR_TEXT, IDC_FLOW_PRESSURE_FACTOR}, pressure == kPressureFactor);
    show({IDC_FLOW_PRESSURE_SPECIFIED_TEXT, IDC_FLOW_PRESSURE_SPECIFIED}, pressure == kPressureSpecified);
    show({IDC_FLOW_PRESSURE_PROFILE_BUTTON}, pressure == kPressureProfile);
}

template <class Dialog> void CFlowWizPage3::OpenDialog(Dialog& dialog)
{
    dialog.m_pParentWnd = this;
    dialog.DoModal();
}

BOOL CFlowWizPage3::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == CBN_SELCHANGE) {
        EnableControls();
        return TRUE;
    }
    if (HIWORD(wParam) != BN_CLICKED)
        return CFlowWizPage::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case IDC_FLOW_VELOCITY_PROFILE_BUTTON: OpenDialog(*m_velocityProfileDlg); return TRUE;
    case IDC_FLOW_PRESSURE_PROFILE_BUTTON: OpenDialog(*m_pressureProfileDlg); return TRUE;
    case IDC_FLOW_QUALITY_BUTTON: OpenDialog(*m_qualityCriteriaDlg); return TRUE;
    case IDC_FLOW_GAS_SETTINGS_BUTTON:
        OpenDialog(*m_gasSettingsDlg);
        EnableGasPressurePhase();
        return TRUE;
    default: return CFlowWizPage::OnCommand(wParam, lParam);
    }
}

intptr_t CFlowWizPage3::OnWizardNext()
{
    // Judged on the lists as they stand: the page is read back afterwards.
    UINT missing = 0;
    if (SelectedToken(IDC_FLOW_INJECTION) == kInjectionProfile && !m_velocityProfileDlg->IsAccepted())
        missing = IDS_FLOW_SETUP_VELOCITY_PROFILE;
    else if (!(GetFlowWizard()->GetFlags() & kFlowGas) && SelectedToken(IDC_FLOW_PRESSURE_CONTROL) == kPressureProfile &&
             m_pressureProfileDlg->IsProfileEmpty())
        missing = IDS_FLOW_SETUP_PRESSURE_PROFILE;
    else if (!m_gasSettingsDlg->IsGasReady())
        missing = IDS_FLOW_SETUP_GAS;
    if (missing != 0) {
        AfxMessageBox(missing, MB_OK | MB_ICONEXCLAMATION, missing);
        return -1;
    }
    return CFlowWizPage::OnWizardNext();
}
