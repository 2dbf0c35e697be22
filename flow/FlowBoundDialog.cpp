// The dialogs whose fields the flow wizard binds.
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"
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
