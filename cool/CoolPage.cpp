#include "cool/CoolPage.h"

#include <cassert>

#include "cool/CoolIds.h"
#include "cool/CoolWizard.h"
#include "platform/window/ListCtrl.h"

namespace {
// Image list flags: 8-bit colour with a mask (0xffff00 is transparent).
constexpr UINT kImagesColor8 = 0x0008;
constexpr UINT kImagesMasked = 0x0001;
} // namespace

CCoolWizard* CCoolPage::GetCoolWizard() const { return GetSheetAs<CCoolWizard>(); }

void CCoolPage::SetUpFileList(CListCtrl& list, CImageList& images, bool& imagesMade)
{
    if (!imagesMade) {
        images.Create(16, 15, kImagesColor8 | kImagesMasked, 7, 1);
        images.Add(IDB_COOL_LIST_IMAGES);
        imagesMade = true;
    }
    list.SetImageList(&images, LVSIL_SMALL);
    list.InsertColumn(0, "", LVCFMT_LEFT, 200);
}

CListCtrl& CCoolPage::ListAt(int id) const
{
    auto* list = dynamic_cast<CListCtrl*>(GetDlgItem(id));
    assert(list && "the template holds a list view of this id");
    return *list;
}
