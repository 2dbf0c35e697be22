#pragma once
// The grid control: a table of cells with heading texts in row 0 and column 0,
// per-cell styles (read-only, greyed, drop-down list, numeric with a lower
// limit and the message shown for a value below it) and a current cell.
// Grids of the library derive from it and hook the current-cell moves.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/Wnd.h"

// Cell kinds, by the names the grid gives them.
constexpr UINT GX_IDS_CTRL_EDIT = 1;
constexpr UINT GX_IDS_CTRL_STATIC = 2;
constexpr UINT GX_IDS_CTRL_CBS_DROPDOWNLIST = 3;
constexpr UINT GX_IDS_CTRL_CHECKBOX = 4;
// A drop-down list whose value is the zero-based index of the chosen item,
// while the cell shows the item's text.
constexpr UINT GX_IDS_CTRL_ZEROBASED_EX = 5;
// User attributes of a cell's validation.
constexpr UINT GX_IDS_UA_VALID_MIN = 101;
constexpr UINT GX_IDS_UA_VALID_MAX = 102;
constexpr UINT GX_IDS_UA_VALID_MSG = 103;

struct CGXRange {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    CGXRange() = default;
    CGXRange(int row, int col) : top(row), left(col), bottom(row), right(col) {}
    CGXRange(int t, int l, int b, int r) : top(t), left(l), bottom(b), right(r) {}
    CGXRange& SetRows(int from, int to) { top = from; bottom = to; left = 0; right = -1; return *this; }
    CGXRange& SetCols(int from, int to) { left = from; right = to; top = 0; bottom = -1; return *this; }
};

// A cell's style; only the attributes set are applied to a cell.
class CGXStyle {
public:
    CGXStyle& SetValue(const std::string& v) { m_value = v; m_has |= kValue; return *this; }
    CGXStyle& SetValue(double v);
    CGXStyle& SetReadOnly(bool b) { m_readOnly = b; m_has |= kReadOnly; return *this; }
    CGXStyle& SetEnabled(bool b) { m_enabled = b; m_has |= kEnabled; return *this; }
    CGXStyle& SetControl(UINT kind) { m_control = kind; m_has |= kControl; return *this; }
    CGXStyle& SetChoiceList(const std::string& list) { m_choices = list; m_has |= kChoices; return *this; }
    CGXStyle& SetUserAttribute(UINT id, const std::string& v) { m_user[id] = v; return *this; }
    CGXStyle& SetInterior(DWORD color) { m_interior = color; m_has |= kInterior; return *this; }
    CGXStyle& SetHorizontalAlignment(int) { return *this; }

    const std::string& GetValue() const { return m_value; }
    bool GetReadOnly() const { return m_readOnly; }
    bool GetEnabled() const { return m_enabled; }
    UINT GetControl() const { return m_control; }
    const std::string& GetChoiceList() const { return m_choices; }
    std::string GetUserAttribute(UINT id) const;
    DWORD GetInterior() const { return m_interior; }
    // Applies the attributes `other` sets on top of these.
    void ChangeStyle(const CGXStyle& other);

private:
    enum : unsigned { kValue = 1, kReadOnly = 2, kEnabled = 4, kControl = 8, kChoices = 16, kInterior = 32 };
    unsigned m_has = 0;
    std::string m_value;
    bool m_readOnly = false;
    bool m_enabled = true;
    UINT m_control = GX_IDS_CTRL_EDIT;
    std::string m_choices; // items separated by "\n"
    std::map<UINT, std::string> m_user;
    DWORD m_interior = 0xFFFFFF;
};

class CGXGridWnd : public CWnd {
public:
    CGXGridWnd() { m_kind = WndKind::Grid; }
    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    // Creates and initialises the grid over `placeholder` (a frame of the
    // dialog template, where the grid belongs): same parent and rectangle,
    // control id `id`. False when the placeholder has no parent or this grid
    // exists already.
    bool CreateInPlaceOf(CWnd* placeholder, UINT id);
    // Sets up an empty grid (one heading row and column); called once after
    // the window exists, as the grid library wants.
    virtual void Initialize();

    // Rows and columns count without the headings (row 0 and column 0).
    bool SetRowCount(int rows);
    bool SetColCount(int cols);
    int GetRowCount() const { return static_cast<int>(m_cells.size()) - 1; }
    int GetColCount() const { return m_cols; }
    bool InsertRows(int row, int count);
    bool RemoveRows(int from, int to);

    // Values; row 0 holds the column headings and column 0 the row headings.
    bool SetValueRange(const CGXRange& range, const std::string& value);
    bool SetValueRange(const CGXRange& range, double value);
    std::string GetValueRowCol(int row, int col) const;
    bool SetStyleRange(const CGXRange& range, const CGXStyle& style);
    CGXStyle GetStyleRowCol(int row, int col) const;
    bool IsReadOnlyCell(int row, int col) const;
    // Whether the cell is a drop-down list, and its items in order.
    bool IsDropDownCell(int row, int col) const;
    std::vector<std::string> GetChoices(int row, int col) const;
    // What the cell shows: its value, or for an index-valued drop-down list
    // the chosen item's text.
    std::string GetControlText(int row, int col) const;

    // Moves the current cell; the virtual hook follows. False when the cell
    // does not exist or the current cell's value is invalid.
    bool SetCurrentCell(int row, int col);
    bool GetCurrentCell(int& row, int& col) const;

    // The value a person enters into a cell: the current cell moves there,
    // the value is checked against the cell's kind and limits, and an invalid
    // one shows the cell's message and is not taken. In a drop-down list the
    // person picks the item with this text (an index-valued list stores its
    // position); a text that is no item is not taken. True when taken.
    bool EnterValue(int row, int col, const std::string& text);

    // Widths, heights and repainting change only how the grid looks; nothing
    // is drawn headless, so they are accepted and have no effect.
    void SetColWidth(int, int, int) {}
    void SetRowHeight(int, int, int) {}
    void Redraw() {}
    // Hides (or shows again) the columns from..to; a hidden column keeps its
    // cells. False when the range names no column of the grid.
    bool HideCols(int from, int to, bool hide = true);
    bool IsColHidden(int col) const { return m_hiddenCols.count(col) != 0; }
    // Suspends repainting and returns whether it was suspended before, so a
    // caller can restore it; only that state is kept, as nothing is painted.
    bool LockUpdate(bool lock = true) { return std::exchange(m_updateLocked, lock); }

protected:
    // The current cell has moved to (row, col).
    virtual void OnMovedCurrentCell(int row, int col) {}
    // A value was entered into (row, col) and taken.
    virtual void OnModifyCell(int row, int col) {}
    // Whether `text` may go into (row, col); the base checks drop-down lists
    // and numeric limits and shows the cell's message when it fails.
    virtual bool OnValidateCell(int row, int col, const std::string& text);
    void ResetContent() override;
    void TakeOverContent(CWnd& from) override;

private:
    bool ValidCell(int row, int col) const;
    void ForEachCell(const CGXRange& range, const std::function<void(int, int)>& fn);

    std::vector<std::vector<CGXStyle>> m_cells; // [row][col], headings included
    int m_cols = 0;
    int m_curRow = 0;
    int m_curCol = 0;
    std::set<int> m_hiddenCols;
    bool m_updateLocked = false;
};
