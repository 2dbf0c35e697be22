#pragma once
// One handler per kind of bound value (text, whole number, real, switch,
// choice, list, pairs): how the value reads from and is written to a keyword
// file, how it fills its control, and how the control is read back. The table
// holds no switch on the kind; a new kind is one more handler. Not for use
// outside the table.
#include <string>

#include "keyword/BindingRecord.h"

class CDataExchange;
class CWnd;
class CValueGrid;

// What a handler needs of the exchange of one page.
struct CBindingExchange {
    CWnd* page = nullptr;
    UnitSystem system = kUnitsMetric;
    CDataExchange* pDX = nullptr; // reading back only
};

class CBindingKind {
public:
    using CBinding = CKeywordBindings::CBinding;
    virtual ~CBindingKind() = default;

    // The value as a keyword file holds it.
    virtual std::string Format(const CBinding& binding) const = 0;
    // Sets the variable from a keyword file's value, by the reading rule of the kind.
    virtual void Parse(CBinding& binding, const std::string& value) const = 0;
    // Sets the binding's keyword in `file` to the value.
    virtual void Store(const CBinding& binding, MKeywordFile& file) const;
    // Reads a keyword file's value as Parse would, but strictly and without
    // touching the variable: each piece Parse would misread, and each number
    // outside its column's range, is a problem.
    virtual void Check(const CBinding& binding, const CValueRange& range1, const CValueRange& range2,
                       const std::string& value, SValueReading& reading) const = 0;

    // Whether the caption beside the field shows the field's range.
    virtual bool ShowsRange() const { return false; }
    // Fills the control from the variable (the binding is present).
    virtual void Show(const CBindingExchange& exchange, CBinding& binding, CWnd* control) const = 0;
    // Pass 0 validates the control's value, pass 1 stores it; a failing
    // value shows its message and fails the exchange.
    virtual void Read(const CBindingExchange& exchange, CBinding& binding, CWnd* control, int pass) const = 0;
};

// The handler of a BindingType.
const CBindingKind& GetBindingKind(int type);

namespace BindingControls {

bool IsEdit(const CWnd* control);
// The grid behind a control; null when the control is not one.
CValueGrid* AsGrid(CWnd* control);
// Two-state check boxes only: a three-state box does not say yes or no.
bool IsTwoStateCheckBox(const CWnd* control);
// Setting an unchanged text would still tell the page it changed.
void SetTextIfChanged(CWnd* control, const std::string& text);

} // namespace BindingControls
