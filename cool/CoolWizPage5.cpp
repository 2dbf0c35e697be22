#include "cool/CoolWizPage5.h"

#include "cool/CoolIds.h"
#include "cool/CoolWizard.h"
#include "platform/window/DataExchange.h"

CCoolWizPage5::CCoolWizPage5() : CCoolPage(IDD_COOL_PAGE5) {}

void CCoolWizPage5::ExchangeOwnControls(CDataExchange* pDX)
{
    CCoolWizard* wizard = GetCoolWizard();
    if (!pDX->m_bSaveAndValidate)
        m_nSubmission = wizard->GetJobSubmission();
    DDX_Radio(pDX, IDC_COOL_RUN_NOW, m_nSubmission);
    wizard->SetJobSubmission(m_nSubmission);
}

BOOL CCoolWizPage5::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_COOL_ADVANCED) {
        CCoolWizard* wizard = GetCoolWizard();
        if (wizard->Is2D())
            wizard->m_advanced2D.DoModal();
        else
            wizard->m_advanced3D.DoModal();
        return TRUE;
    }
    return CCoolPage::OnCommand(wParam, lParam);
}
