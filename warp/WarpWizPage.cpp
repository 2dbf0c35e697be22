#include "warp/WarpPages.h"

#include "warp/WarpWizard.h"

CWarpWizard* CWarpWizPage::GetWarpWizard() const { return GetSheetAs<CWarpWizard>(); }

CWarpSettings& CWarpWizPage::Settings() const { return GetWarpWizard()->GetSettings(); }

void CWarpWizPage::ShowIds(std::initializer_list<int> ids, bool show)
{
    for (int id : ids)
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}
