// The load increment method of a large deflection analysis.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "3DSTRUCT_LARGE_DEFL_CONTROL_METHOD", .control = IDC_WARP_LOAD_CONTROL,
     .companion = IDC_WARP_METHOD_GROUP, .member = &S::m_controlMethod, .flags = kDefault},
    {.keyword = "3DSTRUCT_LARGE_DEFL_MAX_NUMBER_STEPS", .control = IDC_WARP_MAX_STEPS,
     .companion = IDC_WARP_MAX_STEPS_TEXT, .member = &S::m_nMaxSteps, .flags = kDefault},
    {.keyword = "3DSTRUCT_LARGE_DEFL_MAX_STEP_FACTOR", .control = IDC_WARP_STEP_FACTOR,
     .companion = IDC_WARP_STEP_FACTOR_TEXT, .member = &S::m_dMaxStepFactor, .flags = kDefault},
    {.keyword = "3DSTRUCT_LARGE_DEFL_AUTO_DISP_INCREMENT", .control = IDC_WARP_DISP_INCREMENT,
     .companion = IDC_WARP_DISP_INCREMENT_TEXT, .member = &S::m_dAutoDispIncrement,
     .quantity = kQuantityLength, .flags = kDefault},
    {.keyword = "3DSTRUCT_LARGE_DEFL_ARC_CONTROL_INCREMENT", .control = IDC_WARP_LOAD_INCREMENT,
     .companion = IDC_WARP_LOAD_INCREMENT_TEXT, .member = &S::m_dArcControlIncrement, .flags = kDefault},
    {.keyword = "3DSTRUCT_LARGE_DEFL_MAX_LOAD_FACTOR", .control = IDC_WARP_MAX_LOAD_FACTOR,
     .companion = IDC_WARP_MAX_LOAD_FACTOR_TEXT, .member = &S::m_dMaxLoadFactor, .flags = kDefault},
};

} // namespace

WarpBindingTable LoadIncrementBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
