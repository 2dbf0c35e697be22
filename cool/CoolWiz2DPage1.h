#pragma once
// The boundary-condition page of the 2D variant: the model's cooling sets,
// the mold and melt temperatures and the cycle time.
#include "cool/CoolPage.h"
#include "platform/window/ListCtrl.h"

class CCoolWiz2DPage1 : public CCoolPage {
public:
    CCoolWiz2DPage1();
    ~CCoolWiz2DPage1() override;

protected:
    BOOL OnInitDialog() override;
    void ExchangeOwnControls(CDataExchange* pDX) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnDestroy() override;

private:
    CImageList m_images;
    bool m_imagesMade = false;
};
