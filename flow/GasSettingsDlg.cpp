#include "flow/GasSettingsDlg.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "cool/BoundaryConditionFile.h"
#include "flow/FlowIds.h"
#include "flow/FlowRules.h"
#include "flow/FlowWizard.h"
#include "keyword/KeywordBindings.h"
#include "keyword/KeywordFile.h"
#include "keyword/ValueRange.h"
#include "platform/resources/Resources.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/ListBoxes.h"

namespace {

// The keyword bindings' messages, which the grid shares.
constexpr UINT kIdsEnterNumber = 13030;
constexpr UINT kIdsOutOfRange = 13045;
constexpr UINT kIdsValueLabel = 13255;

struct SCylinderRow {
    UINT heading;
    const char* suffix;
    UnitQuantity quantity;
};

// The parameters of a constant-volume cylinder, in row order; the first is
// also the constant-pressure cylinder's one parameter.
constexpr SCylinderRow kCylinderRows[CGasCylinderGrid::kParameterRows] = {
    {IDS_FLOW_GAS_DELAY_TIME, "DELAY_TIME", kQuantityTime},
    {IDS_FLOW_GAS_VOLUME, "VOLUME", kQuantityVolumeCubicCm},
    {IDS_FLOW_GAS_COMPRESSION_RATIO, "COMPRESSION_RATIO", kQuantityPercentage},
    {IDS_FLOW_GAS_PIPE_VOLUME, "PIPE_VOLUME", kQuantityVolumeCubicCm},
    {IDS_FLOW_GAS_INITIAL_PRESSURE, "INITIAL_PRESSURE", kQuantityPressureMPa},
    {IDS_FLOW_GAS_PISTON_FORWARD_TIME, "PISTON_FORWARD_TIME", kQuantityTime},
    {IDS_FLOW_GAS_RELEASE_TIME, "GAS_RELEASE_TIME", kQuantityTime},
};
constexpr const char* kProfileSuffix = "GAS_PRESSURE_PROFILE";

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A cell holds a number only when all of it (but surrounding blanks) reads as one.
bool ReadNumber(const std::string& text, double* value)
{
    const std::string cell = Trimmed(text);
    if (cell.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(cell.c_str(), &end);
    if (end != cell.c_str() + cell.size() || errno == ERANGE)
        return false;
    *value = number;
    return true;
}

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

double ToSI(UnitQuantity quantity, UnitSystem system, double value)
{
    double si = value;
    ConvertToSI(quantity, system, value, &si);
    return si;
}

std::string DisplayCell(UnitQuantity quantity, UnitSystem system, double si)
{
    double shown = si;
    ConvertFromSI(quantity, system, si, &shown);
    return Format("%.13g", shown);
}

std::string UnitLabel(UnitQuantity quantity, UnitSystem system)
{
    char label[32] = "";
    GetUnitLabel(quantity, system, label);
    return label;
}

std::string Message(UINT id)
{
    std::string text = LoadString(static_cast<int>(id));
    const std::string label = LoadString(static_cast<int>(kIdsValueLabel));
    for (std::size_t pos = text.find("%1"); pos != std::string::npos; pos = text.find("%1", pos + label.size()))
        text.replace(pos, 2, label);
    return text;
}

} // namespace

// ---- the cylinder grid -------------------------------------------------------------

void CGasCylinderGrid::Reset()
{
    m_cylinders.clear();
    m_constantPressure = false;
}

int CGasCylinderGrid::FirstColumn(std::size_t cylinder) const
{
    return m_constantPressure ? static_cast<int>(2 * cylinder + 1) : static_cast<int>(cylinder + 1);
}

bool CGasCylinderGrid::IsFilled(int row, int col) const { return !Trimmed(GetValueRowCol(row, col)).empty(); }

void CGasCylinderGrid::BuildLayout(const std::vector<int>& cylinders, bool constantPressure,
                                   const CKeywordBindings& bindings)
{
    m_cylinders = cylinders;
    m_constantPressure = constantPressure;
    const int perCylinder = constantPressure ? 2 : 1;
    SetRowCount(0);
    SetColCount(0);
    SetColCount(static_cast<int>(cylinders.size()) * perCylinder);
    SetRowCount(constantPressure ? kFirstPointRow + kMaxPoints - 1 : kParameterRows);

    SetValueRange(CGXRange(0, 0), LoadString(IDS_FLOW_GAS_CYLINDER));
    for (std::size_t i = 0; i < cylinders.size(); ++i)
        for (int c = 0; c < perCylinder; ++c)
            SetValueRange(CGXRange(0, FirstColumn(i) + c), std::to_string(cylinders[i]));

    const UnitSystem system = bindings.GetUnitSystem();
    auto heading = [&](const SCylinderRow& row) {
        CValueRange range;
        bindings.GetRange(GasCylinderKeyword(1, row.suffix), range);
        return LoadString(static_cast<int>(row.heading)) + "  " + GetRangeCaption(range, row.quantity, system);
    };
    const int scalarRows = constantPressure ? 1 : kParameterRows;
    for (int row = 1; row <= scalarRows; ++row)
        SetValueRange(CGXRange(row, 0), heading(kCylinderRows[row - 1]));
    if (!constantPressure)
        return;

    SetValueRange(CGXRange(kProfileHeadingRow, 0), LoadString(IDS_FLOW_GAS_PRESSURE_PROFILE));
    const CGXStyle fixed = CGXStyle().SetReadOnly(true);
    for (std::size_t i = 0; i < cylinders.size(); ++i) {
        const int col = FirstColumn(i);
        // The delay time is one number: the cell beside it takes nothing.
        SetStyleRange(CGXRange(1, col + 1), fixed);
        SetStyleRange(CGXRange(kProfileHeadingRow, col, kProfileHeadingRow, col + 1), fixed);
        SetValueRange(CGXRange(kProfileHeadingRow, col), UnitLabel(kQuantityPressureMPa, system));
        SetValueRange(CGXRange(kProfileHeadingRow, col + 1), UnitLabel(kQuantityTime, system));
    }
}

void CGasCylinderGrid::LoadCells(const MKeywordFile& file, UnitSystem system)
{
    const int scalarRows = m_constantPressure ? 1 : kParameterRows;
    for (std::size_t i = 0; i < m_cylinders.size(); ++i) {
        const int col = FirstColumn(i);
        for (int row = 1; row <= scalarRows; ++row) {
            const SCylinderRow& parameter = kCylinderRows[row - 1];
            const std::string value = file.GetValue(GasCylinderKeyword(m_cylinders[i], parameter.suffix));
            double si = 0;
            if (ReadNumber(value, &si))
                SetValueRange(CGXRange(row, col), DisplayCell(parameter.quantity, system, si));
        }
        if (!m_constantPressure)
            continue;
        // The points are numbers two by two, whatever the blanks and line
        // continuations between them.
        const std::string profile = file.GetValue(GasCylinderKeyword(m_cylinders[i], kProfileSuffix));
        std::vector<double> numbers;
        std::size_t pos = 0;
        while ((pos = profile.find_first_not_of(" \t\r\n\\", pos)) != std::string::npos) {
            const std::size_t end = std::min(profile.find_first_of(" \t\r\n\\", pos), profile.size());
            double number = 0;
            if (ReadNumber(profile.substr(pos, end - pos), &number))
                numbers.push_back(number);
            pos = end;
        }
        for (std::size_t p = 0; p + 1 < numbers.size() && p / 2 < kMaxPoints; p += 2) {
            const int row = kFirstPointRow + static_cast<int>(p / 2);
            SetValueRange(CGXRange(row, col), DisplayCell(kQuantityPressureMPa, system, numbers[p]));
            SetValueRange(CGXRange(row, col + 1), DisplayCell(kQuantityTime, system, numbers[p + 1]));
        }
    }
}

bool CGasCylinderGrid::IsComplete() const
{
    const int scalarRows = m_constantPressure ? 1 : kParameterRows;
    for (std::size_t i = 0; i < m_cylinders.size(); ++i) {
        const int col = FirstColumn(i);
        for (int row = 1; row <= scalarRows; ++row)
            if (!IsFilled(row, col))
                return false;
        if (m_constantPressure && !(IsFilled(kFirstPointRow, col) && IsFilled(kFirstPointRow, col + 1)))
            return false;
    }
    return true;
}

bool CGasCylinderGrid::Refuse(int row, int col, UINT messageId)
{
    if (row > 0)
        SetCurrentCell(row, col);
    AfxMessageBox(Message(messageId), MB_OK | MB_ICONEXCLAMATION, messageId);
    return false;
}

bool CGasCylinderGrid::Write(const std::string& path, bool validate, const CKeywordBindings& bindings)
{
    if (m_cylinders.empty())
        return true;
    MKeywordFile file;
    if (CResult loaded = file.Load(path); !loaded) {
        AfxMessageBox(loaded.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const UnitSystem system = bindings.GetUnitSystem();
    const int scalarRows = m_constantPressure ? 1 : kParameterRows;
    for (std::size_t i = 0; i < m_cylinders.size(); ++i) {
        const int col = FirstColumn(i);
        for (int row = 1; row <= scalarRows; ++row) {
            const SCylinderRow& parameter = kCylinderRows[row - 1];
            const std::string keyword = GasCylinderKeyword(m_cylinders[i], parameter.suffix);
            double typed = 0;
            if (!ReadNumber(GetValueRowCol(row, col), &typed)) {
                if (validate)
                    return Refuse(IsFilled(row, col) ? row : 0, col, kIdsEnterNumber);
                file.SetValue(keyword, "");
                continue;
            }
            // The gas is released after it was injected, whatever else the
            // ranges allow.
            double delay = 0;
            if (row == kReleaseRow && ReadNumber(GetValueRowCol(1, col), &delay) && typed <= delay)
                return Refuse(row, col, kIdsOutOfRange);
            const double si = ToSI(parameter.quantity, system, typed);
            CValueRange range;
            bindings.GetRange(keyword, range);
            if (validate && !range.Contains(si))
                return Refuse(row, col, kIdsOutOfRange);
            file.SetDouble(keyword, si);
        }
        if (m_constantPressure && !WriteProfile(file, i, validate, bindings))
            return false;
    }
    if (CResult written = file.Write(path, wizsys::Durability::kScratch); !written) {
        AfxMessageBox(written.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool CGasCylinderGrid::WriteProfile(MKeywordFile& file, std::size_t cylinder, bool validate,
                                    const CKeywordBindings& bindings)
{
    const UnitSystem system = bindings.GetUnitSystem();
    const int col = FirstColumn(cylinder);
    const std::string keyword = GasCylinderKeyword(m_cylinders[cylinder], kProfileSuffix);
    CValueRange pressures;
    CValueRange times;
    bindings.GetRange(keyword, pressures);
    bindings.GetRange2(keyword, times);
    std::string points;
    for (int row = kFirstPointRow; row < kFirstPointRow + kMaxPoints; ++row) {
        // A point is a row with both cells filled; a half-typed row is ignored.
        if (!IsFilled(row, col) || !IsFilled(row, col + 1))
            continue;
        double pressure = 0;
        double time = 0;
        const bool pressureRead = ReadNumber(GetValueRowCol(row, col), &pressure);
        if (!pressureRead || !ReadNumber(GetValueRowCol(row, col + 1), &time)) {
            if (validate)
                return Refuse(row, pressureRead ? col + 1 : col, kIdsEnterNumber);
            continue;
        }
        pressure = ToSI(kQuantityPressureMPa, system, pressure);
        time = ToSI(kQuantityTime, system, time);
        if (validate && !pressures.Contains(pressure))
            return Refuse(row, col, kIdsOutOfRange);
        if (validate && !times.Contains(time))
            return Refuse(row, col + 1, kIdsOutOfRange);
        if (!points.empty())
            points += " \\\n";
        points += Format("%g", pressure) + " " + Format("%g", time);
    }
    if (validate && points.empty())
        return Refuse(kFirstPointRow, col, kIdsEnterNumber);
    file.SetValue(keyword, points);
    return true;
}

// ---- the gas settings dialog -------------------------------------------------------

CGasSettingsDlg::CGasSettingsDlg(CFlowWizard& wizard) : CFlowBoundDialog(IDD_FLOW_GAS_SETTINGS, wizard) {}

BOOL CGasSettingsDlg::OnInitDialog()
{
    CWnd* frame = GetDlgItem(IDC_FLOW_GRID_FRAME);
    m_grid.Reset();
    if (frame && frame->GetParent()) {
        CRect rect;
        frame->GetWindowRect(&rect);
        if (m_grid.Create(WS_TABSTOP | WS_BORDER, rect, this, IDC_FLOW_GAS_GRID))
            m_grid.Initialize();
    }
    CFlowWizard& wizard = GetFlowWizard();
    // A gas cooling time only means something after packing.
    const bool packs = wizard.m_stages.packStage != 0;
    for (int id : {IDC_FLOW_GAS_COOLING_TIME, IDC_FLOW_GAS_COOLING_TIME_TEXT})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(packs);
    auto* shutOff = static_cast<CComboBox*>(GetDlgItem(IDC_FLOW_GAS_SHUT_OFF));
    shutOff->ResetContent();
    int position = 0;
    for (const char* entry : {"Percent Volume", "Time", "Never"})
        shutOff->SetItemData(shutOff->AddString(entry), static_cast<DWORD_PTR>(position++));
    const BOOL result = CFlowBoundDialog::OnInitDialog();
    OnGasProcess();
    OnShutOff();
    m_grid.ShowWindow(SW_SHOW);
    return result;
}

void CGasSettingsDlg::OnGasProcess()
{
    CFlowWizard& wizard = GetFlowWizard();
    const CKeywordBindings& bindings = wizard.GetBindings();
    // What was typed for the process being left is kept in the working file;
    // a refusal has said so and leaves the file as it was.
    (void)m_grid.Write(wizard.GetTempFileName(), false, bindings);

    MBoundaryConditionFile bc;
    std::vector<int> cylinders;
    // Boundary conditions that cannot be read name no cylinder: the grid stays empty.
    if (bc.Load(wizard.m_strBoundaryFile))
        bc.GetGasInjectionGroups(cylinders);
    std::sort(cylinders.begin(), cylinders.end());
    cylinders.erase(std::unique(cylinders.begin(), cylinders.end()), cylinders.end());
    m_grid.BuildLayout(cylinders, IsDlgButtonChecked(IDC_FLOW_GAS_CONSTANT_PRESSURE) == BST_CHECKED, bindings);

    MKeywordFile working;
    // An unreadable working file leaves the cells empty, and the settings incomplete.
    (void)working.Load(wizard.GetTempFileName());
    m_grid.LoadCells(working, bindings.GetUnitSystem());
    m_bGasReady = m_grid.IsComplete();
}

void CGasSettingsDlg::OnShutOff()
{
    const auto* shutOff = static_cast<CComboBox*>(GetDlgItem(IDC_FLOW_GAS_SHUT_OFF));
    const int selected = shutOff->GetCurSel();
    const int choice = selected >= 0 ? static_cast<int>(shutOff->GetItemData(selected)) : -1;
    auto show = [this](std::initializer_list<int> ids, bool visible) {
        for (int id : ids)
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    };
    show({IDC_FLOW_GAS_SHUT_OFF_VOLUME, IDC_FLOW_GAS_SHUT_OFF_VOLUME_TEXT}, choice == kGasShutOffVolume);
    show({IDC_FLOW_GAS_SHUT_OFF_TIME, IDC_FLOW_GAS_SHUT_OFF_TIME_TEXT}, choice == kGasShutOffTime);
}

BOOL CGasSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED && (id == IDC_FLOW_GAS_CONSTANT_VOLUME || id == IDC_FLOW_GAS_CONSTANT_PRESSURE))
        OnGasProcess();
    else if (code == CBN_SELCHANGE && id == IDC_FLOW_GAS_SHUT_OFF)
        OnShutOff();
    return CFlowBoundDialog::OnCommand(wParam, lParam);
}

void CGasSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    CFlowWizard& wizard = GetFlowWizard();
    if (!m_grid.Write(wizard.GetTempFileName(), true, wizard.GetBindings())) {
        m_grid.SetFocus();
        return;
    }
    m_bGasReady = true;
    EndDialog(IDOK);
}

CQualityCriteriaDlg::CQualityCriteriaDlg(CFlowWizard& wizard) : CFlowBoundDialog(IDD_FLOW_QUALITY_CRITERIA, wizard) {}
