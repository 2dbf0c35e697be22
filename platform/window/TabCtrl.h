#pragma once
// The tab control: a row of captions with one of them in front. A tabbed
// property sheet keeps one above its pages (AFX_IDC_TAB_CONTROL).
#include <string>
#include <vector>

#include "platform/window/Wnd.h"

class CTabCtrl : public CWnd {
public:
    CTabCtrl() { m_kind = WndKind::Tab; }
    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    // Returns the new tab's index; -1 appends.
    int InsertItem(int index, const std::string& text);
    bool DeleteItem(int index);
    bool DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    std::string GetItemText(int index) const;
    bool SetItemText(int index, const std::string& text);
    int GetCurSel() const { return m_curSel; }
    // Brings a tab to front without notifying; returns the previous one.
    int SetCurSel(int index);

    // A person's click on tab `index`, after the focus has moved: the parent
    // gets TCN_SELCHANGING and refuses by answering nonzero; otherwise the
    // tab comes to front and the parent gets TCN_SELCHANGE. False when refused.
    bool UserSelect(int index);

protected:
    void ResetContent() override;

private:
    LRESULT Notify(int code);

    std::vector<std::string> m_items;
    int m_curSel = -1;
};
