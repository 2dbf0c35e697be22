#include "flow/ValveTimingGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "cool/BoundaryConditionFile.h"
#include "flow/FlowIds.h"
#include "keyword/KeywordFile.h"
#include "platform/resources/Resources.h"
#include "platform/window/CommonDialogs.h"

// Which time columns a "Flow front" row uses. The keyword file has no way to
// tell: only an "OPEN" state puts the first time into the closing column 3,
// every other state (flow front included) starts at the opening column 2. The
// grid shows, reads and writes a flow-front row alike: like a closed row,
// columns 2 to 6 with column 7 greyed. So picking "Flow front" in a closed row
// keeps its times, and picking it in an open row moves the row to columns 2
// to 6 and clears it, as picking "Closed" does.

namespace {

// The messages of the keyword bindings, which the grid's cells share.
constexpr int kIdsOutOfRange = 13045;
constexpr int kIdsValueLabel = 13255;

constexpr const char* kStateTokens[] = {"OPEN", "CLOSED", "FLOW_FRONT"};
constexpr int kStateCount = 3;

constexpr DWORD kGreyed = 0xC0C0C0;
constexpr DWORD kWhite = 0xFFFFFF;

// The heading characters of the time columns, drawn in the "Symbol" font:
// a circle over an opening, a circled cross over a closing.
constexpr const char* kOpeningHeading = "\x4F";
constexpr const char* kClosingHeading = "\xC4";

std::string Format(const char* format, int number)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, number);
    return buffer;
}

// Full precision, so that a time read from the file is written back unchanged.
std::string FormatTime(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    return buffer;
}

// The numbers of a list value: items apart by blanks, commas or semicolons.
std::vector<double> ReadNumbers(const std::string& text)
{
    std::vector<double> numbers;
    constexpr const char* kSeparators = " \t,;";
    for (std::size_t pos = text.find_first_not_of(kSeparators); pos != std::string::npos;
         pos = text.find_first_not_of(kSeparators, pos)) {
        const std::size_t end = std::min(text.find_first_of(kSeparators, pos), text.size());
        numbers.push_back(std::strtod(text.substr(pos, end - pos).c_str(), nullptr));
        pos = end;
    }
    return numbers;
}

int TokenIndex(const std::string& token)
{
    for (int i = 0; i < kStateCount; ++i)
        if (token == kStateTokens[i])
            return i;
    return -1;
}

using GroupQuery = void (MBoundaryConditionFile::*)(std::vector<int>&) const;

// The groups `query` lists; none unless `wanted`.
std::vector<int> Groups(const MBoundaryConditionFile& bc, GroupQuery query, bool wanted)
{
    std::vector<int> groups;
    if (wanted)
        (bc.*query)(groups);
    return groups;
}

} // namespace

bool CValveTimingGrid::CreateInPlaceOf(CWnd* placeholder, UINT id)
{
    if (!CGXGridWnd::CreateInPlaceOf(placeholder, id))
        return false;
    SetColCount(kLastTimeColumn);
    return true;
}

void CValveTimingGrid::Fill(const std::string& boundaryFile, bool gas)
{
    MBoundaryConditionFile bc;
    // An unreadable set lists no groups, so the grid is empty.
    const bool read = !boundaryFile.empty() && static_cast<bool>(bc.Load(boundaryFile));
    const std::vector<int> polymer = Groups(bc, &MBoundaryConditionFile::GetValveGateGroups, read);
    const std::vector<int> gasGroups = Groups(bc, &MBoundaryConditionFile::GetGasValveGateGroups, read && gas);
    m_wellGroups = Groups(bc, &MBoundaryConditionFile::GetWellValveGateGroups, read && gas);
    m_nPolymerRows = static_cast<int>(polymer.size());
    m_valveGroups = polymer;
    m_valveGroups.insert(m_valveGroups.end(), gasGroups.begin(), gasGroups.end());
    m_opensFirst.assign(m_valveGroups.size(), 0);

    const bool locked = LockUpdate(true);
    // Emptied first: every cell of a row starts afresh for the groups of now.
    SetRowCount(0);
    SetColCount(kLastTimeColumn);
    SetRowCount(static_cast<int>(m_valveGroups.size() + m_wellGroups.size()));
    SetValueRange(CGXRange(0, kLabelColumn), LoadString(IDS_FLOW_VG_GROUP));
    SetValueRange(CGXRange(0, kStateColumn), LoadString(IDS_FLOW_VG_INITIAL_STATE));
    for (int col = kFirstTimeColumn; col <= kLastTimeColumn; ++col)
        SetValueRange(CGXRange(0, col), col % 2 == 0 ? kOpeningHeading : kClosingHeading);

    const std::string states = LoadString(IDS_FLOW_VG_STATES);
    // A gas gate cannot wait for the flow front: its list stops before it.
    const std::string gasStates = states.substr(0, std::min(states.rfind('\n'), states.size()));
    int row = 1;
    for (int group : polymer)
        LayOutValveRow(row++, gas ? Format("Polymer %d", group) : Format("%d\n", group), states, kStateOpen);
    for (int group : gasGroups)
        LayOutValveRow(row++, Format("Gas %d\n", group), gasStates, kStateClosed);
    for (int group : m_wellGroups)
        LayOutWellRow(row++, Format("Well %d\n", group));

    LimitTimes();
    LockUpdate(locked);
    Redraw();
}

void CValveTimingGrid::LimitTimes()
{
    if (GetRowCount() == 0)
        return;
    std::string message = LoadString(kIdsOutOfRange);
    if (const std::size_t mark = message.find("%1"); mark != std::string::npos)
        message.replace(mark, 2, LoadString(kIdsValueLabel));
    // Column 7 is checked too: what it holds is written to the file as typed.
    SetStyleRange(CGXRange(1, kFirstTimeColumn, GetRowCount(), kLastTimeColumn),
                  CGXStyle().SetUserAttribute(GX_IDS_UA_VALID_MIN, "0").SetUserAttribute(GX_IDS_UA_VALID_MSG, message));
}

void CValveTimingGrid::LayOutValveRow(int row, const std::string& label, const std::string& states, int initial)
{
    SetValueRange(CGXRange(row, kLabelColumn), label);
    const CGXStyle state = CGXStyle().SetControl(GX_IDS_CTRL_ZEROBASED_EX).SetChoiceList(states);
    SetStyleRange(CGXRange(row, kStateColumn), CGXStyle(state).SetValue(std::to_string(initial)));
    ApplyColumns(row, OpensFirst(initial));
}

void CValveTimingGrid::LayOutWellRow(int row, const std::string& label)
{
    SetValueRange(CGXRange(row, kLabelColumn), label);
    // A well has no state; it only opens.
    SetStyleRange(CGXRange(row, kStateColumn), CGXStyle().SetControl(GX_IDS_CTRL_STATIC).SetReadOnly(true));
    SetStyleRange(CGXRange(row, kFirstTimeColumn + 1, row, kLastTimeColumn),
                  CGXStyle().SetReadOnly(true).SetInterior(kGreyed));
}

void CValveTimingGrid::ApplyColumns(int row, bool opensFirst)
{
    m_opensFirst[static_cast<std::size_t>(row - 1)] = opensFirst;
    SetStyleRange(CGXRange(row, kFirstTimeColumn, row, kLastTimeColumn),
                  CGXStyle().SetReadOnly(false).SetInterior(kWhite));
    SetStyleRange(CGXRange(row, opensFirst ? kFirstTimeColumn : kLastTimeColumn),
                  CGXStyle().SetReadOnly(true).SetInterior(kGreyed));
}

void CValveTimingGrid::ClearTimes(int row)
{
    SetValueRange(CGXRange(row, kFirstTimeColumn, row, kLastTimeColumn), std::string());
}

int CValveTimingGrid::GetStateIndex(int row) const
{
    const std::string text = GetValueRowCol(row, kStateColumn);
    char* end = nullptr;
    const long index = std::strtol(text.c_str(), &end, 10);
    return text.empty() || *end != '\0' ? -1 : static_cast<int>(index);
}

int CValveTimingGrid::GetFirstUsedColumn(int row) const
{
    const bool opensFirst = row >= 1 && row <= GetValveRowCount() && m_opensFirst[static_cast<std::size_t>(row - 1)];
    return opensFirst ? kFirstTimeColumn + 1 : kFirstTimeColumn;
}

bool CValveTimingGrid::IsGreyed(int row, int col) const
{
    return GetStyleRowCol(row, col).GetInterior() == kGreyed;
}

std::string CValveTimingGrid::GetRowPrefix(int row) const
{
    if (row < 1 || row > GetValveRowCount())
        return std::string();
    const std::string kind = row > m_nPolymerRows ? "GAS_" : "";
    return (m_b3D ? "MOLD3D_" : "3DFLOW_") + kind +
           Format("VALVE_GROUP%d_", m_valveGroups[static_cast<std::size_t>(row - 1)]);
}

std::string CValveTimingGrid::GetWellKeyword(int row) const
{
    if (!IsWellRow(row))
        return std::string();
    // Wells are a midplane solver's keyword on every mesh.
    return Format("3DFLOW_GAS_OVERFLOW_WELL_GROUP%d_OPENING_TIME",
                  m_wellGroups[static_cast<std::size_t>(row - GetValveRowCount() - 1)]);
}

CResult CValveTimingGrid::Load(const std::string& keywordFile)
{
    MKeywordFile file;
    if (CResult loaded = file.Load(keywordFile); !loaded)
        return loaded;
    for (int row = 1; row <= GetValveRowCount(); ++row) {
        const std::string prefix = GetRowPrefix(row);
        const std::string token = file.GetValue(prefix + "INITIAL_STATE");
        if (!token.empty()) {
            const int index = TokenIndex(token);
            SetValueRange(CGXRange(row, kStateColumn), std::to_string(index));
            ApplyColumns(row, OpensFirst(index));
        }
        if (!file.HasKeyword(prefix + "TIMING_SEQUENCE"))
            continue;
        const std::vector<double> times = ReadNumbers(file.GetValue(prefix + "TIMING_SEQUENCE"));
        const int first = GetFirstUsedColumn(row);
        for (std::size_t i = 0; i < times.size() && i < kUsedTimeColumns; ++i)
            SetValueRange(CGXRange(row, first + static_cast<int>(i)), FormatTime(times[i]));
    }
    for (int row = GetValveRowCount() + 1; row <= GetRowCount(); ++row) {
        const std::string keyword = GetWellKeyword(row);
        if (file.HasKeyword(keyword)) {
            const double opening = std::strtod(file.GetValue(keyword).c_str(), nullptr);
            SetValueRange(CGXRange(row, kFirstTimeColumn), FormatTime(opening));
        }
    }
    return CResult::Ok();
}

CResult CValveTimingGrid::Save(const std::string& keywordFile, wizsys::Durability durability) const
{
    MKeywordFile file;
    // Written over a file that was not read, the working file would lose
    // every other setting.
    if (CResult loaded = file.Load(keywordFile); !loaded)
        return loaded;
    for (int row = 1; row <= GetValveRowCount(); ++row) {
        const std::string prefix = GetRowPrefix(row);
        const int index = GetStateIndex(row);
        file.SetValue(prefix + "INITIAL_STATE", index >= 0 && index < kStateCount ? kStateTokens[index] : "");
        // Each time on a continued line of its own, so the text starts with
        // a continuation.
        std::string timing;
        const int first = OpensFirst(index) ? kFirstTimeColumn + 1 : kFirstTimeColumn;
        for (int col = first; col < first + kUsedTimeColumns; ++col) {
            const std::string text = GetValueRowCol(row, col);
            if (!text.empty())
                timing += " \\\n" + text;
        }
        file.SetValue(prefix + "TIMING_SEQUENCE", timing);
    }
    for (int row = GetValveRowCount() + 1; row <= GetRowCount(); ++row)
        file.SetValue(GetWellKeyword(row), GetValueRowCol(row, kFirstTimeColumn));
    return file.Write(keywordFile, durability);
}

void CValveTimingGrid::OnModifyCell(int row, int col)
{
    CGXGridWnd::OnModifyCell(row, col);
    if (col != kStateColumn || row < 1 || row > GetValveRowCount())
        return;
    const bool opensFirst = OpensFirst(GetStateIndex(row));
    if (opensFirst == static_cast<bool>(m_opensFirst[static_cast<std::size_t>(row - 1)]))
        return;
    // The times of the other layout would mean other switchings.
    ClearTimes(row);
    ApplyColumns(row, opensFirst);
    Redraw();
}

bool CValveTimingGrid::OnValidateCell(int row, int col, const std::string& text)
{
    if (col < kFirstTimeColumn)
        return CGXGridWnd::OnValidateCell(row, col, text);
    if (text.empty())
        return true;
    if (!CGXGridWnd::OnValidateCell(row, col, text))
        return false;
    // The base takes "inf" as a number at least 0; no time is infinite.
    if (!std::isfinite(std::strtod(text.c_str(), nullptr))) {
        AfxMessageBox(GetStyleRowCol(row, col).GetUserAttribute(GX_IDS_UA_VALID_MSG), MB_OK | MB_ICONEXCLAMATION, 0);
        return false;
    }
    return true;
}
