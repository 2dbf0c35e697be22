#pragma once
// CWarpWizAdvDlg: the advanced options of a warpage or stress analysis, a
// tabbed sheet the wizard's last page opens. Its fields are bindings of the
// wizard, so they reach the keyword file only through the wizard's Finish;
// the stress-strain import and the parts dialog write the working file at once.
#include "platform/window/PropertySheet.h"
#include "warp/WarpPartsDlg.h"
#include "wizard/PropertyPageExt.h"

class CWarpWizard;

// The advanced pages belong to the sheet whose owner is a CWarpWizard.
class CWarpWizAdvPage : public CPropertyPageExt {
public:
    using CPropertyPageExt::CPropertyPageExt;
    CWarpWizard* GetWarpWizard() const;

protected:
    void ShowIds(std::initializer_list<int> ids, bool show);
};

class CWarpWizAdvPage1 : public CWarpWizAdvPage {
public:
    CWarpWizAdvPage1();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ExchangeOwnControls(CDataExchange* pDX) override;

private:
    void ApplyElementRule();
    void ApplyStressMaterialRules();
    // Sets the working file's stress-strain data file, importing one when the
    // material has none; false when there is still none.
    bool ImportStressStrainData();
    CWarpWizPartsDlg m_parts;
};

class CWarpWizAdvPage2 : public CWarpWizAdvPage {
public:
    CWarpWizAdvPage2();

protected:
    BOOL OnInitDialog() override;
};

class CWarpWizAdvPage3 : public CWarpWizAdvPage {
public:
    CWarpWizAdvPage3();
};

class CWarpWizAdvPage4 : public CWarpWizAdvPage {
public:
    CWarpWizAdvPage4();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ApplySturmRule();
};

class CWarpWizAdvPage5 : public CWarpWizAdvPage {
public:
    CWarpWizAdvPage5();
};

class CWarpWizAdvDlg : public CPropertySheet {
public:
    explicit CWarpWizAdvDlg(CWnd* owner);

    CWarpWizAdvPage1 m_general;
    CWarpWizAdvPage2 m_structural;
    CWarpWizAdvPage3 m_nonLinear;
    CWarpWizAdvPage4 m_loadFactor;
    CWarpWizAdvPage5 m_nonConvergence;

    intptr_t DoModal() override;

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;

private:
    // Adds `page` at the end when it is missing, removes it when present and
    // not wanted.
    void Arrange(CPropertyPage* page, bool wanted);
    int m_nStartPage = 0;
};
