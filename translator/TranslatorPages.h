#pragma once
// The five pages of the translator wizard: mesh type, units and translator;
// the mesher's remesh aim and tetrahedral refinement; the MDL translator's
// remesh aim; the IGES options; description and job submission.
#include "wizard/PropertyPageExt.h"

class CTranslatorSheet;

// The translator's pages all belong to a CTranslatorSheet.
class CTranslatorPage : public CPropertyPageExt {
public:
    using CPropertyPageExt::CPropertyPageExt;
    CTranslatorSheet* GetTranslatorSheet() const;
};

class CTranslatorPage1 : public CTranslatorPage {
public:
    CTranslatorPage1();

protected:
    BOOL OnInitDialog() override;
    void ExchangeOwnControls(CDataExchange* pDX) override;

private:
    void ShowPartDimensions();
};

class CTranslatorPage2 : public CTranslatorPage {
public:
    CTranslatorPage2();

protected:
    void EnableControls() override;
    int GetChosenField() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class CTranslatorPage2_PS : public CTranslatorPage {
public:
    CTranslatorPage2_PS();
};

class CTranslatorPage3 : public CTranslatorPage {
public:
    CTranslatorPage3();
    BOOL OnSetActive() override;

protected:
    void EnableControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void SuggestNodalTolerance();
};

class CTranslatorPage4 : public CTranslatorPage {
public:
    CTranslatorPage4();

protected:
    void ExchangeOwnControls(CDataExchange* pDX) override;
};
