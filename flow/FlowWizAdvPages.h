#pragma once
// The pages of the flow wizard's advanced options sheet. Every field is a
// keyword binding of the owning CFlowWizard; the pages add only the rules
// that enable, show and hide their controls.
#include <initializer_list>
#include <span>

#include "wizard/PropertyPageExt.h"

class CFlowWizard;
struct SFlowAdvSettings;

// A page of the advanced sheet, whose parent chain leads to a CFlowWizard.
class CFlowWizAdvPage : public CPropertyPageExt {
public:
    using CPropertyPageExt::CPropertyPageExt;
    CFlowWizard* GetFlowWizard() const;
    SFlowAdvSettings& Settings() const;

protected:
    void ShowIds(std::initializer_list<int> ids, bool show);
    // Every control of the page, or those before the control `stopId` in
    // tab order (all of them when the page has none).
    void EnableAll(bool enable);
    void EnableBefore(int stopId, bool enable);
    void EnableFrom(int startId, bool enable);
    // Fills a drop-down list the binding then selects by item data.
    void FillCombo(int id, std::initializer_list<const char*> items);
    // The selected item's data, -1 with no selection.
    int SelectedData(int comboId) const;
    // Shows the value edit (with its caption) that the results family of
    // `comboId` asks for; `pairs` are the edit and caption ids of constant
    // time, specified times and, for filling families, constant volume and
    // specified volumes.
    void ApplyFamilyRule(int comboId, std::span<const int> pairs);
    static bool IsSelChange(WPARAM wParam) { return HIWORD(wParam) == CBN_SELCHANGE; }
    static bool IsClick(WPARAM wParam) { return HIWORD(wParam) == BN_CLICKED; }
};

// Analysis: machine, mold and ambient data. Built on the plain dialog, or on
// the optimisation's, which also chooses the stroke volume and clamp force.
class CFlowWizAdvPage1 : public CFlowWizAdvPage {
public:
    explicit CFlowWizAdvPage1(UINT templateId);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyOptionRules();
};

// Output: intermediate results, time series and restart files.
class CFlowWizAdvPage2 : public CFlowWizAdvPage {
public:
    CFlowWizAdvPage2();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyValueRule(int comboId);
};

// Output on a 3D mesh.
class CFlowWizAdvPage2_3D : public CFlowWizAdvPage {
public:
    CFlowWizAdvPage2_3D();

protected:
    void EnableControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// Filling solution on midplane and fusion meshes.
class CFlowWizAdvPage3 : public CFlowWizAdvPage {
public:
    CFlowWizAdvPage3();

protected:
    BOOL OnInitDialog() override;
    void EnableControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyGrowthRule();
};

// The 3D filling and packing solution pages show the solver fields of the
// 3D filling analysis type chosen on the Numerical solution page.
class CFlowWizAdvSolverPage : public CFlowWizAdvPage {
public:
    using CFlowWizAdvPage::CFlowWizAdvPage;

protected:
    void EnableControls() override;
};

class CFlowWizAdvPage3_3D : public CFlowWizAdvSolverPage {
public:
    CFlowWizAdvPage3_3D();

protected:
    BOOL OnInitDialog() override;
};

class CFlowWizAdvPage4 : public CFlowWizAdvSolverPage {
public:
    CFlowWizAdvPage4();

protected:
    BOOL OnInitDialog() override;
};

// Numerical solution: the solver type and its grid, fiber and curing steps.
class CFlowWizAdvPage5 : public CFlowWizAdvPage {
public:
    CFlowWizAdvPage5();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ApplySolverRule();
    void ApplyInertiaRule();
};

// Runner balance, with the filling time series of a runner balance analysis.
class CFlowWizAdvPage6 : public CFlowWizAdvPage {
public:
    CFlowWizAdvPage6();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyTimeSeriesRule();
};

// Molding window: each criterion's check box governs its limit.
class CFlowWizAdvPage7 : public CFlowWizAdvPage {
public:
    CFlowWizAdvPage7();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// Control parameters of an optimisation: what the machine's controller can do.
class CFlowWizAdvPage8 : public CFlowWizAdvPage {
public:
    CFlowWizAdvPage8();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyControllerCapabilities();
    void ApplyPressureRule();
};

// Gate location: the weights of the criteria.
class CFlowWizAdvPage9 : public CFlowWizAdvPage {
public:
    CFlowWizAdvPage9();
};
