#include "wizard/WizardLibrary.h"

#include <string>

#include "platform/resources/Resources.h"
#include "wizard/AnalysisIds.h"
#include "wizard/AnalysisWizard.h"
#include "wizard/WizardIds.h"

namespace {

int g_attachCount = 0;

} // namespace

CResult AttachWizardLibrary()
{
    // The compiled resources are built on first use; a library linked
    // without them would open wizards with no pages and empty messages.
    const CResourceSet& resources = AppResources();
    for (int dialog : {IDD_ANALYSIS_PAGE1, IDD_ANALYSIS_PAGE2})
        if (!resources.FindDialog(dialog))
            return CResult::Fail("the wizard library's dialog " + std::to_string(dialog) + " is missing");
    for (int text : {IDS_ANALYSIS_CAPTION, IDS_ANALYSIS_NO_FURTHER, IDS_NO_BOUNDARY_SETS})
        if (!resources.FindString(text))
            return CResult::Fail("the wizard library's string " + std::to_string(text) + " is missing");
    ++g_attachCount;
    return CResult::Ok();
}

void DetachWizardLibrary()
{
    if (g_attachCount > 0 && --g_attachCount == 0)
        CAnalysisWizard::ReleaseMaterialSearch();
}

bool IsWizardLibraryAttached() { return g_attachCount > 0; }
