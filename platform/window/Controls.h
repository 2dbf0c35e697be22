#pragma once
// The simple controls: buttons (push, default push, check box, radio button,
// group box), edits and static texts.
#include "platform/window/Wnd.h"

class CButton : public CWnd {
public:
    CButton() { m_kind = WndKind::Button; }
    bool Create(const std::string& text, DWORD style, const CRect& rect, CWnd* parent, UINT id);

    int GetCheck() const { return m_check; }
    // Sets the state only; unlike a click it neither notifies nor touches the group.
    void SetCheck(int check) { m_check = check; }
    UINT GetState() const { return m_check == BST_CHECKED ? BST_CHECKED : 0; }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, bool redraw = true);
    UINT ButtonType() const { return GetStyle() & BS_TYPEMASK; }
    bool IsRadio() const { return ButtonType() == BS_RADIOBUTTON || ButtonType() == BS_AUTORADIOBUTTON; }
    bool IsCheckBox() const;
    bool IsPushButton() const { return ButtonType() == BS_PUSHBUTTON || ButtonType() == BS_DEFPUSHBUTTON; }

    // What a mouse click does after the focus moved: an automatic check box
    // toggles, an automatic radio button checks itself and unchecks the
    // others of its group, then the parent gets BN_CLICKED.
    void Click();

protected:
    void TakeOverContent(CWnd& from) override;
    void ResetContent() override { m_check = BST_UNCHECKED; }

private:
    int m_check = BST_UNCHECKED;
};

class CEdit : public CWnd {
public:
    CEdit() { m_kind = WndKind::Edit; }
    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    // Changing the text notifies the parent with EN_UPDATE and EN_CHANGE, as
    // the platform's edit does for every text change, typed or set.
    void SetWindowText(const std::string& text) override;
    void SetSel(int start, int end, bool noScroll = false);
    void GetSel(int& start, int& end) const { start = m_selStart; end = m_selEnd; }
    bool SetReadOnly(bool readOnly = true);
    void LimitText(int max = 0) { m_limit = max; }
    void SetLimitText(int max) { m_limit = max; }
    int GetLimitText() const { return m_limit; }
    // Replaces the selection (all of it after SetSel(0, -1)) as typing does.
    void ReplaceSel(const std::string& text, bool canUndo = false);

protected:
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;

private:
    int m_selStart = 0;
    int m_selEnd = 0;
    int m_limit = 0;
};

class CStatic : public CWnd {
public:
    CStatic() { m_kind = WndKind::Static; }
    bool Create(const std::string& text, DWORD style, const CRect& rect, CWnd* parent, UINT id = 0xFFFF);
};
