#pragma once
// What the keyword bindings need of a grid that holds a list of numbers, one
// or two per row. The grid control itself lives in a higher layer (the expander
// grid); it implements this so the bindings can fill and read it without
// knowing the grid library.
#include <string>

class CValueGrid {
public:
    virtual ~CValueGrid() = default;

    // Rows that hold values. Trailing rows whose cells are all empty are room
    // left for typing and do not count.
    virtual int GetValueRowCount() const = 0;
    // The numbers of a row: the first value column into `first` and, when
    // `second` is given, the second column into it. False when a cell read is
    // not a number.
    virtual bool GetRowValues(int row, double* first, double* second) const = 0;
    // Removes every row.
    virtual void ClearValueRows() = 0;
    virtual void AppendValueRow(double first) = 0;
    virtual void AppendValueRow(double first, double second) = 0;
    // Heading text of value column 0 or 1.
    virtual std::string GetColumnHeading(int column) const = 0;
    virtual void SetColumnHeading(int column, const std::string& text) = 0;
};
