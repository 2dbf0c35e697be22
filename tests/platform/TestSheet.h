#pragma once
// The small test sheet of TestSheet.rc and its options dialog, which both
// the sheet tests and the agent tests open.
#include "platform/window/CommonDialogs.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"

#include "TestSheetIds.h"

constexpr int kPartPage = IDD_TEST_PAGE1, kResultsPage = IDD_TEST_PAGE2, kOptionsDialog = IDD_TEST_OPTIONS;
constexpr int kName = IDC_TEST_NAME, kSquare = IDC_TEST_SQUARE, kCooling = IDC_TEST_COOLING,
              kMaterial = IDC_TEST_MATERIAL, kGates = IDC_TEST_GATES, kOptions = IDC_TEST_OPTIONS,
              kCount = IDC_TEST_COUNT, kResults = IDC_TEST_RESULTS, kLimit = IDC_TEST_LIMIT, kAsk = IDC_TEST_ASK;
constexpr int kAskString = IDS_TEST_ASK;

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
