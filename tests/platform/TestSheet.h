#pragma once
// The ids of the small test sheet in resources/test.rc, and its options
// dialog, which both the sheet tests and the agent tests open.
#include "platform/window/CommonDialogs.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"

constexpr int kPartPage = 30001, kResultsPage = 30002, kOptionsDialog = 30010;
constexpr int kName = 30101, kSquare = 30111, kCooling = 30121, kMaterial = 30131, kGates = 30141,
              kOptions = 30151, kCount = 30161, kResults = 30171, kLimit = 30201, kAsk = 30211;
constexpr int kAskString = 30003;

// Exchanges its limit, and asks a yes/no question when "Ask" is clicked.
class OptionsDialog : public CDialog {
public:
    OptionsDialog() : CDialog(kOptionsDialog) {}
    int limit = 5;
    int answer = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kLimit, limit); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kAsk && HIWORD(wParam) == BN_CLICKED) {
            answer = AfxMessageBox(kAskString, MB_YESNO);
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
};
