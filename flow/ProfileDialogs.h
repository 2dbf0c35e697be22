#pragma once
// The machine profiles the process settings page opens: the pressure phase
// as pressures or factors over time, and the velocity phase as one of four
// kinds of profile with its reference and stroke volume. Points are typed
// into grids that exist only while a dialog is open; the values are the
// wizard's bound fields, so they outlive the dialogs.
#include <array>

#include "cool/ExpanderGrid.h"
#include "flow/FlowPages.h"

class CPressureProfileDlg : public CFlowBoundDialog {
public:
    explicit CPressureProfileDlg(CFlowWizard& wizard);

    // Whether the profile the chosen way of giving it (pressures or factors)
    // has no point; no choice reads as factors.
    bool IsProfileEmpty() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowCheckedGrid();

    CExpanderGrid m_pressureGrid;
    CExpanderGrid m_factorGrid;
};

class CVelocityProfileDlg : public CFlowBoundDialog {
public:
    explicit CVelocityProfileDlg(CFlowWizard& wizard);

    // Set each time OK is accepted, and by the page when the analysis already
    // holds a velocity profile; never cleared by Cancel.
    bool IsAccepted() const { return m_bAccepted; }
    void SetAccepted(bool accepted) { m_bAccepted = accepted; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void EnableReference();
    void EnableStrokeVolume();
    void OnProfileKind();
    bool IsChecked(int id) const;

    std::array<CExpanderGrid, 4> m_grids;
    bool m_bAccepted = false;
};
