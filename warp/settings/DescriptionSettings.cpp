// The description page; its job submission choice is the wizard's own.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "ANALYSIS_DESCRIPTION", .control = IDC_WARP_DESCRIPTION, .member = &S::m_strDescription,
     .flags = kDefault},
};

} // namespace

WarpBindingTable DescriptionBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
