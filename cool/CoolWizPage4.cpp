#include "cool/CoolWizPage4.h"

#include "cool/CircuitDialog.h"
#include "cool/CoolIds.h"
#include "cool/CoolWizard.h"
#include "model/ModelAttributeStore.h"
#include "platform/window/CommonDialogs.h"

CCoolWizPage4::CCoolWizPage4() : CCoolPage(IDD_COOL_PAGE4) {}

BOOL CCoolWizPage4::OnInitDialog()
{
    CCoolWizard* wizard = GetCoolWizard();
    if (wizard->m_networkType.m_index < 0)
        wizard->m_networkType.m_index = 0;
    // The grid must exist before the bindings fill the page.
    m_grid.CreateInPlaceOf(GetDlgItem(IDC_COOL_DIMENSIONS_FRAME), IDC_COOL_DIMENSIONS_GRID);
    m_grid.SetupColumns(1, {""});
    const BOOL result = CCoolPage::OnInitDialog();
    LabelDimensionRows();
    return result;
}

void CCoolWizPage4::LabelDimensionRows()
{
    if (m_grid.GetRowCount() < 3)
        m_grid.SetRowCount(3);
    m_grid.SetRowHeading(1, "X");
    m_grid.SetRowHeading(2, "Y");
    m_grid.SetRowHeading(3, "Z");
}

BOOL CCoolWizPage4::OnSetActive()
{
    ShowMoldDimensions();
    const BOOL result = CCoolPage::OnSetActive();
    LabelDimensionRows();

    CCoolWizard* wizard = GetCoolWizard();
    MModelAttributeStore mold(wizard->m_strMoldModelFile);
    m_circuits.Load(wizard->GetTempFileName(), wizard->m_strBoundaryFile, mold);
    if (m_circuits.AreParametersDefined() && m_circuits.IsNewMoldModel())
        AfxMessageBox(IDS_COOL_NEW_MOLD_MODEL, MB_OK);
    return result;
}

void CCoolWizPage4::ShowMoldDimensions()
{
    CCoolWizard* wizard = GetCoolWizard();
    // A mold that knows its boundary needs no dimensions from the user.
    const bool automatic = MModelAttributeStore(wizard->m_strMoldModelFile).HasMoldBoundary();
    wizard->m_strMoldDimensions = automatic ? "AUTOMATIC" : "SPECIFIED";
    m_grid.ShowWindow(automatic ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_COOL_DIMENSIONS_TEXT)->ShowWindow(automatic ? SW_HIDE : SW_SHOW);
}

void CCoolWizPage4::EnableControls()
{
    EnableIds({IDC_COOL_PRESSURE_DROP}, IsDlgButtonChecked(IDC_COOL_BY_PRESSURE_DROP) != 0);
    EnableIds({IDC_COOL_FLOW_RATE}, IsDlgButtonChecked(IDC_COOL_BY_FLOW_RATE) != 0);
}

BOOL CCoolWizPage4::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    if (HIWORD(wParam) != BN_CLICKED)
        return CCoolPage::OnCommand(wParam, lParam);
    if (id == IDC_COOL_BY_CIRCUIT || id == IDC_COOL_BY_PRESSURE_DROP || id == IDC_COOL_BY_FLOW_RATE) {
        EnableControls();
        GetCoolWizard()->GetBindings().OnCompanionClicked(wParam, lParam);
        return TRUE;
    }
    if (id == IDC_COOL_CIRCUIT_PARAMETERS) {
        OnCircuitParameters();
        return TRUE;
    }
    return CCoolPage::OnCommand(wParam, lParam);
}

void CCoolWizPage4::OnCircuitParameters()
{
    if (m_circuits.GetCircuits().empty()) {
        AfxMessageBox(IDS_COOL_NO_CIRCUITS, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The dialog works on the set itself; anything but OK puts it back.
    const MCoolingCircuits before = m_circuits;
    CCircuitDialog dialog(m_circuits, IsDlgButtonChecked(IDC_COOL_BY_CIRCUIT) != 0, this);
    if (dialog.DoModal() != IDOK)
        m_circuits = before;
}

intptr_t CCoolWizPage4::OnWizardNext()
{
    const bool byCircuit = IsDlgButtonChecked(IDC_COOL_BY_CIRCUIT) != 0;
    if (!m_circuits.IsComplete(byCircuit)) {
        AfxMessageBox(IDS_COOL_CONFIGURE_CIRCUITS, MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    if (!m_circuits.Save(GetCoolWizard()->GetTempFileName(), byCircuit, wizsys::Durability::kScratch))
        return -1;
    return CCoolPage::OnWizardNext();
}
