// The analysis type page: the aim, and the step a large deflection restart
// starts from (shown only when the working file names a restart).
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "3DSTRUCT_ANALYSIS_AIM", .control = IDC_WARP_BUCKLING, .companion = IDC_WARP_AIM_GROUP,
     .member = &S::m_aim, .flags = kDefault},
    {.keyword = "3DSTRUCT_LARGE_DEFL_RESTART_STEP", .control = IDC_WARP_RESTART_STEP,
     .companion = IDC_WARP_RESTART_STEP_TEXT, .member = &S::m_nRestartStep},
};

} // namespace

WarpBindingTable AnalysisTypeBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
