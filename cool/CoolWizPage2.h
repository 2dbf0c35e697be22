#pragma once
// The mold model and boundary-condition page (3D only, skipped after an
// earlier cooling analysis, whose choices are kept): two lists of project
// files, the mold models of the cavity model and the cooling sets of the
// chosen mold model.
#include <string>

#include "cool/CoolPage.h"
#include "platform/window/ListCtrl.h"

class CCoolWizPage2 : public CCoolPage {
public:
    CCoolWizPage2();
    ~CCoolWizPage2() override;

    // The row that stands for "every mold element is P-20 steel": the set
    // Finish makes when it is chosen.
    static constexpr const char* kAutomaticRow = "(automatic - P-20 steel for entire mold)";

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnDestroy() override;

private:
    void OnMoldModelFocused(int row);
    void OnBoundaryFocused(int row);

    CImageList m_images;
    bool m_imagesMade = false;
};
