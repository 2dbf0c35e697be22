// The Non-Convergence page of the advanced options. No rule shows the page,
// so its two keywords keep the working file's values.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "3DSTRUCT_TOLERANCE_FOR_ZERO_PIVOT", .control = IDC_WARP_ZERO_PIVOT,
     .companion = IDC_WARP_ZERO_PIVOT_TEXT, .member = &S::m_dZeroPivotTolerance, .flags = kDefault},
    {.keyword = "3DSTRUCT_LARGE_DEFL_NON_POSITIVE_DEFINITE", .control = IDC_WARP_POST_BUCKLING,
     .companion = IDC_WARP_NON_POSITIVE_GROUP, .member = &S::m_nonPositiveDefinite, .flags = kDefault},
};

} // namespace

WarpBindingTable AdvNonConvergenceBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
