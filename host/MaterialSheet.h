#pragma once
// The "Material Selector": a property sheet with one page, a search field
// over the material library and a report list of the materials that match.
// It works on the caller's MMatSearch, so the search text and the choice are
// there again the next time the sheet opens.
#include "host/MaterialLibrary.h"
#include "platform/window/PropertyPage.h"
#include "platform/window/PropertySheet.h"

// Resource ids of resources/host.rc.
constexpr int kIddMaterialSelector = 29001;
constexpr int kIdcMaterialSearch = 29102;
constexpr int kIdcMaterialList = 29103;
constexpr int kIdcMaterialCount = 29104;
constexpr int kIdsMaterialSelector = 29001;
constexpr int kIdsSelectMaterial = 29002;
constexpr int kIdsMaterialCount = 29003;

class CMaterialSelectorPage : public CPropertyPage {
public:
    explicit CMaterialSelectorPage(MMatSearch& search);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // OK takes the selected row as the choice; with none the user is asked to pick one.
    BOOL OnApply() override;

private:
    void Fill();

    MMatSearch& m_search;
    bool m_filling = false;
};

class MMaterialSheet : public CPropertySheet {
public:
    // The two numbers before the title and the one after the parent are
    // kept for callers written against the library's older signature; they
    // select nothing.
    MMaterialSheet(MMatSearch& search, int, int, const char* title, CWnd* parent, int);
    // Runs the sheet; non-zero when the user chose a material with OK.
    int DoModalPropertySheet();

private:
    MMatSearch& m_search;
    CMaterialSelectorPage m_page;
};
