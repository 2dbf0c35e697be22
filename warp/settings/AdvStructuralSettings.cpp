// The Structural page of the advanced options.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "3DSTRUCT_BAND_OPTIMISATION", .control = IDC_WARP_BANDWIDTH, .companion = IDC_WARP_BANDWIDTH,
     .member = &S::m_bBandOptimisation, .flags = kDefault},
    {.keyword = "3DSTRUCT_ELEMENT_GROUP_SIZE", .control = IDC_WARP_GROUP_SIZE, .companion = IDC_WARP_GROUP_SIZE_TEXT,
     .member = &S::m_nElementGroupSize, .flags = kDefault},
    {.keyword = "3DSTRUCT_LARGE_DEFL_MISC_STEPS_BETWEEN_PRINTOUTS", .control = IDC_WARP_PRINTOUT_STEPS,
     .companion = IDC_WARP_PRINTOUT_STEPS_TEXT, .member = &S::m_nStepsBetweenPrintouts, .flags = kDefault},
    {.keyword = "3DSTRUCT_MAXIMUM_ANGLE_BETWEEN_FACETS", .control = IDC_WARP_FACET_ANGLE,
     .companion = IDC_WARP_FACET_ANGLE_TEXT, .member = &S::m_dMaxFacetAngle, .quantity = kQuantityAngle,
     .flags = kDefault},
    {.keyword = "3DSTRUCT_MINIMISE_STIFFNESS_BLOCKS", .control = IDC_WARP_MINIMISE_BLOCKS,
     .companion = IDC_WARP_MINIMISE_BLOCKS, .member = &S::m_bMinimiseStiffnessBlocks, .flags = kDefault},
    {.keyword = "3DSTRUCT_IMPERFECTION_MODE_SHAPE1", .control = IDC_WARP_MODE_SHAPE1,
     .companion = IDC_WARP_MODE_SHAPE1_TEXT, .member = &S::m_dModeShape1, .flags = kDefault},
    {.keyword = "3DSTRUCT_IMPERFECTION_MODE_SHAPE2", .control = IDC_WARP_MODE_SHAPE2,
     .companion = IDC_WARP_MODE_SHAPE2_TEXT, .member = &S::m_dModeShape2, .flags = kDefault},
    {.keyword = "3DSTRUCT_IMPERFECTION_MODE_SHAPE3", .control = IDC_WARP_MODE_SHAPE3,
     .companion = IDC_WARP_MODE_SHAPE3_TEXT, .member = &S::m_dModeShape3, .flags = kDefault},
};

} // namespace

WarpBindingTable AdvStructuralBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
