#pragma once
// The report-style list view and its image lists.
#include <string>
#include <vector>

#include "platform/window/Wnd.h"

// A list of images; the platform draws nothing, so an image is its name
// (bitmap or icon resource id) and the list only counts and keeps them.
class CImageList {
public:
    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    int Add(UINT resourceId);           // returns the new image's index
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    UINT GetImage(int index) const;
    bool Remove(int index);             // -1 removes all
    bool DeleteImageList() { m_images.clear(); return true; }
    CSize GetImageSize() const { return {m_cx, m_cy}; }

private:
    std::vector<UINT> m_images;
    int m_cx = 16;
    int m_cy = 16;
};

class CListCtrl : public CWnd {
public:
    CListCtrl() { m_kind = WndKind::ListView; }
    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    int InsertColumn(int col, const std::string& heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    bool DeleteColumn(int col);
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    std::string GetColumnHeading(int col) const;
    bool SetColumnWidth(int col, int cx);
    int GetColumnWidth(int col) const;

    int InsertItem(int index, const std::string& text, int image = -1);
    int InsertItem(UINT mask, int index, const std::string& text, UINT state, UINT stateMask, int image, LPARAM data);
    bool DeleteItem(int index);
    bool DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    bool SetItemText(int index, int subItem, const std::string& text);
    std::string GetItemText(int index, int subItem) const;
    bool SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    bool SetItemImage(int index, int image);
    int GetItemImage(int index) const;
    // Changes the state bits in `mask`; the parent gets LVN_ITEMCHANGED with
    // the old and new state when they differ. Index -1 applies to every item.
    bool SetItemState(int index, UINT state, UINT mask);
    UINT GetItemState(int index, UINT mask) const;
    // The next item after `start` (-1: from the top) with the LVNI_ flags' states.
    int GetNextItem(int start, int flags) const;
    UINT GetSelectedCount() const;
    int GetSelectionMark() const { return m_selectionMark; }
    int SetSelectionMark(int index);
    // Every item is always in view headless (there is no scrolling to do).
    bool EnsureVisible(int, bool) { return true; }
    int FindItemText(const std::string& text) const; // exact, first column; -1 when none

    CImageList* SetImageList(CImageList* list, int which);
    CImageList* GetImageList(int which) const;
    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const { return m_extStyle; }

    // A person's click on an item, with the keys held now (GetKeyState): a
    // plain click (and any click in a single-selection view) selects and
    // focuses only that item; Ctrl toggles it; Shift selects the range from
    // the selection mark (added to the selection with Ctrl+Shift). Every item
    // whose state changes sends LVN_ITEMCHANGED, those losing it first.
    void UserSelect(int index);
    // A click on the empty space below the items: the selection is cleared,
    // the focused item stays.
    void UserClickEmpty();

protected:
    void ResetContent() override;

private:
    struct Column {
        std::string heading;
        int format = LVCFMT_LEFT;
        int width = 0;
    };
    struct Item {
        std::vector<std::string> texts;
        int image = -1;
        DWORD_PTR data = 0;
        UINT state = 0;
    };
    bool Valid(int i) const { return i >= 0 && i < GetItemCount(); }
    void ChangeState(int index, UINT state, UINT mask);

    std::vector<Column> m_columns;
    std::vector<Item> m_items;
    CImageList* m_imageLists[3] = {nullptr, nullptr, nullptr};
    DWORD m_extStyle = 0;
    int m_selectionMark = -1;
};
