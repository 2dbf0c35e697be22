#include "cool/CoolWizPage1.h"

#include "cool/CoolIds.h"
#include "cool/CoolWizard.h"

CCoolWizPage1::CCoolWizPage1() : CCoolPage(IDD_COOL_PAGE1) {}

int CCoolWizPage1::GetChosenField()
{
    return IsDlgButtonChecked(IDC_COOL_AUTOMATIC) ? IDC_COOL_MOLD_TEMPERATURE : IDC_COOL_COOLING_TIME;
}

void CCoolWizPage1::EnableControls()
{
    const CCoolWizard* wizard = GetCoolWizard();
    const bool automatic = IsDlgButtonChecked(IDC_COOL_AUTOMATIC) != 0;
    // A flow result fixes the mold temperature it was run with, and a packed
    // part fixes the cooling time too.
    const bool fixedMold = wizard->GetPrevFlowResult() != nullptr;
    const bool fixedTime = wizard->FlowFixesCoolingTime();
    EnableIds({IDC_COOL_MOLD_TEMPERATURE, IDC_COOL_MOLD_TEMPERATURE_TEXT}, automatic && !fixedMold);
    EnableIds({IDC_COOL_FROZEN, IDC_COOL_FROZEN_TEXT}, automatic);
    EnableIds({IDC_COOL_COOLING_TIME, IDC_COOL_COOLING_TIME_TEXT}, !automatic && !fixedTime);
}

BOOL CCoolWizPage1::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_COOL_MANUAL || id == IDC_COOL_AUTOMATIC)) {
        const BOOL handled = CCoolPage::OnCommand(wParam, lParam);
        EnableControls();
        FocusChosenField();
        return handled;
    }
    return CCoolPage::OnCommand(wParam, lParam);
}
