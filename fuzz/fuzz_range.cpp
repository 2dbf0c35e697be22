// The range-text parser reads whatever a range file holds; any bytes must parse
// without a crash, and what it yields must behave as a range.
#include "keyword/ValueRange.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Range texts are zero-terminated keyword values: cut at the first zero byte.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const CValueRange range = CValueRange::Parse(text.c_str());
    if (range.m_lowKind < 0 || range.m_lowKind > 2 || range.m_highKind < 0 || range.m_highKind > 2)
        std::abort();
    if (!range.HasBounds() && !range.ToText().empty())
        std::abort();

    // A bound that is present and finite lies in the range exactly when its kind is inclusive.
    if (range.m_lowKind && std::isfinite(range.m_low) && (!range.m_highKind || range.m_high > range.m_low)) {
        if (range.Contains(range.m_low) != (range.m_lowKind == CValueRange::kInclusive))
            std::abort();
    }

    // The shown text reads back with the same kinds.
    const CValueRange again = CValueRange::Parse(range.ToText());
    if (range.HasBounds() && (again.m_lowKind != range.m_lowKind || again.m_highKind != range.m_highKind))
        std::abort();
    (void)GetRangeCaption(range, static_cast<int>(size % 60) - 2, static_cast<int>(size % 3) - 1);
    return 0;
}
