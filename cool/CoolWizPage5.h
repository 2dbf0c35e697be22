#pragma once
// The description and job submission page, shown by both variants; its
// "Advanced..." button opens the options of the variant's solver.
#include "cool/CoolPage.h"

class CCoolWizPage5 : public CCoolPage {
public:
    CCoolWizPage5();

protected:
    void ExchangeOwnControls(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    int m_nSubmission = 2;
};
