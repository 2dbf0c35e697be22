#pragma once
// CValueRange: the permitted range of a number, with inclusive, exclusive or
// absent bounds, read from and shown as interval text such as "[0:)" or "(:1]".
#include "units/Units.h"

#include <string>

class CValueRange {
public:
    enum BoundKind { kNoBound = 0, kInclusive = 1, kExclusive = 2 };

    // Bounds are in SI units; a bound whose kind is kNoBound is ignored.
    double m_low = 0;
    double m_high = 0;
    int m_lowKind = kNoBound;
    int m_highKind = kNoBound;

    // The default range has no bounds and admits every number.
    CValueRange() = default;
    CValueRange(double low, int lowKind, double high, int highKind)
        : m_low(low), m_high(high), m_lowKind(lowKind), m_highKind(highKind) {}

    // Reads interval text: "[low:high]", "(low:high)", "[low:)", "(:high]" and so
    // on. Text that does not follow the notation (no colon, a leading colon, null)
    // gives the range without bounds; a missing closing bracket drops the upper bound.
    // Never allocates.
    static CValueRange Parse(const char* text);
    static CValueRange Parse(const std::string& text) { return Parse(text.c_str()); }

    // True when every bound that is present admits `value`. Never allocates.
    bool Contains(double value) const;
    bool HasBounds() const { return m_lowKind != kNoBound || m_highKind != kNoBound; }

    // Interval text for captions: bounds in "%g", or "%.4g" when "%g" is longer
    // than 7 characters; "" for a range without bounds.
    std::string ToText() const;

    // The text of one bound by that rule.
    static std::string FormatBound(double value);

    bool operator==(const CValueRange&) const = default;
};

// The caption beside an entry field: the range converted from SI to the display
// units of `quantity` in `system`, a blank when that text is not empty, then the
// unit label ("[68:572] deg.F"). Without a range only the label remains.
std::string GetRangeCaption(const CValueRange& range, UnitQuantity quantity, UnitSystem system);
