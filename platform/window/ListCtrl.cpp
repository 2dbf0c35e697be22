#include "platform/window/ListCtrl.h"

#include <algorithm>

bool CImageList::Create(int cx, int cy, UINT, int, int)
{
    m_cx = cx;
    m_cy = cy;
    m_images.clear();
    return true;
}

int CImageList::Add(UINT resourceId)
{
    m_images.push_back(resourceId);
    return GetImageCount() - 1;
}

UINT CImageList::GetImage(int index) const
{
    return index >= 0 && index < GetImageCount() ? m_images[static_cast<size_t>(index)] : 0;
}

bool CImageList::Remove(int index)
{
    if (index == -1) {
        m_images.clear();
        return true;
    }
    if (index < 0 || index >= GetImageCount())
        return false;
    m_images.erase(m_images.begin() + index);
    return true;
}

bool CListCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CreateWnd(WndKind::ListView, "", style | WS_CHILD, rect, parent, static_cast<int>(ListControlId(parent, id)));
}

int CListCtrl::InsertColumn(int col, const std::string& heading, int format, int width, int)
{
    col = std::clamp(col, 0, GetColumnCount());
    m_columns.insert(m_columns.begin() + col, Column{heading, format, width < 0 ? 0 : width});
    return col;
}

bool CListCtrl::DeleteColumn(int col)
{
    if (col < 0 || col >= GetColumnCount())
        return false;
    m_columns.erase(m_columns.begin() + col);
    for (Item& item : m_items)
        if (static_cast<size_t>(col) < item.texts.size())
            item.texts.erase(item.texts.begin() + col);
    return true;
}

std::string CListCtrl::GetColumnHeading(int col) const
{
    return col >= 0 && col < GetColumnCount() ? m_columns[static_cast<size_t>(col)].heading : std::string();
}

bool CListCtrl::SetColumnWidth(int col, int cx)
{
    if (col < 0 || col >= GetColumnCount())
        return false;
    m_columns[static_cast<size_t>(col)].width = cx;
    return true;
}

int CListCtrl::GetColumnWidth(int col) const
{
    return col >= 0 && col < GetColumnCount() ? m_columns[static_cast<size_t>(col)].width : 0;
}

int CListCtrl::InsertItem(int index, const std::string& text, int image)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, const std::string& text, UINT state, UINT stateMask, int image,
                          LPARAM data)
{
    index = std::clamp(index, 0, GetItemCount());
    Item item;
    item.texts.push_back((mask & LVIF_TEXT) ? text : std::string());
    item.image = (mask & LVIF_IMAGE) ? image : -1;
    item.data = (mask & LVIF_PARAM) ? static_cast<DWORD_PTR>(data) : 0;
    m_items.insert(m_items.begin() + index, std::move(item));
    if (m_selectionMark >= index)
        ++m_selectionMark;
    if ((mask & LVIF_STATE) && stateMask)
        SetItemState(index, state, stateMask);
    return index;
}

bool CListCtrl::DeleteItem(int index)
{
    if (!Valid(index))
        return false;
    m_items.erase(m_items.begin() + index);
    if (m_selectionMark == index)
        m_selectionMark = -1;
    else if (m_selectionMark > index)
        --m_selectionMark;
    return true;
}

bool CListCtrl::DeleteAllItems()
{
    m_items.clear();
    m_selectionMark = -1;
    return true;
}

bool CListCtrl::SetItemText(int index, int subItem, const std::string& text)
{
    if (!Valid(index) || subItem < 0)
        return false;
    auto& texts = m_items[static_cast<size_t>(index)].texts;
    if (texts.size() <= static_cast<size_t>(subItem))
        texts.resize(static_cast<size_t>(subItem) + 1);
    texts[static_cast<size_t>(subItem)] = text;
    return true;
}

std::string CListCtrl::GetItemText(int index, int subItem) const
{
    if (!Valid(index) || subItem < 0)
        return {};
    const auto& texts = m_items[static_cast<size_t>(index)].texts;
    return static_cast<size_t>(subItem) < texts.size() ? texts[static_cast<size_t>(subItem)] : std::string();
}

bool CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    if (!Valid(index))
        return false;
    m_items[static_cast<size_t>(index)].data = data;
    return true;
}

DWORD_PTR CListCtrl::GetItemData(int index) const { return Valid(index) ? m_items[static_cast<size_t>(index)].data : 0; }

bool CListCtrl::SetItemImage(int index, int image)
{
    if (!Valid(index))
        return false;
    m_items[static_cast<size_t>(index)].image = image;
    return true;
}

int CListCtrl::GetItemImage(int index) const { return Valid(index) ? m_items[static_cast<size_t>(index)].image : -1; }

void CListCtrl::ChangeState(int index, UINT state, UINT mask)
{
    Item& item = m_items[static_cast<size_t>(index)];
    const UINT old = item.state;
    const UINT next = (old & ~mask) | (state & mask);
    if (next == old)
        return;
    // A single-selection view and the focus keep one item each: the item
    // that loses them is told before the one that gains them.
    if ((next & LVIS_FOCUSED) && !(old & LVIS_FOCUSED))
        for (int j = 0; j < GetItemCount(); ++j)
            if (j != index && (m_items[static_cast<size_t>(j)].state & LVIS_FOCUSED))
                ChangeState(j, 0, LVIS_FOCUSED);
    if ((next & LVIS_SELECTED) && !(old & LVIS_SELECTED) && (GetStyle() & LVS_SINGLESEL))
        for (int j = 0; j < GetItemCount(); ++j)
            if (j != index && (m_items[static_cast<size_t>(j)].state & LVIS_SELECTED))
                ChangeState(j, 0, LVIS_SELECTED);
    item.state = next;
    if (!GetParent())
        return;
    NMLISTVIEW nm;
    nm.hdr.hwndFrom = this;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = LVN_ITEMCHANGED;
    nm.iItem = index;
    nm.uOldState = old;
    nm.uNewState = next;
    nm.uChanged = LVIF_STATE;
    nm.lParam = static_cast<LPARAM>(item.data);
    GetParent()->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

bool CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    if (index == -1) {
        for (int i = 0; i < GetItemCount(); ++i)
            ChangeState(i, state, mask);
        return true;
    }
    if (!Valid(index))
        return false;
    ChangeState(index, state, mask);
    return true;
}

UINT CListCtrl::GetItemState(int index, UINT mask) const
{
    return Valid(index) ? m_items[static_cast<size_t>(index)].state & mask : 0;
}

int CListCtrl::GetNextItem(int start, int flags) const
{
    UINT want = 0;
    if (flags & LVNI_SELECTED)
        want |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED)
        want |= LVIS_FOCUSED;
    for (int i = start + 1; i < GetItemCount(); ++i)
        if ((m_items[static_cast<size_t>(i)].state & want) == want)
            return i;
    return -1;
}

UINT CListCtrl::GetSelectedCount() const
{
    return static_cast<UINT>(std::count_if(m_items.begin(), m_items.end(),
                                           [](const Item& i) { return (i.state & LVIS_SELECTED) != 0; }));
}

int CListCtrl::SetSelectionMark(int index)
{
    int old = m_selectionMark;
    m_selectionMark = index;
    return old;
}

int CListCtrl::FindItemText(const std::string& text) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetItemText(i, 0) == text)
            return i;
    return -1;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int which)
{
    if (which < 0 || which > 2)
        return nullptr;
    CImageList* old = m_imageLists[which];
    m_imageLists[which] = list;
    return old;
}

CImageList* CListCtrl::GetImageList(int which) const { return which >= 0 && which <= 2 ? m_imageLists[which] : nullptr; }

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    DWORD old = m_extStyle;
    m_extStyle = style;
    return old;
}

void CListCtrl::UserSelect(int index)
{
    if (!Valid(index))
        return;
    const bool multiple = (GetStyle() & LVS_SINGLESEL) == 0;
    const bool ctrl = multiple && GetKeyState(VK_CONTROL) < 0;
    const bool shift = multiple && GetKeyState(VK_SHIFT) < 0;
    if (shift && Valid(m_selectionMark)) {
        const int from = std::min(m_selectionMark, index), to = std::max(m_selectionMark, index);
        if (!ctrl)
            for (int j = 0; j < GetItemCount(); ++j)
                if (j < from || j > to)
                    ChangeState(j, 0, LVIS_SELECTED);
        for (int j = from; j <= to; ++j)
            if (j != index)
                ChangeState(j, LVIS_SELECTED, LVIS_SELECTED);
        ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    if (ctrl) {
        const UINT selected = (m_items[static_cast<size_t>(index)].state & LVIS_SELECTED) ^ LVIS_SELECTED;
        ChangeState(index, selected | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_selectionMark = index;
        return;
    }
    for (int j = 0; j < GetItemCount(); ++j)
        if (j != index)
            ChangeState(j, 0, LVIS_SELECTED);
    ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_selectionMark = index;
}

void CListCtrl::UserClickEmpty()
{
    for (int j = 0; j < GetItemCount(); ++j)
        ChangeState(j, 0, LVIS_SELECTED);
}

void CListCtrl::ResetContent()
{
    m_columns.clear();
    m_items.clear();
    m_selectionMark = -1;
}
