#pragma once
// The base of the cooling wizard's pages: every page belongs to a CCoolWizard.
#include "wizard/PropertyPageExt.h"

class CCoolWizard;
class CImageList;
class CListCtrl;

class CCoolPage : public CPropertyPageExt {
public:
    using CPropertyPageExt::CPropertyPageExt;
    CCoolWizard* GetCoolWizard() const;

protected:
    // Gives a file list of the project its look: one untitled column of
    // width 200 and the node images, the image list made once per page.
    void SetUpFileList(CListCtrl& list, CImageList& images, bool& imagesMade);
    // The list control `id` of the page.
    CListCtrl& ListAt(int id) const;
};
