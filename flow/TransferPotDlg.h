#pragma once
// CTransferPotDlg: the thermal properties of a transfer pot's wall and of the
// compound preheated in it, opened from the curing page. Its fields are
// keyword bindings of the flow wizard, which the dialog reaches through its
// parent, the page: OK checks and keeps them, Cancel leaves them as they were.
#include "platform/window/Dialog.h"

class CTransferPotDlg : public CDialog {
public:
    CTransferPotDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Check boxes switch their values on and off; Help shows the dialog's help.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
