#pragma once
// The process page (3D only): clamp open, injection and packing times and
// the melt and freeze temperatures.
#include "cool/CoolPage.h"

class CCoolWizPage3 : public CCoolPage {
public:
    CCoolWizPage3();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
