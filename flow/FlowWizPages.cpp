// The later pages of the flow wizard (process settings, curing, valve-gate
// timing, description) and the dialogs whose fields the wizard binds.
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"
#include "platform/window/DataExchange.h"
#include "platform/window/ListBoxes.h"

BOOL CFlowBoundDialog::OnInitDialog()
{
    auto fill = [this](int id, std::initializer_list<const char*> items) {
        if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(id)))
            for (const char* item : items)
                combo->AddString(item);
    };
    if (m_nIDTemplate == IDD_FLOW_VELOCITY_PROFILE)
        fill(IDC_FLOW_PROFILE_KIND, {"%Flow rate vs %volume", "Ram position vs time", "Ram position vs time (spline)",
                                     "Ram velocity vs ram position"});
    else if (m_nIDTemplate == IDD_FLOW_GAS_SETTINGS)
        fill(IDC_FLOW_GAS_SHUT_OFF, {"%Volume", "Time", "Never"});
    return CDialog::OnInitDialog();
}

void CFlowBoundDialog::DoDataExchange(CDataExchange* pDX) { m_wizard.GetBindings().ExchangePage(pDX); }

BOOL CFlowBoundDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    m_wizard.GetBindings().OnCompanionClicked(wParam, lParam);
    return CDialog::OnCommand(wParam, lParam);
}

// ---- process settings -------------------------------------------------------

CFlowWizPage3::CFlowWizPage3() : CFlowWizPage(IDD_FLOW_PAGE3) {}

BOOL CFlowWizPage3::OnInitDialog()
{
    auto fill = [this](int id, std::initializer_list<const char*> items) {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(id));
        for (const char* item : items)
            combo->AddString(item);
    };
    fill(IDC_FLOW_INJECTION, {"Automatic", "Injection time", "Flow rate", "Profile"});
    // NO_PRESSURE_CONTROL is kept when a file holds it, but not offered.
    fill(IDC_FLOW_SWITCH_OVER, {"Automatic", "Volume", "Time", "Pressure at a node"});
    fill(IDC_FLOW_PRESSURE_CONTROL, {"Factor", "Specified", "Profile"});
    return CFlowWizPage::OnInitDialog();
}

void CFlowWizPage3::EnableControls()
{
    auto show = [this](std::initializer_list<int> ids, bool visible) {
        for (int id : ids)
            GetDlgItem(id)->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    };
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_FLOW_SWITCH_OVER));
    const int choice = combo->GetCurSel();
    show({IDC_FLOW_SWITCH_VOLUME_TEXT, IDC_FLOW_SWITCH_VOLUME}, choice == 1);
    show({IDC_FLOW_SWITCH_TIME_TEXT, IDC_FLOW_SWITCH_TIME}, choice == 2);
    show({IDC_FLOW_SWITCH_PRESSURE_TEXT, IDC_FLOW_SWITCH_PRESSURE}, choice == 3);
    const int injection = static_cast<CComboBox*>(GetDlgItem(IDC_FLOW_INJECTION))->GetCurSel();
    EnableIds({IDC_FLOW_INJECTION_RATE_TEXT, IDC_FLOW_INJECTION_RATE}, injection == 2);
    EnableIds({IDC_FLOW_INJECTION_TIME_TEXT, IDC_FLOW_INJECTION_TIME}, injection == 1);
    const int pressure = static_cast<CComboBox*>(GetDlgItem(IDC_FLOW_PRESSURE_CONTROL))->GetCurSel();
    EnableIds({IDC_FLOW_PRESSURE_FACTOR_TEXT, IDC_FLOW_PRESSURE_FACTOR}, pressure == 0);
    EnableIds({IDC_FLOW_PRESSURE_SPECIFIED_TEXT, IDC_FLOW_PRESSURE_SPECIFIED}, pressure == 1);
    // The dialogs this page opens: the profiles when chosen, gas and quality
    // for their analyses.
    const int flags = GetFlowWizard()->GetFlags();
    show({IDC_FLOW_VELOCITY_PROFILE_BUTTON}, injection == 3);
    show({IDC_FLOW_PRESSURE_PROFILE_BUTTON}, pressure == 2);
    show({IDC_FLOW_GAS_SETTINGS_BUTTON}, (flags & kFlowGas) != 0);
    show({IDC_FLOW_QUALITY_BUTTON}, (flags & kFlowOptimum) != 0);
}

BOOL CFlowWizPage3::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == CBN_SELCHANGE) {
        EnableControls();
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED) {
        CFlowWizard* wizard = GetFlowWizard();
        CFlowBoundDialog* dialog = nullptr;
        switch (LOWORD(wParam)) {
        case IDC_FLOW_VELOCITY_PROFILE_BUTTON: dialog = &wizard->m_velocityProfileDlg; break;
        case IDC_FLOW_PRESSURE_PROFILE_BUTTON: dialog = &wizard->m_pressureProfileDlg; break;
        case IDC_FLOW_GAS_SETTINGS_BUTTON: dialog = &wizard->m_gasSettingsDlg; break;
        case IDC_FLOW_QUALITY_BUTTON: dialog = &wizard->m_qualityCriteriaDlg; break;
        default: break;
        }
        if (dialog) {
            dialog->m_pParentWnd = this;
            dialog->DoModal();
            return TRUE;
        }
    }
    return CFlowWizPage::OnCommand(wParam, lParam);
}

// ---- curing and transfer pot ---------------------------------------------------

CFlowWizPageTset::CFlowWizPageTset() : CFlowWizPage(IDD_FLOW_PAGE_TSET) {}

BOOL CFlowWizPageTset::OnCommand(WPARAM wParam, LPARAM lParam)
{
    GetFlowWizard()->GetBindings().OnCompanionClicked(wParam, lParam);
    return CFlowWizPage::OnCommand(wParam, lParam);
}

// ---- valve-gate timing -----------------------------------------------------------

CFlowWizPage4::CFlowWizPage4() : CFlowWizPage(IDD_FLOW_PAGE4) {}

// ---- description and job submission ------------------------------------------

CFlowWizPage5::CFlowWizPage5() : CFlowWizPage(IDD_FLOW_PAGE5) {}

BOOL CFlowWizPage5::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_FLOW_ADVANCED_BUTTON && HIWORD(wParam) == BN_CLICKED) {
        GetFlowWizard()->GetAdvancedSheet().DoModal();
        return TRUE;
    }
    return CFlowWizPage::OnCommand(wParam, lParam);
}

// ---- advanced options sheet ------------------------------------------------------

CFlowWizAdvDlg::CFlowWizAdvDlg(int flags, CWnd* parent)
    : CPropertySheet(IDS_FLOW_ADVANCED_CAPTION, parent), m_nFlags(flags)
{
}

void CFlowWizPage5::ExchangeOwnControls(CDataExchange* pDX)
{
    CFlowWizard* wizard = GetFlowWizard();
    int choice = wizard->GetJobSubmission();
    DDX_Radio(pDX, IDC_FLOW_RUN_NOW, choice);
    if (pDX->m_bSaveAndValidate)
        wizard->SetJobSubmission(choice);
}
