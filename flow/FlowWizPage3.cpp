// The process settings page: injection, switch-over and pressure control,
// and the buttons that open the profile, gas and quality dialogs.
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"
#include "platform/window/ListBoxes.h"

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
