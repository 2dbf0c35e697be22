#include "platform/window/ListBoxes.h"

#include <strings.h>

#include <algorithm>

// --- items ---------------------------------------------------------------------

int CListItems::Add(const std::string& text, bool sorted)
{
    if (!sorted) {
        m_items.push_back({text});
        return Count() - 1;
    }
    // Binary search keeps sorted insertion linear overall in the copy only.
    size_t lo = 0, hi = m_items.size();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (strcasecmp(m_items[mid].text.c_str(), text.c_str()) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    m_items.insert(m_items.begin() + static_cast<long>(lo), Item{text});
    return static_cast<int>(lo);
}

int CListItems::Insert(int index, const std::string& text)
{
    if (index < 0 || index > Count())
        index = index < 0 ? Count() : -1;
    if (index < 0)
        return -1;
    m_items.insert(m_items.begin() + index, Item{text});
    return index;
}

bool CListItems::Delete(int index)
{
    if (!Valid(index))
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

int CListItems::Find(int start, const std::string& text, bool exact) const
{
    const int n = Count();
    if (n == 0)
        return -1;
    const int first = Valid(start) ? start + 1 : 0;
    for (int k = 0; k < n; ++k) {
        const std::string& t = m_items[static_cast<size_t>((first + k) % n)].text;
        bool hit = exact ? strcasecmp(t.c_str(), text.c_str()) == 0
                         : t.size() >= text.size() && strncasecmp(t.c_str(), text.c_str(), text.size()) == 0;
        if (hit)
            return (first + k) % n;
    }
    return -1;
}

// --- combo box -------------------------------------------------------------------

bool CComboBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CreateWnd(WndKind::ComboBox, "", style | WS_CHILD, rect, parent, static_cast<int>(ListControlId(parent, id)));
}

int CComboBox::AddString(const std::string& text)
{
    int index = m_items.Add(text, (GetStyle() & CBS_SORT) != 0);
    if (m_curSel >= index)
        ++m_curSel;
    return index;
}

int CComboBox::InsertString(int index, const std::string& text)
{
    int at = m_items.Insert(index, text);
    if (at >= 0 && m_curSel >= at)
        ++m_curSel;
    return at < 0 ? CB_ERR : at;
}

int CComboBox::DeleteString(UINT index)
{
    const int i = static_cast<int>(index);
    if (!m_items.Delete(i))
        return CB_ERR;
    if (m_curSel == i)
        m_curSel = -1;
    else if (m_curSel > i)
        --m_curSel;
    return GetCount();
}

void CComboBox::ResetContent()
{
    m_items.m_items.clear();
    m_curSel = -1;
    if (!IsDropDownList())
        m_text.clear();
}

int CComboBox::SetCurSel(int index)
{
    if (!m_items.Valid(index)) {
        m_curSel = -1;
        return CB_ERR;
    }
    m_curSel = index;
    if (!IsDropDownList())
        m_text = m_items.m_items[static_cast<size_t>(index)].text;
    return index;
}

int CComboBox::GetLBText(int index, std::string& text) const
{
    if (!m_items.Valid(index))
        return CB_ERR;
    text = m_items.m_items[static_cast<size_t>(index)].text;
    return static_cast<int>(text.size());
}

std::string CComboBox::GetLBText(int index) const
{
    std::string text;
    GetLBText(index, text);
    return text;
}

int CComboBox::GetLBTextLen(int index) const
{
    return m_items.Valid(index) ? static_cast<int>(m_items.m_items[static_cast<size_t>(index)].text.size()) : CB_ERR;
}

int CComboBox::SetItemData(int index, DWORD_PTR data)
{
    if (!m_items.Valid(index))
        return CB_ERR;
    m_items.m_items[static_cast<size_t>(index)].data = data;
    return 0;
}

DWORD_PTR CComboBox::GetItemData(int index) const
{
    return m_items.Valid(index) ? m_items.m_items[static_cast<size_t>(index)].data : static_cast<DWORD_PTR>(CB_ERR);
}

int CComboBox::FindString(int startAfter, const std::string& prefix) const
{
    return m_items.Find(startAfter, prefix, false);
}

int CComboBox::FindStringExact(int startAfter, const std::string& text) const
{
    return m_items.Find(startAfter, text, true);
}

int CComboBox::SelectString(int startAfter, const std::string& prefix)
{
    int i = FindString(startAfter, prefix);
    return i < 0 ? CB_ERR : SetCurSel(i);
}

std::string CComboBox::GetWindowText() const
{
    if (IsDropDownList())
        return m_items.Valid(m_curSel) ? m_items.m_items[static_cast<size_t>(m_curSel)].text : std::string();
    return m_text;
}

void CComboBox::SetWindowText(const std::string& text)
{
    if (IsDropDownList())
        return; // a drop-down list has no edit to take the text
    m_text = text;
    NotifyParent(CBN_EDITUPDATE);
    NotifyParent(CBN_EDITCHANGE);
}

void CComboBox::UserSelect(int index)
{
    SetCurSel(index);
    NotifyParent(CBN_SELCHANGE);
    NotifyParent(CBN_SELENDOK);
}

void CComboBox::TakeOverContent(CWnd& from)
{
    if (auto* c = dynamic_cast<CComboBox*>(&from)) {
        m_items = c->m_items;
        m_curSel = c->m_curSel;
    }
}

// --- list box ----------------------------------------------------------------------

bool CListBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CreateWnd(WndKind::ListBox, "", style | WS_CHILD, rect, parent, static_cast<int>(ListControlId(parent, id)));
}

int CListBox::AddString(const std::string& text) { return m_items.Add(text, (GetStyle() & LBS_SORT) != 0); }

int CListBox::InsertString(int index, const std::string& text)
{
    int at = m_items.Insert(index, text);
    return at < 0 ? LB_ERR : at;
}

int CListBox::DeleteString(UINT index)
{
    if (!m_items.Delete(static_cast<int>(index)))
        return LB_ERR;
    if (m_caret >= GetCount())
        m_caret = GetCount() - 1;
    if (m_anchor >= GetCount())
        m_anchor = GetCount() - 1;
    return GetCount();
}

void CListBox::ResetContent()
{
    m_items.m_items.clear();
    m_caret = -1;
    m_anchor = -1;
}

int CListBox::GetText(int index, std::string& text) const
{
    if (!m_items.Valid(index))
        return LB_ERR;
    text = m_items.m_items[static_cast<size_t>(index)].text;
    return static_cast<int>(text.size());
}

std::string CListBox::GetText(int index) const
{
    std::string text;
    GetText(index, text);
    return text;
}

int CListBox::SetItemData(int index, DWORD_PTR data)
{
    if (!m_items.Valid(index))
        return LB_ERR;
    m_items.m_items[static_cast<size_t>(index)].data = data;
    return 0;
}

DWORD_PTR CListBox::GetItemData(int index) const
{
    return m_items.Valid(index) ? m_items.m_items[static_cast<size_t>(index)].data : static_cast<DWORD_PTR>(LB_ERR);
}

int CListBox::FindString(int startAfter, const std::string& prefix) const { return m_items.Find(startAfter, prefix, false); }

int CListBox::FindStringExact(int startAfter, const std::string& text) const { return m_items.Find(startAfter, text, true); }

int CListBox::GetCurSel() const
{
    if (IsMultiSelect())
        return m_caret;
    for (int i = 0; i < GetCount(); ++i)
        if (m_items.m_items[static_cast<size_t>(i)].selected)
            return i;
    return LB_ERR;
}

int CListBox::SetCurSel(int index)
{
    if (IsMultiSelect())
        return LB_ERR;
    for (auto& item : m_items.m_items)
        item.selected = false;
    if (!m_items.Valid(index))
        return index == -1 ? LB_ERR : LB_ERR;
    m_items.m_items[static_cast<size_t>(index)].selected = true;
    m_caret = index;
    return index;
}

int CListBox::SetSel(int index, bool select)
{
    if (!IsMultiSelect())
        return LB_ERR;
    if (index == -1) {
        for (auto& item : m_items.m_items)
            item.selected = select;
        return 0;
    }
    if (!m_items.Valid(index))
        return LB_ERR;
    m_items.m_items[static_cast<size_t>(index)].selected = select;
    return 0;
}

int CListBox::GetSel(int index) const
{
    return m_items.Valid(index) ? (m_items.m_items[static_cast<size_t>(index)].selected ? 1 : 0) : LB_ERR;
}

int CListBox::GetSelCount() const
{
    if (!IsMultiSelect())
        return LB_ERR;
    return static_cast<int>(GetSelItems().size());
}

std::vector<int> CListBox::GetSelItems() const
{
    std::vector<int> out;
    for (int i = 0; i < GetCount(); ++i)
        if (m_items.m_items[static_cast<size_t>(i)].selected)
            out.push_back(i);
    return out;
}

int CListBox::GetSelItems(int max, int* items) const
{
    std::vector<int> sel = GetSelItems();
    int n = std::min(max, static_cast<int>(sel.size()));
    for (int i = 0; i < n; ++i)
        items[i] = sel[static_cast<size_t>(i)];
    return n;
}

int CListBox::SetAnchorIndex(int index)
{
    if (!m_items.Valid(index))
        return LB_ERR;
    m_anchor = index;
    return 0;
}

void CListBox::UserSelect(int index)
{
    if (!m_items.Valid(index))
        return;
    auto& items = m_items.m_items;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetStyle() & LBS_MULTIPLESEL) {
        items[static_cast<size_t>(index)].selected = !items[static_cast<size_t>(index)].selected;
    } else if ((GetStyle() & LBS_EXTENDEDSEL) && shift && m_items.Valid(m_anchor)) {
        const int from = std::min(m_anchor, index), to = std::max(m_anchor, index);
        for (int i = 0; i < GetCount(); ++i)
            if (i >= from && i <= to)
                items[static_cast<size_t>(i)].selected = true;
            else if (!ctrl)
                items[static_cast<size_t>(i)].selected = false;
    } else if ((GetStyle() & LBS_EXTENDEDSEL) && ctrl) {
        items[static_cast<size_t>(index)].selected = !items[static_cast<size_t>(index)].selected;
        m_anchor = index;
    } else {
        for (auto& other : items)
            other.selected = false;
        items[static_cast<size_t>(index)].selected = true;
        m_anchor = index;
    }
    m_caret = index;
    if (GetStyle() & LBS_NOTIFY)
        NotifyParent(LBN_SELCHANGE);
}

void CListBox::TakeOverContent(CWnd& from)
{
    if (auto* l = dynamic_cast<CListBox*>(&from)) {
        m_items = l->m_items;
        m_caret = l->m_caret;
        m_anchor = l->m_anchor;
    }
}
