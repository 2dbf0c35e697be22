// The variates page of a single-variate study.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "3DSTRUCT_SVA_ANALYSIS_TYPE", .control = IDC_WARP_ALL_VARIATES, .companion = IDC_WARP_VARIATE_GROUP,
     .member = &S::m_variates, .flags = kDefault},
    {.keyword = "3DSTRUCT_SVA_SENSITIVITY_DIFFCOOL", .control = IDC_WARP_SENSITIVITY_COOLING,
     .companion = IDC_WARP_SENSITIVITY_TEXT, .member = &S::m_dSensitivityCooling,
     .quantity = kQuantityPercentage, .flags = kDefault},
    {.keyword = "3DSTRUCT_SVA_SENSITIVITY_DIFFSHRINK", .control = IDC_WARP_SENSITIVITY_SHRINKAGE,
     .member = &S::m_dSensitivityShrinkage, .quantity = kQuantityPercentage, .flags = kDefault},
    {.keyword = "3DSTRUCT_SVA_SENSITIVITY_DIFFORIEN", .control = IDC_WARP_SENSITIVITY_ORIENTATION,
     .member = &S::m_dSensitivityOrientation, .quantity = kQuantityPercentage, .flags = kDefault},
    {.keyword = "3DSTRUCT_SVA_EXCLUDE_CORNER_EFFECT", .control = IDC_WARP_EXCLUDE_CORNERS,
     .companion = IDC_WARP_EXCLUDE_CORNERS, .member = &S::m_bExcludeCornerEffect, .flags = kDefault},
};

} // namespace

WarpBindingTable VariatesBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
