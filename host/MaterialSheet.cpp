#include "host/MaterialSheet.h"

#include "platform/window/CommonDialogs.h"
#include "platform/window/Controls.h"
#include "platform/window/ListCtrl.h"
#include "platform/resources/Resources.h"

#include <cstdio>

CMaterialSelectorPage::CMaterialSelectorPage(MMatSearch& search)
    : CPropertyPage(kIddMaterialSelector), m_search(search)
{
}

BOOL CMaterialSelectorPage::OnInitDialog()
{
    auto* list = static_cast<CListCtrl*>(GetDlgItem(kIdcMaterialList));
    list->InsertColumn(0, "Material", LVCFMT_LEFT, 150);
    list->InsertColumn(1, "Manufacturer", LVCFMT_LEFT, 110);
    list->InsertColumn(2, "Family", LVCFMT_LEFT, 80);
    list->InsertColumn(3, "Kind", LVCFMT_LEFT, 80);
    // The last search comes back with its text and choice (Search keeps a
    // choice that still matches; the library may have changed meanwhile).
    m_filling = true;
    GetDlgItem(kIdcMaterialSearch)->SetWindowText(m_search.GetSearchText());
    m_filling = false;
    m_search.Search(m_search.GetSearchText());
    Fill();
    return CPropertyPage::OnInitDialog();
}

void CMaterialSelectorPage::Fill()
{
    auto* list = static_cast<CListCtrl*>(GetDlgItem(kIdcMaterialList));
    m_filling = true;
    list->DeleteAllItems();
    int row = 0;
    for (const MMatData& m : m_search.GetMatches()) {
        list->InsertItem(row, m.name);
        list->SetItemText(row, 1, m.manufacturer);
        list->SetItemText(row, 2, m.family);
        list->SetItemText(row, 3, m.thermoset ? "thermoset" : m.fiberFilled ? "fiber-filled" : "thermoplastic");
        list->SetItemData(row, static_cast<DWORD_PTR>(row));
        ++row;
    }
    if (m_search.HasSelection())
        list->SetItemState(m_search.GetSelectedIndex(), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_filling = false;
    std::string format = LoadString(kIdsMaterialCount);
    char text[128];
    std::snprintf(text, sizeof text, format.empty() ? "%d of %d materials" : format.c_str(), m_search.GetMatchCount(),
                  static_cast<int>(m_search.GetAll().size()));
    GetDlgItem(kIdcMaterialCount)->SetWindowText(text);
}

BOOL CMaterialSelectorPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kIdcMaterialSearch && HIWORD(wParam) == EN_CHANGE && !m_filling) {
        m_search.Search(GetDlgItem(kIdcMaterialSearch)->GetWindowText());
        Fill();
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CMaterialSelectorPage::OnApply()
{
    auto* list = static_cast<CListCtrl*>(GetDlgItem(kIdcMaterialList));
    const int row = list->GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || !m_search.Select(row)) {
        AfxMessageBox(static_cast<UINT>(kIdsSelectMaterial), MB_OK | MB_ICONEXCLAMATION);
        list->SetFocus();
        return FALSE;
    }
    return CPropertyPage::OnApply();
}

MMaterialSheet::MMaterialSheet(MMatSearch& search, int, int, const char* title, CWnd* parent, int)
    : CPropertySheet(title && *title ? std::string(title) : LoadString(kIdsMaterialSelector), parent),
      m_search(search), m_page(search)
{
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    AddPage(&m_page);
}

int MMaterialSheet::DoModalPropertySheet()
{
    const MMatSearch before = m_search;
    if (DoModal() != IDOK) {
        // Cancel leaves the search as it was before the sheet opened.
        m_search = before;
        return 0;
    }
    return m_search.HasSelection() ? 1 : 0;
}
