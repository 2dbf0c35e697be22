// The valve-gate timing page.
#include "flow/FlowIds.h"
#include "flow/FlowPages.h"
#include "flow/FlowWizard.h"
#include "flow/ValveTimingGrid.h"
#include "platform/window/CommonDialogs.h"

CFlowWizPage4::CFlowWizPage4() : CFlowWizPage(IDD_FLOW_PAGE4), m_grid(std::make_unique<CValveTimingGrid>()) {}

CFlowWizPage4::~CFlowWizPage4() = default;

BOOL CFlowWizPage4::OnInitDialog()
{
    const BOOL result = CFlowWizPage::OnInitDialog();
    // A gas mold's overflow wells need a word of their own.
    const bool gas = (GetFlowWizard()->GetFlags() & kFlowGas) != 0;
    GetDlgItem(IDC_FLOW_VG_GAS_TEXT)->ShowWindow(gas ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_FLOW_VG_TEXT)->ShowWindow(gas ? SW_HIDE : SW_SHOW);
    // The page's window is made again for every run of the wizard; the grid
    // object stays and gets a window with it.
    if (!m_grid->IsWindow())
        m_grid->CreateInPlaceOf(GetDlgItem(IDC_FLOW_VG_FRAME), IDC_FLOW_VG_GRID);
    m_grid->ShowWindow(SW_SHOW);
    return result;
}

BOOL CFlowWizPage4::OnSetActive()
{
    CFlowWizard* wizard = GetFlowWizard();
    // The boundary conditions may have changed since the last visit.
    m_grid->SetModel3D(wizard->Is3D());
    m_grid->Fill(wizard->m_strBoundaryFile, (wizard->GetFlags() & kFlowGas) != 0);
    if (CResult loaded = m_grid->Load(wizard->GetTempFileName()); !loaded)
        AfxMessageBox("The valve gate timings could not be read: " + loaded.GetMessage(), MB_OK | MB_ICONEXCLAMATION,
                      0);
    return CFlowWizPage::OnSetActive();
}

BOOL CFlowWizPage4::OnKillActive()
{
    // Written on Back too: the typed timings must survive a visit to an
    // earlier page, which refills the grid on return.
    if (CResult saved = m_grid->Save(GetFlowWizard()->GetTempFileName(), wizsys::Durability::kScratch); !saved) {
        AfxMessageBox("The valve gate timings could not be kept: " + saved.GetMessage(), MB_OK | MB_ICONEXCLAMATION,
                      0);
        return FALSE;
    }
    return CFlowWizPage::OnKillActive();
}
