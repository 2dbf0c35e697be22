#include "flow/ProfileDialogs.h"

#include <iterator>

#include "flow/FlowIds.h"
#include "flow/FlowRules.h"
#include "flow/FlowWizard.h"
#include "platform/resources/Resources.h"
#include "platform/window/Controls.h"
#include "platform/window/ListBoxes.h"

namespace {

// The profile kinds in the order of their drop-down entries, which is the
// order of their tokens and of their grids.
constexpr const char* kProfileEntries[] = {"Shot volume vs Flow rate", "Time vs Ram position", "Time vs Ram spline",
                                           "Ram position vs Ram velocity"};
constexpr int kProfileGridIds[] = {IDC_FLOW_PROFILE_FLOW_VOL, IDC_FLOW_PROFILE_TIME_RAM, IDC_FLOW_PROFILE_TIME_SPLINE,
                                   IDC_FLOW_PROFILE_RAM_VELOCITY};
constexpr int kProfileFlowVol = 0;

void ShowControl(CWnd* dialog, int id, bool show)
{
    if (CWnd* control = dialog->GetDlgItem(id))
        control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void EnableControl(CWnd* dialog, int id, bool enable)
{
    if (CWnd* control = dialog->GetDlgItem(id))
        control->EnableWindow(enable);
}

void SetChecked(CWnd* dialog, int id, bool checked)
{
    if (auto* button = dynamic_cast<CButton*>(dialog->GetDlgItem(id)))
        button->SetCheck(checked ? BST_CHECKED : BST_UNCHECKED);
}

} // namespace

// ---- pressure profile --------------------------------------------------------------

CPressureProfileDlg::CPressureProfileDlg(CFlowWizard& wizard) : CFlowBoundDialog(IDD_FLOW_PRESSURE_PROFILE, wizard) {}

bool CPressureProfileDlg::IsProfileEmpty() const
{
    const CFlowWizard& wizard = GetFlowWizard();
    return IsPressureProfileEmpty(wizard.m_pressureProfile.m_index, wizard.m_profilePressure.size(),
                                  wizard.m_profileFactor.size());
}

BOOL CPressureProfileDlg::OnInitDialog()
{
    CWnd* frame = GetDlgItem(IDC_FLOW_GRID_FRAME);
    const std::string duration = LoadString(IDS_FLOW_DURATION);
    if (m_pressureGrid.CreateInPlaceOf(frame, IDC_FLOW_PPROFILE_PRESSURE))
        m_pressureGrid.SetupColumns(2, {LoadString(IDS_FLOW_PRESSURE), duration});
    if (m_factorGrid.CreateInPlaceOf(frame, IDC_FLOW_PPROFILE_FACTOR))
        m_factorGrid.SetupColumns(2, {LoadString(IDS_FLOW_PRESSURE_FACTOR), duration});
    const BOOL result = CFlowBoundDialog::OnInitDialog();

    // Without a switch-over pressure there is nothing to take factors of. The
    // rule is applied after the fields are shown so that a stored factor
    // profile cannot stay chosen behind a disabled button.
    const CFlowWizard& wizard = GetFlowWizard();
    if (wizard.GetAim() == kFlowAimPackingStandalone || (wizard.GetFlags() & kFlowGas)) {
        EnableControl(this, IDC_FLOW_PPROFILE_FACTOR_RADIO, false);
        SetChecked(this, IDC_FLOW_PPROFILE_FACTOR_RADIO, false);
        SetChecked(this, IDC_FLOW_PPROFILE_PRESSURE_RADIO, true);
    }
    ShowCheckedGrid();
    return result;
}

void CPressureProfileDlg::ShowCheckedGrid()
{
    // Only the grid shown is read back, so only the chosen table is taken.
    const bool byPressure = IsDlgButtonChecked(IDC_FLOW_PPROFILE_PRESSURE_RADIO) == BST_CHECKED;
    m_pressureGrid.ShowWindow(byPressure ? SW_SHOW : SW_HIDE);
    m_factorGrid.ShowWindow(byPressure ? SW_HIDE : SW_SHOW);
}

BOOL CPressureProfileDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_FLOW_PPROFILE_PRESSURE_RADIO || id == IDC_FLOW_PPROFILE_FACTOR_RADIO))
        ShowCheckedGrid();
    return CFlowBoundDialog::OnCommand(wParam, lParam);
}

// ---- velocity profile --------------------------------------------------------------

CVelocityProfileDlg::CVelocityProfileDlg(CFlowWizard& wizard) : CFlowBoundDialog(IDD_FLOW_VELOCITY_PROFILE, wizard) {}

bool CVelocityProfileDlg::IsChecked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }

BOOL CVelocityProfileDlg::OnInitDialog()
{
    CWnd* frame = GetDlgItem(IDC_FLOW_GRID_FRAME);
    for (std::size_t i = 0; i < m_grids.size(); ++i) {
        if (!m_grids[i].CreateInPlaceOf(frame, kProfileGridIds[i]))
            continue;
        const auto [first, second] = ProfileHeadings(kProfileEntries[i]);
        m_grids[i].SetupColumns(2, {first, second});
        m_grids[i].ShowWindow(SW_HIDE);
    }
    auto* kinds = static_cast<CComboBox*>(GetDlgItem(IDC_FLOW_PROFILE_KIND));
    kinds->ResetContent();
    for (int i = 0; i < static_cast<int>(std::size(kProfileEntries)); ++i)
        kinds->SetItemData(kinds->AddString(kProfileEntries[i]), static_cast<DWORD_PTR>(i));
    const BOOL result = CFlowBoundDialog::OnInitDialog();

    if (!GetFlowWizard().Is3D()) {
        EnableReference();
        EnableStrokeVolume();
        OnProfileKind();
        return result;
    }
    // The 3D solver takes a flow-volume profile only, and sizes the ram itself.
    for (int entry = 3; entry >= 1; --entry)
        kinds->DeleteString(static_cast<UINT>(entry));
    EnableControl(this, IDC_FLOW_NOMINAL_TIME_RADIO, false);
    for (int id : {IDC_FLOW_RAM_GROUP, IDC_FLOW_RAM_AUTOMATIC, IDC_FLOW_RAM_SPECIFIED, IDC_FLOW_RAM_DIAMETER,
                   IDC_FLOW_RAM_DIAMETER_TEXT, IDC_FLOW_RAM_STROKE, IDC_FLOW_RAM_STROKE_TEXT})
        ShowControl(this, id, false);
    m_grids[kProfileFlowVol].ShowWindow(SW_SHOW);
    kinds->EnableWindow(false);
    EnableReference();
    return result;
}

void CVelocityProfileDlg::EnableReference()
{
    EnableControl(this, IDC_FLOW_NOMINAL_FLOW_RATE, IsChecked(IDC_FLOW_NOMINAL_FLOW_RATE_RADIO));
    EnableControl(this, IDC_FLOW_NOMINAL_TIME, IsChecked(IDC_FLOW_NOMINAL_TIME_RADIO));
    EnableControl(this, IDC_FLOW_NOMINAL_RESCALE, IsChecked(IDC_FLOW_NOMINAL_RESCALE_RADIO));
}

void CVelocityProfileDlg::EnableStrokeVolume()
{
    const bool specified = IsChecked(IDC_FLOW_RAM_SPECIFIED);
    for (int id : {IDC_FLOW_RAM_DIAMETER, IDC_FLOW_RAM_DIAMETER_TEXT, IDC_FLOW_RAM_STROKE, IDC_FLOW_RAM_STROKE_TEXT})
        EnableControl(this, id, specified);
}

void CVelocityProfileDlg::OnProfileKind()
{
    const auto* kinds = static_cast<CComboBox*>(GetDlgItem(IDC_FLOW_PROFILE_KIND));
    const int selected = kinds->GetCurSel();
    const int kind = selected >= 0 ? static_cast<int>(kinds->GetItemData(selected)) : -1;
    for (std::size_t i = 0; i < m_grids.size(); ++i)
        m_grids[i].ShowWindow(static_cast<int>(i) == kind ? SW_SHOW : SW_HIDE);
    const bool flowVolume = kind == kProfileFlowVol;
    for (int id : {IDC_FLOW_NOMINAL_FLOW_RATE_RADIO, IDC_FLOW_NOMINAL_TIME_RADIO, IDC_FLOW_NOMINAL_RESCALE_RADIO})
        EnableControl(this, id, flowVolume);
    if (flowVolume) {
        EnableReference();
        EnableControl(this, IDC_FLOW_RAM_AUTOMATIC, true);
        return;
    }
    if (kind < 0)
        return;
    // A profile by ram position needs the ram's geometry: the stroke volume
    // must be specified.
    EnableControl(this, IDC_FLOW_RAM_AUTOMATIC, false);
    if (IsChecked(IDC_FLOW_RAM_AUTOMATIC)) {
        SetChecked(this, IDC_FLOW_RAM_AUTOMATIC, false);
        SetChecked(this, IDC_FLOW_RAM_SPECIFIED, true);
        EnableStrokeVolume();
    }
    for (int id : {IDC_FLOW_NOMINAL_FLOW_RATE, IDC_FLOW_NOMINAL_TIME, IDC_FLOW_NOMINAL_RESCALE})
        EnableControl(this, id, false);
}

BOOL CVelocityProfileDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == CBN_SELCHANGE && id == IDC_FLOW_PROFILE_KIND) {
        OnProfileKind();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        if (id == IDC_FLOW_NOMINAL_FLOW_RATE_RADIO || id == IDC_FLOW_NOMINAL_TIME_RADIO ||
            id == IDC_FLOW_NOMINAL_RESCALE_RADIO)
            EnableReference();
        else if (id == IDC_FLOW_RAM_AUTOMATIC || id == IDC_FLOW_RAM_SPECIFIED)
            EnableStrokeVolume();
    }
    return CFlowBoundDialog::OnCommand(wParam, lParam);
}

void CVelocityProfileDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_bAccepted = true;
    EndDialog(IDOK);
}
