#include "cool/CoolWizPage3.h"

#include "cool/CoolIds.h"
#include "cool/CoolWizard.h"

CCoolWizPage3::CCoolWizPage3() : CCoolPage(IDD_COOL_PAGE3) {}

BOOL CCoolWizPage3::OnInitDialog()
{
    const BOOL result = CCoolPage::OnInitDialog();
    const CCoolWizard* wizard = GetCoolWizard();
    // What the flow analysis simulated is not the user's to change here.
    if (wizard->GetPrevFlowResult()) {
        EnableIds({IDC_COOL_INJECTION_TIME, IDC_COOL_INJECTION_TIME_TEXT, IDC_COOL_MELT_TEMPERATURE,
                   IDC_COOL_MELT_TEMPERATURE_TEXT},
                  false);
        if (wizard->FlowFixesCoolingTime())
            EnableIds({IDC_COOL_PACKING_TIME, IDC_COOL_PACKING_TIME_TEXT}, false);
    }
    return result;
}

BOOL CCoolWizPage3::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_COOL_FREEZE_CHECK) {
        GetCoolWizard()->GetBindings().OnCompanionClicked(wParam, lParam);
        return TRUE;
    }
    return CCoolPage::OnCommand(wParam, lParam);
}
