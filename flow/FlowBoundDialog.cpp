// The dialogs whose fields the flow wizard binds.
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"

void CFlowBoundDialog::DoDataExchange(CDataExchange* pDX) { m_wizard.GetBindings().ExchangePage(pDX); }

namespace {
// Help topics of dialogs are numbered from here by dialog id.
constexpr DWORD kDialogHelpBase = 0x20000;
} // namespace

BOOL CFlowBoundDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDHELP) {
        WinHelp(kDialogHelpBase + m_nIDTemplate, HELP_CONTEXT);
        return TRUE;
    }
    m_wizard.GetBindings().OnCompanionClicked(wParam, lParam);
    return CDialog::OnCommand(wParam, lParam);
}
