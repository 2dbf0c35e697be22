// The Non-Linear Step page of the advanced options.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "3DSTRUCT_NONLIN_OPT_INITIAL_SOLUTION_STRATEGY", .control = IDC_WARP_NEWTON_RAPHSON_2,
     .companion = IDC_WARP_STRATEGY_GROUP, .member = &S::m_strategy, .flags = kDefault},
    {.keyword = "3DSTRUCT_NONLIN_OPT_MAX_NUMBER_ITER_PER_STEP", .control = IDC_WARP_MAX_ITERATIONS,
     .companion = IDC_WARP_MAX_ITERATIONS_TEXT, .member = &S::m_nMaxIterations, .flags = kDefault},
    {.keyword = "3DSTRUCT_NONLIN_OPT_MIN_NUMBER_ITER_PER_STEP", .control = IDC_WARP_MIN_ITERATIONS,
     .companion = IDC_WARP_MIN_ITERATIONS_TEXT, .member = &S::m_nMinIterations, .flags = kDefault},
    {.keyword = "3DSTRUCT_NEWTON_RAPHSON_RELATIVE_CONVERGENCE_TOLERANCE", .control = IDC_WARP_NR_TOLERANCE,
     .companion = IDC_WARP_NR_TOLERANCE_TEXT, .member = &S::m_dNewtonRaphsonTolerance, .flags = kDefault},
};

} // namespace

WarpBindingTable AdvNonLinearBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
