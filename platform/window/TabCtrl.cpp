#include "platform/window/TabCtrl.h"

bool CTabCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CreateWnd(WndKind::Tab, "", style | WS_CHILD, rect, parent, static_cast<int>(id));
}

int CTabCtrl::InsertItem(int index, const std::string& text)
{
    if (index < 0 || index > GetItemCount())
        index = GetItemCount();
    m_items.insert(m_items.begin() + index, text);
    if (m_curSel >= index)
        ++m_curSel;
    return index;
}

bool CTabCtrl::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return false;
    m_items.erase(m_items.begin() + index);
    if (m_curSel == index)
        m_curSel = -1;
    else if (m_curSel > index)
        --m_curSel;
    return true;
}

bool CTabCtrl::DeleteAllItems()
{
    m_items.clear();
    m_curSel = -1;
    return true;
}

std::string CTabCtrl::GetItemText(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[static_cast<size_t>(index)] : std::string();
}

bool CTabCtrl::SetItemText(int index, const std::string& text)
{
    if (index < 0 || index >= GetItemCount())
        return false;
    m_items[static_cast<size_t>(index)] = text;
    return true;
}

int CTabCtrl::SetCurSel(int index)
{
    const int old = m_curSel;
    if (index < 0 || index >= GetItemCount())
        return -1;
    m_curSel = index;
    return old;
}

LRESULT CTabCtrl::Notify(int code)
{
    if (!GetParent())
        return 0;
    NMHDR nm;
    nm.hwndFrom = this;
    nm.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.code = code;
    return GetParent()->SendMessage(WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

bool CTabCtrl::UserSelect(int index)
{
    if (index < 0 || index >= GetItemCount())
        return false;
    if (index == m_curSel)
        return true;
    if (Notify(TCN_SELCHANGING) != 0)
        return false;
    m_curSel = index;
    Notify(TCN_SELCHANGE);
    return true;
}

void CTabCtrl::ResetContent() { DeleteAllItems(); }
