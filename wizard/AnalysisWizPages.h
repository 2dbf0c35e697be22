#pragma once
// The two pages of the analysis preparation wizard: the material, and the
// analysis with its flow options.
#include "wizard/PropertyPageExt.h"

class CAnalysisWizard;

class CAnalysisWizPage1 : public CPropertyPageExt {
public:
    CAnalysisWizPage1();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CAnalysisWizard* Wizard() const;
    // Opens the material selector; a material chosen replaces the material
    // node's or becomes a new material node.
    void ChooseMaterial();
    void ShowMaterialName();
};

class CAnalysisWizPage2 : public CPropertyPageExt {
public:
    CAnalysisWizPage2();
    BOOL OnSetActive() override;
    BOOL OnWizardFinish() override;

    // The flow options allowed (kFlow... bits), as the last activation found.
    int GetOptionsMask() const { return m_nMask; }

protected:
    // Offers the analyses the start node allows; refuses, ending the wizard
    // as cancelled, when none can follow it.
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;

private:
    CAnalysisWizard* Wizard() const;
    // Options are enabled only for a flow analysis and the mask, and exclude
    // one another: the one with the focus stays.
    void RefreshOptions();
    // The analysis checked (an EAnalysisChoice), -1 for none.
    int CheckedChoice() const;
    int CheckedOptions() const;

    int m_nMask = 0;
    bool m_bNoFurther = false;
};
