#pragma once
// CExpanderGrid: the library's grid of numbers, used for lists and tables of
// values (one or two value columns under headings, optional row headings).
// With the expand flag on it grows as the user types: when the current cell
// enters the last row an empty row is appended after it.
#include <string>
#include <vector>

#include "keyword/ValueGrid.h"
#include "platform/window/GridWnd.h"

class CExpanderGrid : public CGXGridWnd, public CValueGrid {
public:
    explicit CExpanderGrid(bool expand = true) : m_expand(expand) {}

    // Gives the grid `columns` value columns (1 or 2) headed by `headings`,
    // with widths sharing the client width left of the row headings evenly.
    void SetupColumns(int columns, const std::vector<std::string>& headings);

    void SetExpand(bool expand) { m_expand = expand; }
    bool GetExpand() const { return m_expand; }

    void SetRowHeading(int row, const std::string& text);
    // Width in pixels of a value column (0-based) after SetupColumns.
    int GetValueColumnWidth(int column) const;
    static constexpr int kRowHeadingWidth = 40;
    // Whether the vertical scroll bar can be used: only when the rows need
    // more height than the grid has.
    bool IsVerticalScrollEnabled() const;

    // CValueGrid. Value columns are 0-based; rows are 1-based as in the grid.
    int GetValueRowCount() const override;
    bool GetRowValues(int row, double* first, double* second) const override;
    // Leaves one empty row to type into when the grid expands.
    void ClearValueRows() override;
    // Fills the first empty row after the values, adding a row when none is left.
    void AppendValueRow(double first) override;
    void AppendValueRow(double first, double second) override;
    std::string GetColumnHeading(int column) const override;
    void SetColumnHeading(int column, const std::string& text) override;

protected:
    void OnMovedCurrentCell(int row, int col) override;

private:
    bool IsEmptyRow(int row) const;
    int NextFreeRow();

    bool m_expand;
    std::vector<int> m_colWidths;
};
