// The General page of the advanced options: material model, element type,
// output. The corner angle belongs to warpage alone: a stress analysis
// neither shows nor writes nor removes it.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

bool IsWarpage(const CWarpSettings& settings) { return !settings.IsStress(); }

const Row kRows[] = {
    {.keyword = "3DSTRUCT_REMOVE_COLD_RUNNERS", .control = IDC_WARP_EXCLUDE_COLD_RUNNERS,
     .companion = IDC_WARP_EXCLUDE_COLD_RUNNERS, .member = &S::m_bRemoveColdRunners, .flags = kDefault},
    {.keyword = "3DSTRUCT_MATERIAL_MODEL", .control = IDC_WARP_ORTHOTROPIC_SINGLE, .companion = IDC_WARP_MODEL_GROUP,
     .member = &S::m_materialModel, .flags = kDefault},
    {.keyword = "3DSTRUCT_ELEMENT", .control = IDC_WARP_LMT3, .companion = IDC_WARP_ELEMENT_GROUP,
     .member = &S::m_element, .flags = kDefault},
    {.keyword = "3DSTRUCT_OUTPUT_DISPLACEMENT", .control = IDC_WARP_OUTPUT_DISPLACEMENT,
     .companion = IDC_WARP_OUTPUT_DISPLACEMENT, .member = &S::m_bOutputDisplacement, .flags = kDefault},
    {.keyword = "3DSTRUCT_OUTPUT_STRESS", .control = IDC_WARP_OUTPUT_STRESS, .companion = IDC_WARP_OUTPUT_STRESS,
     .member = &S::m_bOutputStress, .flags = kDefault},
    {.keyword = "3DSTRUCT_OUTPUT_STRAIN", .control = IDC_WARP_OUTPUT_STRAIN, .companion = IDC_WARP_OUTPUT_STRAIN,
     .member = &S::m_bOutputStrain, .flags = kDefault},
    {.keyword = "3DSTRUCT_KEEP_RESTARTS", .control = IDC_WARP_KEEP_RESTARTS, .companion = IDC_WARP_KEEP_RESTARTS,
     .member = &S::m_bKeepRestarts, .flags = kDefault},
    {.keyword = "3DSTRUCT_CORNER_MAX_ANGLE", .control = IDC_WARP_CORNER_ANGLE, .companion = IDC_WARP_CORNER_ANGLE_TEXT,
     .member = &S::m_dCornerMaxAngle, .quantity = kQuantityAngle, .flags = kDefault, .applies = IsWarpage},
};

} // namespace

WarpBindingTable AdvGeneralBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
