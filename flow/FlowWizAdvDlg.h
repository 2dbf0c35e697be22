#pragma once
// CFlowWizAdvDlg: the advanced options of a flow analysis, a tabbed sheet the
// wizard owns for its whole life and its description page opens. Its fields
// are bindings of the wizard, so what the user changes here reaches the
// keyword file only through the wizard's Finish. Which pages it shows follows
// the aim, the mesh and the stages chosen on the wizard's first page, and is
// worked out anew at every opening.
#include "flow/FlowAdvRules.h"
#include "flow/FlowAdvSettings.h"
#include "flow/FlowWizAdvPages.h"
#include "platform/window/PropertySheet.h"

class CFlowWizAdvDlg : public CPropertySheet {
public:
    // `owner`: the flow wizard whose bindings the pages edit.
    CFlowWizAdvDlg(int flags, CWnd* owner = nullptr);
    int GetFlags() const { return m_nFlags; }

    // The page a layout names.
    CPropertyPage* GetPageOf(FlowAdvPage page);

    SFlowAdvSettings m_settings;

    CFlowWizAdvPage1 m_analysis;
    CFlowWizAdvPage1 m_analysisOptim;
    CFlowWizAdvPage2 m_output;
    CFlowWizAdvPage2_3D m_output3D;
    CFlowWizAdvPage3 m_filling;
    CFlowWizAdvPage3_3D m_filling3D;
    CFlowWizAdvPage4 m_packing;
    CFlowWizAdvPage5 m_numerical;
    CFlowWizAdvPage6 m_runnerBalance;
    CFlowWizAdvPage7 m_moldWindow;
    CFlowWizAdvPage8 m_control;
    CFlowWizAdvPage9 m_gateLocation;

protected:
    BOOL OnInitDialog() override;

private:
    // Leaves the Analysis page alone and adds the pages this analysis needs.
    void Arrange(CFlowWizard& wizard);

    int m_nFlags;
};
