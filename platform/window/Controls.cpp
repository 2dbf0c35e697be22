#include "platform/window/Controls.h"

#include <algorithm>

bool CButton::Create(const std::string& text, DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CreateWnd(WndKind::Button, text, style | WS_CHILD, rect, parent, static_cast<int>(id));
}

bool CButton::IsCheckBox() const
{
    UINT t = ButtonType();
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}

void CButton::SetButtonStyle(UINT style, bool)
{
    ModifyStyle(0xFFFF, style & 0xFFFF);
}

void CButton::Click()
{
    switch (ButtonType()) {
    case BS_AUTOCHECKBOX:
        m_check = m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        break;
    case BS_AUTO3STATE:
        m_check = (m_check + 1) % 3;
        break;
    case BS_AUTORADIOBUTTON:
        if (CWnd* parent = GetParent())
            for (CWnd* c : parent->GetGroup(this))
                if (auto* b = dynamic_cast<CButton*>(c); b && b != this && b->IsRadio())
                    b->m_check = BST_UNCHECKED;
        m_check = BST_CHECKED;
        break;
    default:
        break;
    }
    NotifyParent(BN_CLICKED);
}

void CButton::TakeOverContent(CWnd& from)
{
    if (auto* b = dynamic_cast<CButton*>(&from))
        m_check = b->m_check;
}

bool CEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CreateWnd(WndKind::Edit, "", style | WS_CHILD, rect, parent, static_cast<int>(id));
}

void CEdit::SetWindowText(const std::string& text)
{
    m_text = m_limit > 0 && static_cast<int>(text.size()) > m_limit ? text.substr(0, static_cast<size_t>(m_limit)) : text;
    m_selStart = m_selEnd = 0;
    NotifyParent(EN_UPDATE);
    NotifyParent(EN_CHANGE);
}

void CEdit::SetSel(int start, int end, bool)
{
    const int len = static_cast<int>(m_text.size());
    if (start < 0) {
        m_selStart = m_selEnd = len; // -1 removes the selection
        return;
    }
    m_selStart = std::min(start, len);
    m_selEnd = end < 0 ? len : std::min(end, len);
    if (m_selEnd < m_selStart)
        std::swap(m_selStart, m_selEnd);
}

bool CEdit::SetReadOnly(bool readOnly)
{
    ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
    return true;
}

void CEdit::ReplaceSel(const std::string& text, bool)
{
    std::string next = m_text.substr(0, static_cast<size_t>(m_selStart)) + text + m_text.substr(static_cast<size_t>(m_selEnd));
    const int caret = m_selStart + static_cast<int>(text.size());
    SetWindowText(next);
    m_selStart = m_selEnd = std::min(caret, static_cast<int>(m_text.size()));
}

void CEdit::OnSetFocus(CWnd*)
{
    NotifyParent(EN_SETFOCUS);
}

void CEdit::OnKillFocus(CWnd*)
{
    NotifyParent(EN_KILLFOCUS);
}

bool CStatic::Create(const std::string& text, DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CreateWnd(WndKind::Static, text, style | WS_CHILD, rect, parent, static_cast<int>(id));
}
