#include "platform/window/GridWnd.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/window/CommonDialogs.h"

CGXStyle& CGXStyle::SetValue(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return SetValue(std::string(buf));
}

std::string CGXStyle::GetUserAttribute(UINT id) const
{
    auto it = m_user.find(id);
    return it == m_user.end() ? std::string() : it->second;
}

void CGXStyle::ChangeStyle(const CGXStyle& o)
{
    if (o.m_has & kValue)
        m_value = o.m_value;
    if (o.m_has & kReadOnly)
        m_readOnly = o.m_readOnly;
    if (o.m_has & kEnabled)
        m_enabled = o.m_enabled;
    if (o.m_has & kControl)
        m_control = o.m_control;
    if (o.m_has & kChoices)
        m_choices = o.m_choices;
    if (o.m_has & kInterior)
        m_interior = o.m_interior;
    for (const auto& [id, v] : o.m_user)
        m_user[id] = v;
    m_has |= o.m_has;
}

bool CGXGridWnd::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CreateWnd(WndKind::Grid, "", style | WS_CHILD, rect, parent, static_cast<int>(ListControlId(parent, id)));
}

bool CGXGridWnd::CreateInPlaceOf(CWnd* placeholder, UINT id)
{
    if (placeholder == nullptr || placeholder->GetParent() == nullptr || IsWindow())
        return false;
    CRect rect;
    placeholder->GetWindowRect(&rect);
    if (!Create(WS_VISIBLE | WS_TABSTOP | WS_BORDER, rect, placeholder->GetParent(), id))
        return false;
    Initialize();
    return true;
}

void CGXGridWnd::Initialize()
{
    if (m_cells.empty())
        m_cells.assign(1, std::vector<CGXStyle>(1));
}

bool CGXGridWnd::SetRowCount(int rows)
{
    if (rows < 0)
        return false;
    Initialize();
    m_cells.resize(static_cast<size_t>(rows) + 1, std::vector<CGXStyle>(static_cast<size_t>(m_cols) + 1));
    if (m_curRow > rows) {
        m_curRow = 0;
        m_curCol = 0;
    }
    return true;
}

bool CGXGridWnd::SetColCount(int cols)
{
    if (cols < 0)
        return false;
    Initialize();
    m_cols = cols;
    for (auto& row : m_cells)
        row.resize(static_cast<size_t>(cols) + 1);
    if (m_curCol > cols) {
        m_curRow = 0;
        m_curCol = 0;
    }
    return true;
}

bool CGXGridWnd::InsertRows(int row, int count)
{
    Initialize();
    if (row < 1 || row > GetRowCount() + 1 || count < 0)
        return false;
    m_cells.insert(m_cells.begin() + row, static_cast<size_t>(count), std::vector<CGXStyle>(static_cast<size_t>(m_cols) + 1));
    if (m_curRow >= row)
        m_curRow += count;
    return true;
}

bool CGXGridWnd::RemoveRows(int from, int to)
{
    if (from < 1 || to < from || to > GetRowCount())
        return false;
    m_cells.erase(m_cells.begin() + from, m_cells.begin() + to + 1);
    if (m_curRow > GetRowCount()) {
        m_curRow = 0;
        m_curCol = 0;
    }
    return true;
}

bool CGXGridWnd::ValidCell(int row, int col) const
{
    return row >= 0 && row <= GetRowCount() && col >= 0 && col <= m_cols;
}

void CGXGridWnd::ForEachCell(const CGXRange& r, const std::function<void(int, int)>& fn)
{
    const int bottom = r.bottom < 0 ? GetRowCount() : r.bottom;
    const int right = r.right < 0 ? m_cols : r.right;
    for (int row = r.top; row <= bottom; ++row)
        for (int col = r.left; col <= right; ++col)
            if (ValidCell(row, col))
                fn(row, col);
}

bool CGXGridWnd::HideCols(int from, int to, bool hide)
{
    if (from > to || to < 0 || from > m_cols)
        return false;
    for (int col = std::max(from, 0); col <= std::min(to, m_cols); ++col) {
        if (hide)
            m_hiddenCols.insert(col);
        else
            m_hiddenCols.erase(col);
    }
    return true;
}

bool CGXGridWnd::SetValueRange(const CGXRange& range, const std::string& value)
{
    Initialize();
    bool any = false;
    ForEachCell(range, [&](int row, int col) {
        m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)].SetValue(value);
        any = true;
    });
    return any;
}

bool CGXGridWnd::SetValueRange(const CGXRange& range, double value)
{
    return SetValueRange(range, CGXStyle().SetValue(value).GetValue());
}

std::string CGXGridWnd::GetValueRowCol(int row, int col) const
{
    return ValidCell(row, col) ? m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)].GetValue() : std::string();
}

bool CGXGridWnd::SetStyleRange(const CGXRange& range, const CGXStyle& style)
{
    Initialize();
    bool any = false;
    ForEachCell(range, [&](int row, int col) {
        m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)].ChangeStyle(style);
        any = true;
    });
    return any;
}

CGXStyle CGXGridWnd::GetStyleRowCol(int row, int col) const
{
    return ValidCell(row, col) ? m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)] : CGXStyle();
}

bool CGXGridWnd::IsReadOnlyCell(int row, int col) const
{
    if (!ValidCell(row, col) || row == 0 || col == 0)
        return true; // headings are never edited
    const CGXStyle& s = m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)];
    return s.GetReadOnly() || !s.GetEnabled() || s.GetControl() == GX_IDS_CTRL_STATIC;
}

bool CGXGridWnd::IsDropDownCell(int row, int col) const
{
    if (!ValidCell(row, col))
        return false;
    const UINT kind = m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)].GetControl();
    return kind == GX_IDS_CTRL_CBS_DROPDOWNLIST || kind == GX_IDS_CTRL_ZEROBASED_EX;
}

std::vector<std::string> CGXGridWnd::GetChoices(int row, int col) const
{
    std::vector<std::string> items;
    if (!IsDropDownCell(row, col))
        return items;
    const std::string& list = m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)].GetChoiceList();
    for (size_t pos = 0; pos < list.size();) {
        size_t end = list.find('\n', pos);
        if (end == std::string::npos)
            end = list.size();
        items.push_back(list.substr(pos, end - pos));
        pos = end + 1;
    }
    return items;
}

std::string CGXGridWnd::GetControlText(int row, int col) const
{
    const std::string value = GetValueRowCol(row, col);
    if (!ValidCell(row, col) || m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)].GetControl() !=
                                    GX_IDS_CTRL_ZEROBASED_EX)
        return value;
    const std::vector<std::string> items = GetChoices(row, col);
    char* end = nullptr;
    const long index = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || index < 0 || index >= static_cast<long>(items.size()))
        return std::string();
    return items[static_cast<size_t>(index)];
}

bool CGXGridWnd::SetCurrentCell(int row, int col)
{
    if (!ValidCell(row, col) || row == 0 || col == 0)
        return false;
    if (row == m_curRow && col == m_curCol)
        return true;
    m_curRow = row;
    m_curCol = col;
    OnMovedCurrentCell(row, col);
    return true;
}

bool CGXGridWnd::GetCurrentCell(int& row, int& col) const
{
    row = m_curRow;
    col = m_curCol;
    return m_curRow > 0 && m_curCol > 0;
}

bool CGXGridWnd::OnValidateCell(int row, int col, const std::string& text)
{
    const CGXStyle& s = m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)];
    if (s.GetControl() == GX_IDS_CTRL_CBS_DROPDOWNLIST || s.GetControl() == GX_IDS_CTRL_ZEROBASED_EX) {
        const std::vector<std::string> items = GetChoices(row, col);
        if (s.GetControl() == GX_IDS_CTRL_CBS_DROPDOWNLIST)
            return text.empty() || std::find(items.begin(), items.end(), text) != items.end();
        char* end = nullptr;
        const long index = std::strtol(text.c_str(), &end, 10);
        return !text.empty() && *end == '\0' && index >= 0 && index < static_cast<long>(items.size());
    }
    const std::string minText = s.GetUserAttribute(GX_IDS_UA_VALID_MIN);
    const std::string maxText = s.GetUserAttribute(GX_IDS_UA_VALID_MAX);
    if (minText.empty() && maxText.empty())
        return true;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    bool ok = end != text.c_str() && *end == '\0' && errno == 0;
    if (ok && !minText.empty())
        ok = v >= std::strtod(minText.c_str(), nullptr);
    if (ok && !maxText.empty())
        ok = v <= std::strtod(maxText.c_str(), nullptr);
    if (!ok) {
        std::string msg = s.GetUserAttribute(GX_IDS_UA_VALID_MSG);
        AfxMessageBox(msg.empty() ? std::string("Invalid value.") : msg, MB_OK | MB_ICONEXCLAMATION, 0);
    }
    return ok;
}

bool CGXGridWnd::EnterValue(int row, int col, const std::string& text)
{
    if (!ValidCell(row, col) || IsReadOnlyCell(row, col))
        return false;
    SetCurrentCell(row, col);
    std::string value = text;
    if (IsDropDownCell(row, col)) {
        const std::vector<std::string> items = GetChoices(row, col);
        const auto it = std::find(items.begin(), items.end(), text);
        const bool byIndex = GetStyleRowCol(row, col).GetControl() == GX_IDS_CTRL_ZEROBASED_EX;
        // A drop-down list offers nothing else to pick; Delete empties a
        // text-valued one.
        if (it == items.end() && (byIndex || !text.empty()))
            return false;
        if (byIndex)
            value = std::to_string(it - items.begin());
    }
    if (!OnValidateCell(row, col, value))
        return false;
    m_cells[static_cast<size_t>(row)][static_cast<size_t>(col)].SetValue(value);
    OnModifyCell(row, col);
    return true;
}

void CGXGridWnd::ResetContent()
{
    m_cells.clear();
    m_cols = 0;
    m_curRow = m_curCol = 0;
}

void CGXGridWnd::TakeOverContent(CWnd& from)
{
    if (auto* g = dynamic_cast<CGXGridWnd*>(&from)) {
        m_cells = g->m_cells;
        m_cols = g->m_cols;
    }
}
