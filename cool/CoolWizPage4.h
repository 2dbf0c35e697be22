#pragma once
// The cooling network page (3D only): how the network is analysed (circuit by
// circuit, or for a total pressure drop or flow rate), the circuits' settings
// through the circuit parameters dialog, and the mold's dimensions when the
// mold model has no boundary of its own.
#include "cool/CoolPage.h"
#include "cool/CoolingCircuits.h"
#include "cool/ExpanderGrid.h"

class CCoolWizPage4 : public CCoolPage {
public:
    CCoolWizPage4();

    MCoolingCircuits& GetCircuits() { return m_circuits; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    intptr_t OnWizardNext() override;
    void EnableControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The grid holds X, Y and Z at least, whatever the file gave.
    void LabelDimensionRows();
    void ShowMoldDimensions();
    void OnCircuitParameters();

    CExpanderGrid m_grid{false};
    MCoolingCircuits m_circuits;
};
