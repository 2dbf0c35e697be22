#include "flow/FlowWizAdvDlg.h"

#include <cassert>
#include <string>

#include "flow/FlowIds.h"
#include "flow/FlowWizard.h"

CFlowWizAdvDlg::CFlowWizAdvDlg(int flags, CWnd* owner)
    : CPropertySheet(IDS_FLOW_ADVANCED_CAPTION, owner),
      m_analysis(IDD_FLOW_ADV_ANALYSIS),
      m_analysisOptim(IDD_FLOW_ADV_ANALYSIS_OPTIM),
      m_nFlags(flags)
{
    // The other pages join as the analysis asks, each time the sheet opens.
    AddPage(flags & kFlowOptimum ? &m_analysisOptim : &m_analysis);
}

CPropertyPage* CFlowWizAdvDlg::GetPageOf(FlowAdvPage page)
{
    switch (page) {
    case FlowAdvPage::kAnalysis: return m_nFlags & kFlowOptimum ? &m_analysisOptim : &m_analysis;
    case FlowAdvPage::kOutput: return &m_output;
    case FlowAdvPage::kOutput3D: return &m_output3D;
    case FlowAdvPage::kFilling: return &m_filling;
    case FlowAdvPage::kFilling3D: return &m_filling3D;
    case FlowAdvPage::kPacking: return &m_packing;
    case FlowAdvPage::kNumerical: return &m_numerical;
    case FlowAdvPage::kRunnerBalance: return &m_runnerBalance;
    case FlowAdvPage::kMoldWindow: return &m_moldWindow;
    case FlowAdvPage::kControl: return &m_control;
    case FlowAdvPage::kGateLocation: return &m_gateLocation;
    }
    return nullptr;
}

BOOL CFlowWizAdvDlg::OnInitDialog()
{
    // The "?" button: every field has help of its own. The platform's tab
    // row is a single scrolling row already.
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    auto* wizard = dynamic_cast<CFlowWizard*>(m_pParentWnd);
    assert(wizard && "the advanced options belong to a flow wizard");
    if (wizard)
        Arrange(*wizard);
    return CPropertySheet::OnInitDialog();
}

void CFlowWizAdvDlg::Arrange(CFlowWizard& wizard)
{
    CPropertyPage* analysis = GetPageOf(FlowAdvPage::kAnalysis);
    for (int i = GetPageCount() - 1; i >= 0; --i)
        if (GetPage(i) != analysis)
            RemovePage(i);

    const SFlowAdvLayout layout =
        ArrangeAdvancedPages(wizard.GetAim(), wizard.Is3D(), wizard.m_stages.packStage, m_nFlags);
    if (layout.timeSeriesPage) {
        // The filling time series is edited on whichever page shows it; the
        // move changes only where its controls are found.
        CPropertyPage* page = GetPageOf(*layout.timeSeriesPage);
        const std::string stem = kFlowFillFamilies[1];
        for (const char* suffix : {"", "_CONSTANT_TIME", "_SPECIFIED_TIMES", "_CONSTANT_VOLUME", "_SPECIFIED_VOLUMES"})
            wizard.GetBindings().SetBindingPage(stem + suffix, page);
    }
    for (FlowAdvPage page : layout.pages)
        AddPage(GetPageOf(page));
}
