#pragma once
// The record behind one keyword of CKeywordBindings, shared by the file side
// and the page-exchange side of the table. Not for use outside the table.
#include <new>
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

inline CKeywordBindings::CBinding& CKeywordBindings::CRecords::operator[](std::size_t i)
{
    return m_blocks[i >> kShift][i & (kBlock - 1)];
}

inline const CKeywordBindings::CBinding& CKeywordBindings::CRecords::operator[](std::size_t i) const
{
    return m_blocks[i >> kShift][i & (kBlock - 1)];
}

inline CKeywordBindings::CBinding& CKeywordBindings::CRecords::emplace_back()
{
    // Raw storage: a block's records are made one by one as they are bound,
    // so a small table touches only the memory it uses.
    if ((m_size & (kBlock - 1)) == 0)
        m_blocks.push_back(static_cast<CBinding*>(::operator new(kBlock * sizeof(CBinding))));
    CBinding* record = new (&m_blocks.back()[m_size & (kBlock - 1)]) CBinding();
    ++m_size;
    return *record;
}

inline CKeywordBindings::CRecords::~CRecords()
{
    for (std::size_t i = 0; i < m_size; ++i)
        (*this)[i].~CBinding();
    for (CBinding* block : m_blocks)
        ::operator delete(block);
}

namespace BindingText {

// "%g" of one number.
std::string FormatG(double value);

} // namespace BindingText
