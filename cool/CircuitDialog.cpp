#include "cool/CircuitDialog.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cool/CoolIds.h"
#include "cool/CoolRules.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/ListBoxes.h"
#include "platform/window/ListCtrl.h"

namespace {

// A concentration reads as a percentage whatever the unit system, which in
// SI would otherwise show the bare fraction.
constexpr UnitSystem kConcentrationSystem = kUnitsMetric;

std::string FormatNumber(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// A value for display in its quantity's unit; "" when unset.
std::string Display(double si, UnitQuantity quantity, UnitSystem system)
{
    if (si == kCircuitUnset)
        return std::string();
    double shown = si;
    ConvertFromSI(quantity, system, si, &shown);
    return FormatNumber(shown);
}

double ReadSI(const std::string& text, UnitQuantity quantity, UnitSystem system)
{
    double si = 0;
    ConvertToSI(quantity, system, std::strtod(text.c_str(), nullptr), &si);
    return si;
}

} // namespace

std::string CommonCellText(const std::vector<std::string>& cells)
{
    bool hasCandidate = false;
    std::string candidate;
    for (const std::string& cell : cells) {
        if (!hasCandidate) {
            if (cell.empty())
                continue;
            candidate = cell;
            hasCandidate = true;
        } else if (cell != candidate) {
            return std::string();
        }
    }
    return candidate;
}

CCircuitDialog::CCircuitDialog(MCoolingCircuits& circuits, bool byCircuit, CWnd* parent)
    : CDialog(IDD_COOL_CIRCUITS, parent), m_circuits(circuits), m_bByCircuit(byCircuit), m_system(GetUnitSystem())
{
}

std::string CCircuitDialog::FormatCell(const MCoolingCircuits& set, const MCoolingCircuit& circuit, int column,
                                       UnitSystem system)
{
    switch (column) {
    case kColName: return ShownName(circuit.name);
    case kColTemperature: return Display(circuit.inletTemperature, kQuantityTemperature, system);
    case kColCoolant: return ShownName(set.GetCoolants()[static_cast<std::size_t>(circuit.coolant)].name);
    case kColGlycol:
        return circuit.coolant == kCoolantGlycol ? Display(circuit.glycol, kQuantityPercentage, kConcentrationSystem) : std::string();
    case kColControl: return set.GetControlCaption(circuit.control, system);
    case kColValue:
        if (circuit.control == kControlFlowRate)
            return Display(circuit.flowRate, kQuantityFlowRateLitres, system);
        if (circuit.control == kControlReynolds)
            return Display(circuit.reynolds, kQuantityDimensionless, system);
        return std::string();
    default: return std::string();
    }
}

CListCtrl& CCircuitDialog::List() const { return *dynamic_cast<CListCtrl*>(GetDlgItem(IDC_CIRCUIT_LIST)); }

CComboBox& CCircuitDialog::Combo(int id) const { return *dynamic_cast<CComboBox*>(GetDlgItem(id)); }

BOOL CCircuitDialog::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    m_bFilling = true;
    if (!m_bByCircuit)
        DropFlowControl();
    AddColumns();
    for (const MCoolant& coolant : m_circuits.GetCoolants())
        Combo(IDC_CIRCUIT_COOLANT).AddString(ShownName(coolant.name));
    if (m_bByCircuit)
        for (int control = 0; control < m_circuits.GetControlCount(); ++control)
            Combo(IDC_CIRCUIT_CONTROL).AddString(m_circuits.GetControlCaption(control, m_system));
    CListCtrl& list = List();
    for (std::size_t i = 0; i < m_circuits.GetCircuits().size(); ++i) {
        const int row = list.InsertItem(static_cast<int>(i), std::string());
        RefreshRow(row);
    }
    char unit[64] = "";
    GetUnitLabel(kQuantityTemperature, m_system, unit);
    SetDlgItemText(IDC_CIRCUIT_TEMPERATURE_UNIT, unit);
    m_bFilling = false;
    list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    ShowSelection();
    CenterWindow();
    return result;
}

void CCircuitDialog::DropFlowControl()
{
    CRect glycol, value;
    GetDlgItem(IDC_CIRCUIT_GLYCOL)->GetWindowRect(&glycol);
    GetDlgItem(IDC_CIRCUIT_VALUE)->GetWindowRect(&value);
    const int shift = value.right - glycol.right;
    // The value edit goes with its combo: without clipping a field left
    // outside the narrowed dialog would still take typing.
    GetDlgItem(IDC_CIRCUIT_CONTROL)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_CIRCUIT_VALUE)->ShowWindow(SW_HIDE);
    CRect rect;
    GetDlgItem(IDC_CIRCUIT_LIST)->GetWindowRect(&rect);
    rect.right -= shift;
    GetDlgItem(IDC_CIRCUIT_LIST)->MoveWindow(rect);
    for (int id : {IDOK, IDCANCEL, IDHELP}) {
        GetDlgItem(id)->GetWindowRect(&rect);
        rect.left -= shift;
        rect.right -= shift;
        GetDlgItem(id)->MoveWindow(rect);
    }
    GetWindowRect(&rect);
    rect.right -= shift;
    MoveWindow(rect);
}

void CCircuitDialog::AddColumns()
{
    // Each column stands over the field that edits it.
    auto left = [this](int id) {
        CRect rect;
        GetDlgItem(id)->GetWindowRect(&rect);
        return rect.left;
    };
    CListCtrl& list = List();
    list.InsertColumn(kColName, "Circuit", LVCFMT_LEFT, left(IDC_CIRCUIT_INLET_TEMPERATURE) - left(IDC_CIRCUIT_LIST));
    list.InsertColumn(kColTemperature, "Inlet Temp.", LVCFMT_LEFT,
                      left(IDC_CIRCUIT_COOLANT) - left(IDC_CIRCUIT_INLET_TEMPERATURE));
    list.InsertColumn(kColCoolant, "Coolant", LVCFMT_LEFT, left(IDC_CIRCUIT_GLYCOL) - left(IDC_CIRCUIT_COOLANT));
    list.InsertColumn(kColGlycol, "%", LVCFMT_LEFT, left(IDC_CIRCUIT_CONTROL) - left(IDC_CIRCUIT_GLYCOL));
    if (m_bByCircuit) {
        CRect value;
        GetDlgItem(IDC_CIRCUIT_VALUE)->GetWindowRect(&value);
        list.InsertColumn(kColControl, "Flow Control", LVCFMT_LEFT, value.left - left(IDC_CIRCUIT_CONTROL));
        list.InsertColumn(kColValue, "", LVCFMT_LEFT, value.Width());
    }
}

void CCircuitDialog::RefreshRow(int row)
{
    const MCoolingCircuit& circuit = m_circuits.GetCircuits()[static_cast<std::size_t>(row)];
    const int columns = m_bByCircuit ? kColumnCount : kColControl;
    for (int column = 0; column < columns; ++column)
        List().SetItemText(row, column, FormatCell(m_circuits, circuit, column, m_system));
}

void CCircuitDialog::SetField(int id, const std::string& text)
{
    if (id == IDC_CIRCUIT_COOLANT || id == IDC_CIRCUIT_CONTROL) {
        CComboBox& combo = Combo(id);
        combo.SetCurSel(text.empty() ? -1 : combo.FindStringExact(-1, text));
    } else {
        SetDlgItemText(id, text);
    }
}

void CCircuitDialog::ShowSelection()
{
    CListCtrl& list = List();
    const bool any = list.GetSelectedCount() > 0;
    const int fields[] = {IDC_CIRCUIT_INLET_TEMPERATURE, IDC_CIRCUIT_COOLANT, IDC_CIRCUIT_GLYCOL, IDC_CIRCUIT_CONTROL,
                          IDC_CIRCUIT_VALUE};
    if (any) {
        m_bFilling = true;
        const int columns = m_bByCircuit ? kColumnCount : kColControl;
        for (int column = kColTemperature; column < columns; ++column) {
            std::vector<std::string> cells;
            for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = list.GetNextItem(row, LVNI_SELECTED))
                cells.push_back(list.GetItemText(row, column));
            SetField(fields[column - kColTemperature], CommonCellText(cells));
        }
        m_bFilling = false;
    }
    for (int id : fields)
        if (CWnd* field = GetDlgItem(id))
            field->EnableWindow(any);
    if (any)
        ApplyGlycolRule();
    GetDlgItem(IDC_CIRCUIT_SET)->EnableWindow(false);
}

void CCircuitDialog::ApplyGlycolRule()
{
    GetDlgItem(IDC_CIRCUIT_GLYCOL)->EnableWindow(Combo(IDC_CIRCUIT_COOLANT).GetCurSel() == kCoolantGlycol);
}

void CCircuitDialog::OnControlChosen()
{
    const int choice = Combo(IDC_CIRCUIT_CONTROL).GetCurSel();
    CWnd* value = GetDlgItem(IDC_CIRCUIT_VALUE);
    m_bFilling = true;
    if (choice != kControlFlowRate && choice != kControlReynolds) {
        SetDlgItemText(IDC_CIRCUIT_VALUE, "");
        value->EnableWindow(false);
    } else {
        // The value the whole set shares, if it shares one.
        std::vector<std::string> values;
        for (const MCoolingCircuit& circuit : m_circuits.GetCircuits())
            values.push_back(choice == kControlFlowRate
                                 ? Display(circuit.flowRate, kQuantityFlowRateLitres, m_system)
                                 : Display(circuit.reynolds, kQuantityDimensionless, m_system));
        bool same = true;
        for (const std::string& v : values)
            same = same && v == values.front();
        SetDlgItemText(IDC_CIRCUIT_VALUE, same && !values.empty() ? values.front() : std::string());
        value->EnableWindow(true);
    }
    m_bFilling = false;
}

void CCircuitDialog::ApplyFields()
{
    const std::string temperature = GetDlgItemText(IDC_CIRCUIT_INLET_TEMPERATURE);
    const int coolant = Combo(IDC_CIRCUIT_COOLANT).GetCurSel();
    const std::string glycol = GetDlgItemText(IDC_CIRCUIT_GLYCOL);
    const int control = m_bByCircuit ? Combo(IDC_CIRCUIT_CONTROL).GetCurSel() : -1;
    const std::string value = m_bByCircuit ? GetDlgItemText(IDC_CIRCUIT_VALUE) : std::string();
    CListCtrl& list = List();
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = list.GetNextItem(row, LVNI_SELECTED)) {
        MCoolingCircuit& circuit = m_circuits.GetCircuits()[static_cast<std::size_t>(row)];
        if (!temperature.empty())
            circuit.inletTemperature = ReadSI(temperature, kQuantityTemperature, m_system);
        if (coolant >= 0)
            circuit.coolant = coolant;
        if (!glycol.empty())
            circuit.glycol = ReadSI(glycol, kQuantityPercentage, kConcentrationSystem);
        if (control >= 0)
            circuit.control = control;
        if (!value.empty() && control == kControlFlowRate)
            circuit.flowRate = ReadSI(value, kQuantityFlowRateLitres, m_system);
        else if (!value.empty() && control == kControlReynolds)
            circuit.reynolds = std::strtod(value.c_str(), nullptr);
        RefreshRow(row);
    }
    GetDlgItem(IDC_CIRCUIT_SET)->EnableWindow(false);
}

BOOL CCircuitDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = static_cast<int>(LOWORD(wParam));
    const UINT code = HIWORD(wParam);
    CWnd* set = GetDlgItem(IDC_CIRCUIT_SET);
    if (code == EN_CHANGE &&
        (id == IDC_CIRCUIT_INLET_TEMPERATURE || id == IDC_CIRCUIT_GLYCOL || id == IDC_CIRCUIT_VALUE)) {
        if (!m_bFilling)
            set->EnableWindow(true);
        return TRUE;
    }
    if (code == CBN_SELCHANGE && id == IDC_CIRCUIT_COOLANT) {
        ApplyGlycolRule();
        set->EnableWindow(true);
        return TRUE;
    }
    if (code == CBN_SELCHANGE && id == IDC_CIRCUIT_CONTROL) {
        set->EnableWindow(true);
        OnControlChosen();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_CIRCUIT_SET) {
        ApplyFields();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CCircuitDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (!m_bFilling && nm->hdr.code == LVN_ITEMCHANGED && static_cast<int>(nm->hdr.idFrom) == IDC_CIRCUIT_LIST &&
        ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED))
        ShowSelection();
    return CDialog::OnNotify(wParam, lParam, result);
}

void CCircuitDialog::OnOK()
{
    // Typed but not set: the user decides whether that is lost.
    if (GetDlgItem(IDC_CIRCUIT_SET)->IsWindowEnabled() &&
        AfxMessageBox(IDS_COOL_CHANGES_NOT_SET, MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2) != IDOK)
        return;
    EndDialog(IDOK);
}
