// The manual displacement steps: the increments in the grid, and the node
// and degree of freedom whose displacement they control.
#include "warp/WarpSettings.h"

#include "warp/WarpIds.h"
#include "wizard/Wizard.h"

namespace {

using Row = CBindingRow<CWarpSettings>;
using S = CWarpSettings;
constexpr unsigned kDefault = kBindPageDefault;

const Row kRows[] = {
    {.keyword = "3DSTRUCT_LARGE_DEFL_MAN_DISP_INCREMENTS", .control = IDC_WARP_INCREMENT_GRID,
     .member = &S::m_manualIncrements, .quantity = kQuantityLength},
    {.keyword = "3DSTRUCT_LARGE_DEFL_MAN_DISP_NODE", .control = IDC_WARP_CONTROL_NODE,
     .companion = IDC_WARP_CONTROL_NODE_TEXT, .member = &S::m_nControlNode, .flags = kDefault},
    {.keyword = "3DSTRUCT_LARGE_DEFL_MAN_NODE_DOF", .control = IDC_WARP_CONTROL_DOF,
     .companion = IDC_WARP_CONTROL_DOF_TEXT, .member = &S::m_nControlNodeDof, .flags = kDefault},
};

} // namespace

WarpBindingTable ManualStepsBindings(CWarpSettings& settings) { return BindingTable(settings, kRows); }
