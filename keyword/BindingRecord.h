#pragma once
// The record behind one keyword of CKeywordBindings, shared by the file side
// and the page-exchange side of the table. Not for use outside the table.
#include <string>
#include <string_view>

#include "keyword/KeywordBindings.h"
#include "keyword/ValueRange.h"

struct CKeywordBindings::CBinding {
    std::string_view keyword; // in the table's keyword store
    int controlId = -1;
    int companionId = -1;
    int type = kBindText;
    BindingVariable variable;
    CValueRange range1;
    CValueRange range2;
    std::string label;
    UnitQuantity quantity1 = kQuantityDimensionless;
    UnitQuantity quantity2 = kQuantityDimensionless;
    int captionLength = -1; // companion caption or grid column 0 heading, undecorated
    int headerLength = -1;  // grid column 1 heading, undecorated
    CWnd* page = nullptr;
    unsigned flags = kBindNoFlags;
    bool present = false;

    template <class T> T& Var() const { return *std::get<T*>(variable); }
};

namespace BindingText {

// "%g" of one number.
std::string FormatG(double value);

} // namespace BindingText
