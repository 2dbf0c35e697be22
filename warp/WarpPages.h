#pragma once
// The seven pages of the warpage and stress wizard: analysis type, boundary
// conditions, variates, load increment method, manual displacement steps,
// load control steps, description and job submission.
#include "cool/ExpanderGrid.h"
#include "platform/window/ListCtrl.h"
#include "wizard/PropertyPageExt.h"

class CWarpWizard;
struct CWarpSettings;

// Every page of the wizard belongs to a CWarpWizard.
class CWarpWizPage : public CPropertyPageExt {
public:
    using CPropertyPageExt::CPropertyPageExt;
    CWarpWizard* GetWarpWizard() const;
    CWarpSettings& Settings() const;

protected:
    void ShowIds(std::initializer_list<int> ids, bool show);
};

class CWarpWizPage1 : public CWarpWizPage {
public:
    CWarpWizPage1();

protected:
    BOOL OnInitDialog() override;

private:
    // With a restart message the aims that cannot restart are disabled.
    void ApplyRestartRules(unsigned messageId);
    void ApplyMeshRules();
};

class CWarpWizPage2 : public CWarpWizPage {
public:
    CWarpWizPage2();
    BOOL OnSetActive() override;

protected:
    BOOL OnInitDialog() override;
    // Frees the rows' paths while the list still exists.
    void OnDestroy() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void ExchangeOwnControls(CDataExchange* pDX) override;

private:
    CListCtrl* List() const;
    CImageList m_images;
};

class CWarpWizPage3 : public CWarpWizPage {
public:
    CWarpWizPage3();
    BOOL OnSetActive() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class CWarpWizPage4 : public CWarpWizPage {
public:
    CWarpWizPage4();
    BOOL OnSetActive() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyIncrementRule();
};

// The pages of the increments: a one-column grid in place of the frame.
class CWarpWizGridPage : public CWarpWizPage {
public:
    using CWarpWizPage::CWarpWizPage;

protected:
    BOOL OnInitDialog() override;

private:
    CExpanderGrid m_grid;
};

class CWarpWizPage5 : public CWarpWizGridPage {
public:
    CWarpWizPage5();
};

class CWarpWizPage6 : public CWarpWizGridPage {
public:
    CWarpWizPage6();
};

class CWarpWizPage7 : public CWarpWizPage {
public:
    CWarpWizPage7();
    BOOL OnSetActive() override;

protected:
    void ExchangeOwnControls(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
