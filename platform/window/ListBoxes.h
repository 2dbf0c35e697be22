#pragma once
// Combo boxes and list boxes: lists of texts with item data and a selection.
#include <string>
#include <vector>

#include "platform/window/Wnd.h"

// The items shared by both controls, with the platform's sorted insertion
// (case-insensitive, a new item goes after equal ones) and exact search.
class CListItems {
public:
    struct Item {
        std::string text;
        DWORD_PTR data = 0;
        bool selected = false;
    };
    int Add(const std::string& text, bool sorted);
    int Insert(int index, const std::string& text); // -1 appends
    bool Delete(int index);
    // First item from after `start` (wrapping around) whose text equals, or
    // begins with, `text` ignoring case; -1 when none.
    int Find(int start, const std::string& text, bool exact) const;
    int Count() const { return static_cast<int>(m_items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    std::vector<Item> m_items;
};

class CComboBox : public CWnd {
public:
    CComboBox() { m_kind = WndKind::ComboBox; }
    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    int AddString(const std::string& text);     // sorted with CBS_SORT; returns the index
    int InsertString(int index, const std::string& text);
    int DeleteString(UINT index);               // returns the count left, or CB_ERR
    void ResetContent() override;
    int GetCount() const { return m_items.Count(); }
    int GetCurSel() const { return m_curSel; }
    // Selects without notifying (CB_ERR for -1 or a bad index, which clears it).
    int SetCurSel(int index);
    int GetLBText(int index, std::string& text) const;
    std::string GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    int FindString(int startAfter, const std::string& prefix) const;
    int FindStringExact(int startAfter, const std::string& text) const;
    int SelectString(int startAfter, const std::string& prefix);
    bool IsDropDownList() const { return (GetStyle() & 0x3) == CBS_DROPDOWNLIST; }

    // A drop-down list shows its selected item; other kinds have an edit.
    std::string GetWindowText() const override;
    void SetWindowText(const std::string& text) override;

    // What a person's choice does after the focus moved: select and notify.
    void UserSelect(int index);

protected:
    void OnSetFocus(CWnd*) override { NotifyParent(CBN_SETFOCUS); }
    void OnKillFocus(CWnd*) override { NotifyParent(CBN_KILLFOCUS); }
    void TakeOverContent(CWnd& from) override;

private:
    CListItems m_items;
    int m_curSel = -1;
};

class CListBox : public CWnd {
public:
    CListBox() { m_kind = WndKind::ListBox; }
    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    int AddString(const std::string& text); // sorted with LBS_SORT
    int InsertString(int index, const std::string& text);
    int DeleteString(UINT index);
    void ResetContent() override;
    int GetCount() const { return m_items.Count(); }
    int GetText(int index, std::string& text) const;
    std::string GetText(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    int FindString(int startAfter, const std::string& prefix) const;
    int FindStringExact(int startAfter, const std::string& text) const;

    bool IsMultiSelect() const { return (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    // Single selection only (LB_ERR on a multiple-selection list).
    int GetCurSel() const;
    int SetCurSel(int index);
    // Multiple selection only; index -1 means every item.
    int SetSel(int index, bool select = true);
    int GetSel(int index) const;
    int GetSelCount() const;
    std::vector<int> GetSelItems() const;
    int GetSelItems(int max, int* items) const;
    int GetCaretIndex() const { return m_caret; }
    // Where an extended list's Shift-click range starts: the item last
    // clicked without Shift.
    int GetAnchorIndex() const { return m_anchor; }
    int SetAnchorIndex(int index);

    // A person's click on an item, with the keys held now (GetKeyState): a
    // single-selection list selects only it; a multiple-selection list
    // toggles it; an extended list selects only it, toggles it with Ctrl,
    // selects the range from the anchor with Shift (adding it to the
    // selection with Ctrl+Shift). Then LBN_SELCHANGE.
    void UserSelect(int index);

protected:
    void OnSetFocus(CWnd*) override { NotifyParent(LBN_SETFOCUS); }
    void OnKillFocus(CWnd*) override { NotifyParent(LBN_KILLFOCUS); }
    void TakeOverContent(CWnd& from) override;

private:
    CListItems m_items;
    int m_caret = -1;
    int m_anchor = -1;
};
