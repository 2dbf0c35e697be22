#include "keyword/ValueRange.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Only the blank is skipped here. A tab counts as the start of a bound, which
// strtod then reads past, so "[\t:1]" has the lower bound 0 rather than none.
static const char* SkipBlanks(const char* p, const char* end)
{
    while (p < end && *p == ' ')
        ++p;
    return p;
}

CValueRange CValueRange::Parse(const char* text)
{
    CValueRange range;
    if (!text)
        return range;
    const char* p = SkipBlanks(text, text + std::strlen(text));
    const char* colon = std::strchr(p, ':');
    if (!colon || p == colon)
        return range;

    // Whatever stands first is the opening bracket; only "(" makes the bound exclusive.
    const char* low = SkipBlanks(p + 1, colon);
    if (low < colon) {
        range.m_low = std::strtod(low, nullptr);
        range.m_lowKind = *p == '(' ? kExclusive : kInclusive;
    }

    // ")" is looked for first, so "[1:2)]" closes at the ")".
    const char* close = std::strchr(colon + 1, ')');
    if (!close)
        close = std::strchr(colon + 1, ']');
    if (!close)
        return range;
    const char* high = SkipBlanks(colon + 1, close);
    if (high < close) {
        range.m_high = std::strtod(high, nullptr);
        range.m_highKind = *close == ')' ? kExclusive : kInclusive;
    }
    return range;
}

bool CValueRange::Contains(double value) const
{
    switch (m_lowKind) {
    case kInclusive:
        if (!(value >= m_low))
            return false;
        break;
    case kExclusive:
        if (!(value > m_low))
            return false;
        break;
    default:
        break;
    }
    switch (m_highKind) {
    case kInclusive:
        return value <= m_high;
    case kExclusive:
        return value < m_high;
    default:
        return true;
    }
}

std::string CValueRange::FormatBound(double value)
{
    // Captions are narrow: long "%g" texts (0.000123456, 1.23457e+06) are cut to 4 digits.
    char text[64];
    int n = std::snprintf(text, sizeof text, "%g", value);
    if (n > 7)
        std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::string CValueRange::ToText() const
{
    if (!HasBounds())
        return "";
    std::string text = m_lowKind == kInclusive ? "[" : "(";
    if (m_lowKind != kNoBound)
        text += FormatBound(m_low);
    text += ':';
    if (m_highKind != kNoBound)
        text += FormatBound(m_high);
    text += m_highKind == kInclusive ? ']' : ')';
    return text;
}

std::string GetRangeCaption(const CValueRange& range, UnitQuantity quantity, UnitSystem system)
{
    CValueRange shown = range;
    ConvertFromSI(quantity, system, range.m_low, &shown.m_low);
    ConvertFromSI(quantity, system, range.m_high, &shown.m_high);
    std::string caption = shown.ToText();
    if (!caption.empty())
        caption += ' ';
    char label[kUnitLabelSize];
    if (GetUnitLabel(quantity, system, label))
        caption += label;
    return caption;
}
