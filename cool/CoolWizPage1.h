#pragma once
// The analysis type page: manual (a known cooling time) or automatic (the
// cooling time that reaches a mold temperature and freeze level).
#include "cool/CoolPage.h"

class CCoolWizPage1 : public CCoolPage {
public:
    CCoolWizPage1();

protected:
    void EnableControls() override;
    int GetChosenField() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
