#include "cool/ExpanderGrid.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

// A cell holds a number only when all of it (but surrounding blanks) reads as one.
bool ReadNumber(const std::string& text, double* value)
{
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(start, &end);
    if (end == start || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    *value = number;
    return true;
}

std::string FormatCell(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

} // namespace

void CExpanderGrid::SetupColumns(int columns, const std::vector<std::string>& headings)
{
    SetColCount(columns);
    for (int col = 0; col < columns; ++col)
        SetColumnHeading(col, col < static_cast<int>(headings.size()) ? headings[col] : std::string());

    CRect client;
    GetClientRect(&client);
    const int share = columns > 0 ? std::max(0, client.Width() - kRowHeadingWidth) / columns : 0;
    m_colWidths.assign(static_cast<size_t>(columns), share);
    for (int col = 1; col <= columns; ++col)
        SetColWidth(col, col, share);
}

void CExpanderGrid::SetRowHeading(int row, const std::string& text)
{
    SetValueRange(CGXRange(row, 0), text);
}

int CExpanderGrid::GetValueColumnWidth(int column) const
{
    return column >= 0 && column < static_cast<int>(m_colWidths.size()) ? m_colWidths[static_cast<size_t>(column)] : 0;
}

bool CExpanderGrid::IsVerticalScrollEnabled() const
{
    CRect client;
    GetClientRect(&client);
    const int rowHeight = GetFont()->GetLineHeight() + 4;
    // The heading row takes room too.
    return (GetRowCount() + 1) * rowHeight > client.Height();
}

bool CExpanderGrid::IsEmptyRow(int row) const
{
    for (int col = 1; col <= GetColCount(); ++col)
        if (GetValueRowCol(row, col).find_first_not_of(" \t") != std::string::npos)
            return false;
    return true;
}

int CExpanderGrid::GetValueRowCount() const
{
    int rows = GetRowCount();
    // Rows the expansion left for typing hold nothing and are not values.
    while (rows > 0 && IsEmptyRow(rows))
        --rows;
    return rows;
}

bool CExpanderGrid::GetRowValues(int row, double* first, double* second) const
{
    if (row < 1 || row > GetRowCount())
        return false;
    if (!ReadNumber(GetValueRowCol(row, 1), first))
        return false;
    return second == nullptr || ReadNumber(GetValueRowCol(row, 2), second);
}

void CExpanderGrid::ClearValueRows()
{
    SetRowCount(0);
    if (m_expand)
        SetRowCount(1);
}

int CExpanderGrid::NextFreeRow()
{
    const int row = GetValueRowCount() + 1;
    if (row > GetRowCount())
        SetRowCount(row);
    return row;
}

void CExpanderGrid::AppendValueRow(double first)
{
    SetValueRange(CGXRange(NextFreeRow(), 1), FormatCell(first));
}

void CExpanderGrid::AppendValueRow(double first, double second)
{
    const int row = NextFreeRow();
    SetValueRange(CGXRange(row, 1), FormatCell(first));
    SetValueRange(CGXRange(row, 2), FormatCell(second));
}

std::string CExpanderGrid::GetColumnHeading(int column) const
{
    return GetValueRowCol(0, column + 1);
}

void CExpanderGrid::SetColumnHeading(int column, const std::string& text)
{
    SetValueRange(CGXRange(0, column + 1), text);
}

void CExpanderGrid::OnMovedCurrentCell(int row, int col)
{
    CGXGridWnd::OnMovedCurrentCell(row, col);
    if (m_expand && row == GetRowCount())
        InsertRows(row + 1, 1);
}
