#include "warp/WarpPartsDlg.h"

#include "keyword/KeywordFile.h"
#include "model/ModelAttributeStore.h"
#include "platform/window/CommonDialogs.h"
#include "platform/window/ListBoxes.h"
#include "warp/WarpIds.h"
#include "warp/WarpRules.h"

namespace {
constexpr const char* kPartsKeyword = "3DSTRUCT_PARTS";
constexpr const char* kAllParts = "(all)";

CListBox* PartsList(CWnd* dialog) { return dynamic_cast<CListBox*>(dialog->GetDlgItem(IDC_WARP_PARTS_LIST)); }
} // namespace

CWarpWizPartsDlg::CWarpWizPartsDlg() : CDialog(IDD_WARP_PARTS) {}

BOOL CWarpWizPartsDlg::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    CListBox& list = *PartsList(this);
    MModelAttributeStore store;
    // A model file that cannot be read names no parts: the list offers all.
    (void)store.Load(m_strModelFile);
    std::vector<std::string> names;
    store.GetNames(kCategoryParts, names);
    if (names.empty()) {
        list.SetSel(list.AddString(kAllParts), true);
        return result;
    }
    for (const std::string& name : names)
        list.AddString(name);
    MKeywordFile working;
    // An unreadable working file preselects nothing.
    (void)working.Load(m_strWorkingFile);
    for (int number : ParsePartNumbers(working.GetValue(kPartsKeyword))) {
        const std::string name = store.GetName(kCategoryParts, number);
        if (name.empty())
            continue;
        const int entry = list.FindStringExact(-1, name);
        if (entry >= 0)
            list.SetSel(entry, true);
    }
    return result;
}

void CWarpWizPartsDlg::OnOK()
{
    CListBox& list = *PartsList(this);
    MModelAttributeStore store;
    // Read as OnInitDialog read it, so the list's names map the same way.
    (void)store.Load(m_strModelFile);
    std::vector<int> chosen;
    for (int entry : list.GetSelItems()) {
        const int number = store.GetNumber(kCategoryParts, list.GetText(entry));
        if (number >= 0)
            chosen.push_back(number);
    }
    MKeywordFile working;
    // The choice is written into the working file; rewriting one that could
    // not be read would drop every other value. A choice the file did not
    // take is no choice: the dialog stays.
    if (CResult loaded = working.Load(m_strWorkingFile); !loaded) {
        AfxMessageBox(loaded.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::vector<int> parts = PartsToWrite(chosen, list.GetCount());
    if (parts.empty())
        working.RemoveKeyword(kPartsKeyword);
    else
        working.SetValue(kPartsKeyword, FormatPartNumbers(parts));
    if (CResult written = working.Write(m_strWorkingFile, wizsys::Durability::kScratch); !written) {
        AfxMessageBox(written.GetMessage(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CDialog::OnOK();
}
